#pragma once

// What a screen reader says for the controls of a calculator window, as its
// control table gives it: each box is named by its caption, whose label
// becomes its buddy; buttons and the diagram say what they do; the boxes of
// each calculation say which one they belong to. Nothing visible changes.
//
// Qt's own accessible faces fall short in a few places, so some controls get
// faces of ours (installAccessibleFaces). What Qt 6.4 lacks on Linux (an
// announcement event, AT-SPI Selection on a combo box) is made up for as
// described with tellResults and in platform/pickcombobox.cpp.

#include <initializer_list>

class QLineEdit;
class QWidget;

namespace common {

struct FormTable;

// Our faces: the calculator window is a window named by its title (Qt
// shows a plain top-level widget as a filler), and so is the scrolling
// frame it may sit in; the dividing line is a separator; the diagram an
// image; a pick box keeps its caption as its name and its text as its
// value. Qt keeps the face it made first for an object, so this comes
// before the first control is made; it needs the QApplication, whose own
// factory must be asked after ours. Installs once however often called.
void installAccessibleFaces();

void describeForScreenReaders(QWidget* window, const FormTable& form);

// After a calculation wrote its results, they are heard without a search:
// the window's notice (a notification with no widget) shows them, which a
// screen reader speaks as it comes and keeps in its list of notifications,
// and the button that asked for them tells them ahead of what it does, read
// whenever it has the focus. Each result is named by its box.
void tellResults(QWidget* button, std::initializer_list<const QLineEdit*> results);

// What both windows say alike.
namespace spoken {
inline constexpr char calculateLengths[] =
    "Berekent de bochtmaten A en B, de lengte tussen de bochten en de verticale versleping uit "
    "de hoek en de horizontale versleping";
inline constexpr char calculateOffsets[] =
    "Berekent de horizontale en de verticale versleping uit de hoek en het aantal secties";
// The two calculations, as the manual pages title them: every box says to
// which it belongs, as both have an angle box (and solooffset a diameter
// box) of the same caption.
inline constexpr char lengthsCalculation[] = "Berekening 1: lengtes uit een versleping";
inline constexpr char offsetsCalculation[] = "Berekening 2: versleping uit secties";
inline constexpr char dividingLine[] = "Scheiding tussen berekening 1 en berekening 2";
inline constexpr char diagramName[] = "Tekening van de versleping";
inline constexpr char diagram[] =
    "Twee gelijke bochten met een recht, schuin stuk buis ertussen. Aangegeven zijn de "
    "bochtmaten A en B, de lengte tussen de bochten, de horizontale en de verticale versleping "
    "en de insteekmaat van een sectie.";
inline constexpr char results[] = "Uitkomst";
} // namespace spoken

} // namespace common
