#pragma once

// The product data: which angles, counts and diameters the boxes offer, and
// the bend dimensions A and B per system, angle and diameter.

#include "offsetcore/geometry.h"

#include <optional>
#include <span>
#include <string_view>

namespace offsetcore {

using ItemList = std::span<const std::string_view>;

ItemList concentricAngleList();
ItemList singleWallAngleList();
ItemList sectionCountList();

// The diameters offered for an angle box's text, compared character for
// character with "15", "30", "45" and "90"; no list for any other text.
std::optional<ItemList> singleWallDiameterList(std::string_view angleText);

// Every diameter that any angle's list offers, once each, in list order: what
// a face offers where the diameter is chosen before any angle (a plan).
ItemList everySingleWallDiameterList();

// A and B for a concentric bend; exact comparison of the angle.
std::optional<BendDimensions> lookupConcentricBend(double angleDegrees);

// A and B for a single-wall bend of the given diameter; the first rule of the
// table that holds wins.
std::optional<BendDimensions> lookupSingleWallBend(double diameter, double angleDegrees);

} // namespace offsetcore
