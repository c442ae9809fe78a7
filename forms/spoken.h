#pragma once

// What both windows say alike to a screen reader, beside their captions.

namespace forms {

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

} // namespace forms
