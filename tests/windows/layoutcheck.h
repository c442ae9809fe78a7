#pragma once

// Holds a window's controls against the table of what they must be: object
// name, kind, caption or initial text, and place in pixels (twips / 15).

#include <QString>

#include <span>

class QWidget;

namespace layoutcheck {

enum class Kind { Label, ComboBox, TextBox, OutputBox, Button, Picture, Line };

struct Expected {
    const char* name;
    Kind kind;
    const char* text;
    int left, top, width, height; // twips
};

// Fails the current QtTest function on the first control that differs, and
// when the window has a named control the table does not list.
void verifyLayout(QWidget* window, std::span<const Expected> table);

// The window as a whole: object name, caption, a fixed client area of
// 750 x 627 pixels, a title bar with the close button only, an icon for the
// title bar, and centred on its screen.
void verifyWindowFrame(QWidget* window, const char* name, const char* caption);

// Presses Tab from the first name and checks that the focus visits the rest
// in order and comes back to the first.
void verifyTabOrder(QWidget* window, std::span<const char* const> order);

} // namespace layoutcheck
