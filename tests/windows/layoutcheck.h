#pragma once

// Holds a Qt window against its control table: what only the Qt face can
// get wrong in drawing it.

#include "forms/formtable.h"

#include <span>

class QWidget;

namespace layoutcheck {

// Fails the current QtTest function on the first control that is not as its
// row of the form's table says (kind, caption or initial text, place), and
// when the window has a named control the table does not list.
void verifyLayout(QWidget* window, const forms::FormTable& form);

// The window as a whole: object name, caption, a fixed client area of
// 750 x 627 pixels, a title bar with the close button only, an icon for the
// title bar, and centred on its screen.
void verifyWindowFrame(QWidget* window, const forms::FormTable& form);

// Presses Tab from the first name and checks that the focus visits the rest
// in order and comes back to the first.
void verifyTabOrder(QWidget* window, std::span<const char* const> order);

} // namespace layoutcheck
