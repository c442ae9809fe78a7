#pragma once

class QWidget;

namespace common {

// What a screen reader says for the controls of a calculator window: each
// box is named by its caption, which becomes its buddy; the buttons and the
// diagram say what they do. Controls a window lacks are passed over. Nothing
// visible changes.
void describeForScreenReaders(QWidget* window);

} // namespace common
