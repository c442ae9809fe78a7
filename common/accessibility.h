#pragma once

// What a screen reader says for the controls of a calculator window, as its
// control table gives it: each box is named by its caption, whose label
// becomes its buddy; buttons and the diagram say what they do. Nothing
// visible changes.

class QWidget;

namespace common {

struct FormTable;

void describeForScreenReaders(QWidget* window, const FormTable& form);

// What both windows say alike.
namespace spoken {
inline constexpr char calculateLengths[] =
    "Berekent de bochtmaten A en B, de lengte tussen de bochten en de verticale versleping uit "
    "de hoek en de horizontale versleping";
inline constexpr char calculateOffsets[] =
    "Berekent de horizontale en de verticale versleping uit de hoek en het aantal secties";
inline constexpr char diagramName[] = "Tekening van de versleping";
inline constexpr char diagram[] =
    "Twee gelijke bochten met een recht, schuin stuk buis ertussen. Aangegeven zijn de "
    "bochtmaten A en B, de lengte tussen de bochten, de horizontale en de verticale versleping "
    "en de insteekmaat van een sectie.";
} // namespace spoken

} // namespace common
