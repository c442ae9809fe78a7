#pragma once

// What a screen reader says for the controls of a calculator window, as its
// control table gives it: each box is named by its caption, whose label
// becomes its buddy; buttons and the diagram say what they do; the boxes of
// each calculation say which one they belong to. Nothing visible changes.
//
// Qt's own accessible faces fall short in a few places, so some controls get
// faces of ours (installAccessibleFaces). What Qt 6.4 lacks on Linux (an
// announcement event, AT-SPI Selection on a combo box) is made up for as
// described with tellResults and in qt/pickcombobox.cpp.

#include "forms/formtable.h"

class QString;
class QWidget;

namespace qtface {

// Our faces: the calculator window is a window named by its title (Qt
// shows a plain top-level widget as a filler), and so is the scrolling
// frame it may sit in; the dividing line is a separator; the diagram an
// image; a pick box keeps its caption as its name and its text as its
// value. Qt keeps the face it made first for an object, so this comes
// before the first control is made; it needs the QApplication, whose own
// factory must be asked after ours. Installs once however often called.
void installAccessibleFaces();

void describeForScreenReaders(QWidget* window, const forms::FormTable& form);

// After a calculation wrote its results, they are heard without a search:
// the window's notice (a notification with no widget) shows them, which a
// screen reader speaks as it comes and keeps in its list of notifications,
// and the button that asked for them tells them ahead of what it does, read
// whenever it has the focus. The presenter words both.
void tellResults(QWidget* button, const QString& told, const QString& description);

} // namespace qtface
