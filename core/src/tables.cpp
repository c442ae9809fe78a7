#include "offsetcore/tables.h"

namespace offsetcore {

namespace {

constexpr std::string_view concentricAngles[] = {"15", "30", "43", "87"};
constexpr std::string_view singleWallAngles[] = {"15", "30", "45", "90"};
constexpr std::string_view sectionCounts[] = {"0", "1", "2", "3", "4", "5",
                                              "6", "7", "8", "9", "10"};

constexpr std::string_view diametersUpTo250[] = {"125", "150", "175", "200", "250"};
constexpr std::string_view diametersUpTo300[] = {"125", "150", "175", "200", "250", "300"};
constexpr std::string_view diametersUpTo450[] = {"125", "150", "175", "200", "250",
                                                 "300", "350", "400", "450"};

struct DiameterListRow {
    std::string_view angleText;
    ItemList diameters;
};

constexpr DiameterListRow singleWallDiameterLists[] = {
    {"15", diametersUpTo250},
    {"30", diametersUpTo450},
    {"45", diametersUpTo450},
    {"90", diametersUpTo300},
};

struct ConcentricRow {
    double angle;
    BendDimensions bend;
};

constexpr ConcentricRow concentricBendTable[] = {
    {15, {76, 40}},
    {30, {76, 41}},
    {43, {75, 41}},
    {87, {139, 103}},
};

enum class DiameterTest { Below, AtMost, Exactly, AtLeast };

struct SingleWallRule {
    DiameterTest test;
    double diameter;
    double angle;
    BendDimensions bend;
};

// Tried in this order; the first rule that holds wins. The order matters:
// 450 mm at 45 degrees has its own pair ahead of the general 300+ rule.
constexpr SingleWallRule singleWallBendTable[] = {
    {DiameterTest::Below, 300, 15, {121, 71}},    {DiameterTest::Below, 300, 30, {121, 71}},
    {DiameterTest::Below, 300, 45, {146, 96}},    {DiameterTest::AtMost, 150, 90, {178, 128}},
    {DiameterTest::Exactly, 175, 90, {179, 129}}, {DiameterTest::Exactly, 200, 90, {202, 152}},
    {DiameterTest::Exactly, 250, 90, {221, 171}}, {DiameterTest::Exactly, 450, 45, {196, 146}},
    {DiameterTest::AtLeast, 300, 30, {146, 96}},  {DiameterTest::AtLeast, 300, 45, {162, 112}},
    {DiameterTest::AtLeast, 300, 90, {280, 230}},
};

bool holds(DiameterTest test, double diameter, double limit) {
    switch (test) {
    case DiameterTest::Below:
        return diameter < limit;
    case DiameterTest::AtMost:
        return diameter <= limit;
    case DiameterTest::Exactly:
        return diameter == limit;
    case DiameterTest::AtLeast:
        return diameter >= limit;
    }
    return false;
}

} // namespace

ItemList concentricAngleList() {
    return concentricAngles;
}
ItemList singleWallAngleList() {
    return singleWallAngles;
}
ItemList sectionCountList() {
    return sectionCounts;
}

std::optional<ItemList> singleWallDiameterList(std::string_view angleText) {
    for (const DiameterListRow& row : singleWallDiameterLists) {
        if (row.angleText == angleText) {
            return row.diameters;
        }
    }
    return std::nullopt;
}

ItemList everySingleWallDiameterList() {
    // The longest list holds every other one.
    return diametersUpTo450;
}

std::optional<BendDimensions> lookupConcentricBend(double angleDegrees) {
    for (const ConcentricRow& row : concentricBendTable) {
        if (row.angle == angleDegrees) {
            return row.bend;
        }
    }
    return std::nullopt;
}

std::optional<BendDimensions> lookupSingleWallBend(double diameter, double angleDegrees) {
    for (const SingleWallRule& rule : singleWallBendTable) {
        if (holds(rule.test, diameter, rule.diameter) && rule.angle == angleDegrees) {
            return rule.bend;
        }
    }
    return std::nullopt;
}

} // namespace offsetcore
