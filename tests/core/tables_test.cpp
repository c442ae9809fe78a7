#include "offsetcore/tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace offsetcore;

std::vector<std::string_view> items(ItemList list) {
    return {list.begin(), list.end()};
}

using Items = std::vector<std::string_view>;

TEST(SelectionLists, HoldTheirItemsInOrder) {
    EXPECT_EQ(items(concentricAngleList()), (Items{"15", "30", "43", "87"}));
    EXPECT_EQ(items(singleWallAngleList()), (Items{"15", "30", "45", "90"}));
    EXPECT_EQ(items(sectionCountList()),
              (Items{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
}

TEST(SelectionLists, DiametersPerAngle) {
    const Items upTo250{"125", "150", "175", "200", "250"};
    const Items upTo300{"125", "150", "175", "200", "250", "300"};
    const Items upTo450{"125", "150", "175", "200", "250", "300", "350", "400", "450"};
    EXPECT_EQ(items(*singleWallDiameterList("15")), upTo250);
    EXPECT_EQ(items(*singleWallDiameterList("30")), upTo450);
    EXPECT_EQ(items(*singleWallDiameterList("45")), upTo450);
    EXPECT_EQ(items(*singleWallDiameterList("90")), upTo300);
}

// A plan offers the diameters before any angle is known: each angle's list
// must be found in it, or a diameter could be planned but not calculated.
TEST(SelectionLists, EveryDiameterOfAnyAngleOnceInListOrder) {
    const Items every = items(everySingleWallDiameterList());
    EXPECT_EQ(every, (Items{"125", "150", "175", "200", "250", "300", "350", "400", "450"}));
    for (std::string_view angle : singleWallAngleList()) {
        const ItemList offered = *singleWallDiameterList(angle);
        for (std::string_view diameter : offered) {
            EXPECT_NE(std::find(every.begin(), every.end(), diameter), every.end())
                << angle << ' ' << diameter;
        }
    }
}

TEST(SelectionLists, DiameterListComparesTextNotNumber) {
    for (std::string_view text : {"", "15,0", " 15", "015", "43", "abc"}) {
        EXPECT_FALSE(singleWallDiameterList(text).has_value()) << '"' << text << '"';
    }
}

// ---- concentric bends -------------------------------------------------------

TEST(ConcentricBend, EveryListedAngleHasItsPair) {
    EXPECT_EQ(lookupConcentricBend(15), (BendDimensions{76, 40}));
    EXPECT_EQ(lookupConcentricBend(30), (BendDimensions{76, 41}));
    EXPECT_EQ(lookupConcentricBend(43), (BendDimensions{75, 41}));
    EXPECT_EQ(lookupConcentricBend(87), (BendDimensions{139, 103}));
}

TEST(ConcentricBend, OtherAnglesHaveNoRow) {
    for (double angle : {0.0, 45.0, 90.0, 30.000000001, -30.0}) {
        EXPECT_FALSE(lookupConcentricBend(angle).has_value()) << angle;
    }
}

// ---- single-wall bends ------------------------------------------------------

// The table as the boxes offer it: every diameter of every angle's list.
struct SingleWallCase {
    std::string name;
    double diameter;
    double angle;
    std::optional<BendDimensions> expected;
};

class SingleWallBend : public testing::TestWithParam<SingleWallCase> {};

TEST_P(SingleWallBend, FirstMatchingRuleGivesThePair) {
    const SingleWallCase& c = GetParam();
    EXPECT_EQ(lookupSingleWallBend(c.diameter, c.angle), c.expected);
}

constexpr BendDimensions small15or30{121, 71};
constexpr BendDimensions small45{146, 96};

INSTANTIATE_TEST_SUITE_P(
    ListedDiameters, SingleWallBend,
    testing::Values(SingleWallCase{"D125At15", 125, 15, small15or30},
                    SingleWallCase{"D150At15", 150, 15, small15or30},
                    SingleWallCase{"D175At15", 175, 15, small15or30},
                    SingleWallCase{"D200At15", 200, 15, small15or30},
                    SingleWallCase{"D250At15", 250, 15, small15or30},
                    SingleWallCase{"D125At30", 125, 30, small15or30},
                    SingleWallCase{"D150At30", 150, 30, small15or30},
                    SingleWallCase{"D175At30", 175, 30, small15or30},
                    SingleWallCase{"D200At30", 200, 30, small15or30},
                    SingleWallCase{"D250At30", 250, 30, small15or30},
                    SingleWallCase{"D300At30", 300, 30, BendDimensions{146, 96}},
                    SingleWallCase{"D350At30", 350, 30, BendDimensions{146, 96}},
                    SingleWallCase{"D400At30", 400, 30, BendDimensions{146, 96}},
                    SingleWallCase{"D450At30", 450, 30, BendDimensions{146, 96}},
                    SingleWallCase{"D125At45", 125, 45, small45},
                    SingleWallCase{"D150At45", 150, 45, small45},
                    SingleWallCase{"D175At45", 175, 45, small45},
                    SingleWallCase{"D200At45", 200, 45, small45},
                    SingleWallCase{"D250At45", 250, 45, small45},
                    SingleWallCase{"D300At45", 300, 45, BendDimensions{162, 112}},
                    SingleWallCase{"D350At45", 350, 45, BendDimensions{162, 112}},
                    SingleWallCase{"D400At45", 400, 45, BendDimensions{162, 112}},
                    SingleWallCase{"D450At45HasItsOwnPair", 450, 45, BendDimensions{196, 146}},
                    SingleWallCase{"D125At90", 125, 90, BendDimensions{178, 128}},
                    SingleWallCase{"D150At90", 150, 90, BendDimensions{178, 128}},
                    SingleWallCase{"D175At90OneMore", 175, 90, BendDimensions{179, 129}},
                    SingleWallCase{"D200At90", 200, 90, BendDimensions{202, 152}},
                    SingleWallCase{"D250At90", 250, 90, BendDimensions{221, 171}},
                    SingleWallCase{"D300At90", 300, 90, BendDimensions{280, 230}}),
    [](const auto& row) { return row.param.name; });

// Diameters a person can type although no list offers them.
INSTANTIATE_TEST_SUITE_P(
    TypedDiameters, SingleWallBend,
    testing::Values(SingleWallCase{"D100At90", 100, 90, BendDimensions{178, 128}},
                    SingleWallCase{"D275At90HasNoRow", 275, 90, std::nullopt},
                    SingleWallCase{"D275At15", 275, 15, small15or30},
                    SingleWallCase{"D275At30", 275, 30, small15or30},
                    SingleWallCase{"D350At90", 350, 90, BendDimensions{280, 230}},
                    SingleWallCase{"D300At15HasNoRow", 300, 15, std::nullopt},
                    SingleWallCase{"D450At15HasNoRow", 450, 15, std::nullopt},
                    SingleWallCase{"D160At90HasNoRow", 160, 90, std::nullopt},
                    SingleWallCase{"D125At43HasNoRow", 125, 43, std::nullopt},
                    SingleWallCase{"D299Point9At30", 299.9, 30, small15or30},
                    SingleWallCase{"D450Point5At45", 450.5, 45, BendDimensions{162, 112}}),
    [](const auto& row) { return row.param.name; });

} // namespace
