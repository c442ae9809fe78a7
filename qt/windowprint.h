#pragma once

// Prints an image of a window on the default printer, without a dialog.

#include "qt/printer.h"

class QWidget;

namespace qtface {

// The window's client area as it stands, its controls with their current
// texts, drawn afresh at printResolution (not a screen image enlarged) on
// the calling thread before the job begins: one page, from the top-left
// corner of the printable area, as wide as the printable area allows with
// the window's proportions kept.
PrintStatus printWindow(QWidget* window);

} // namespace qtface
