#include "offsetcore/numbertext.h"
#include "offsetcore/plan.h"
#include "offsetcore/tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace offsetcore;

std::string counts(const Combination& c) {
    return std::to_string(c.n1000) + '/' + std::to_string(c.n500) + '/' + std::to_string(c.n250);
}

const PlannedAngle& at(const Plan& plan, std::string_view angle) {
    const auto found = std::find_if(plan.angles.begin(), plan.angles.end(),
                                    [&](const PlannedAngle& a) { return a.angle == angle; });
    EXPECT_NE(found, plan.angles.end()) << angle;
    return *found;
}

// ---- worked examples --------------------------------------------------------

struct Worked {
    std::string name;
    FlueSystem system;
    std::string diameter;
    std::string measured;
    std::string angle;
    std::string lengths; // length and vertical of mode 1
    // The first combinations: counts, horizontal, difference, vertical.
    std::vector<std::string> first;
};

class PlanWorked : public testing::TestWithParam<Worked> {};

TEST_P(PlanWorked, GivesModeOneAndTheNearestCombinations) {
    const Worked& w = GetParam();
    const auto plan = planOffset({w.system, w.diameter, w.measured}, ".");
    ASSERT_TRUE(std::holds_alternative<Plan>(plan));
    const PlannedAngle& angle = at(std::get<Plan>(plan), w.angle);
    EXPECT_EQ(angle.lengths.length + ' ' + angle.lengths.vertical, w.lengths);
    ASSERT_EQ(angle.nearest.size(), std::size_t(plannedCombinations));
    for (std::size_t i = 0; i < w.first.size(); ++i) {
        const Combination& c = angle.nearest[i];
        EXPECT_EQ(counts(c) + ' ' + c.horizontal + ' ' + c.difference + ' ' + c.vertical,
                  w.first[i])
            << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, PlanWorked,
                         testing::Values(Worked{"Concentric43",
                                                FlueSystem::Concentric,
                                                "",
                                                "900",
                                                "43",
                                                "1204 1111",
                                                {"0/0/6 902 +2 1113", "0/1/4 934 +34 1148",
                                                 "1/0/1 863 -37 1071"}},
                                         Worked{"Concentric15",
                                                FlueSystem::Concentric,
                                                "",
                                                "900",
                                                "15",
                                                "3361 3505",
                                                {"0/3/10 900 0 3504", "2/1/5 897 -3 3495"}},
                                         Worked{"Concentric87",
                                                FlueSystem::Concentric,
                                                "",
                                                "900",
                                                "87",
                                                "659 319",
                                                {"0/1/1 892 -8 319"}},
                                         Worked{"SingleWall45",
                                                FlueSystem::SingleWall,
                                                "125",
                                                "700",
                                                "45",
                                                "748 992",
                                                {"0/0/4 731 +31 1023"}}),
                         [](const auto& row) { return row.param.name; });

// ---- against every combination worked out one by one -------------------------

struct Brute {
    int n1000, n500, n250;
    SectionOffsets offsets;
    int sections() const { return n1000 + n500 + n250; }
    // Nearer first, then fewer sections, then more long ones.
    auto rank(double measured) const {
        return std::tuple(std::fabs(offsets.horizontal - measured), sections(), -n1000, -n500);
    }
};

std::vector<Brute> everyCombination(FlueSystem system, double angle, BendDimensions bend) {
    const SystemProfile& profile = system == FlueSystem::Concentric ? concentric : singleWall;
    std::vector<Brute> all;
    for (int a = 0; a <= 10; ++a) {
        for (int b = 0; b <= 10; ++b) {
            for (int c = 0; c <= 10; ++c) {
                const SectionCounts n{double(a), double(b), double(c)};
                all.push_back({a, b, c, *offsetsFromSections(profile, angle, n, bend)});
            }
        }
    }
    return all;
}

struct Setting {
    FlueSystem system;
    std::string diameter;
    double angle;
    BendDimensions bend;
};

// Every angle at every listed diameter (single wall: each distinct bend once).
std::vector<Setting> everySetting() {
    std::vector<Setting> settings;
    for (std::string_view item : concentricAngleList()) {
        const double angle = *parseNumber(item, ".");
        settings.push_back({FlueSystem::Concentric, "", angle, *lookupConcentricBend(angle)});
    }
    for (std::string_view item : singleWallAngleList()) {
        const double angle = *parseNumber(item, ".");
        const ItemList diameters = *singleWallDiameterList(item);
        for (std::string_view diameter : diameters) {
            settings.push_back({FlueSystem::SingleWall, std::string(diameter), angle,
                                *lookupSingleWallBend(*parseNumber(diameter, "."), angle)});
        }
    }
    return settings;
}

TEST(Plan, RanksEveryCombinationAsWorkedOutOneByOne) {
    for (const Setting& s : everySetting()) {
        for (const double measured :
             {-50.0, 0.0, 1.0, 333.5, 900.0, 1017.0, 1500.0, 4321.0, 6000.0, 25000.0}) {
            const std::string text = formatWholeNumber(measured);
            const auto plan = planOffset({s.system, s.diameter, text}, ".");
            ASSERT_TRUE(std::holds_alternative<Plan>(plan));
            const PlannedAngle& angle = at(std::get<Plan>(plan), formatWholeNumber(s.angle));

            std::vector<Brute> all = everyCombination(s.system, s.angle, s.bend);
            std::sort(all.begin(), all.end(), [&](const Brute& x, const Brute& y) {
                return x.rank(measured) < y.rank(measured);
            });
            const std::string where = s.diameter + " at " + angle.angle + ", " + text;
            for (int i = 0; i < plannedCombinations; ++i) {
                const Combination& got = angle.nearest[std::size_t(i)];
                EXPECT_EQ(std::tie(got.n1000, got.n500, got.n250),
                          std::tie(all[std::size_t(i)].n1000, all[std::size_t(i)].n500,
                                   all[std::size_t(i)].n250))
                    << where;
                EXPECT_EQ(got.vertical, formatWholeNumber(all[std::size_t(i)].offsets.vertical));
            }
            const auto notShort = std::find_if(all.begin(), all.end(), [&](const Brute& b) {
                return b.offsets.horizontal >= measured;
            });
            // The advice: the nearest that is not short, marked where it
            // stands among the five or else the one row below them; nothing
            // marked when no combination is long enough.
            std::vector<const Combination*> advised;
            for (const auto* rows : {&angle.nearest, &angle.further}) {
                for (const Combination& c : *rows) {
                    if (c.advised) {
                        advised.push_back(&c);
                    }
                }
            }
            ASSERT_EQ(advised.size(), notShort != all.end() ? 1U : 0U) << where;
            const bool belowNearest =
                notShort != all.end() && notShort - all.begin() >= plannedCombinations;
            EXPECT_EQ(angle.further.size(), belowNearest ? 1U : 0U) << where;
            if (notShort != all.end()) {
                EXPECT_EQ(counts(*advised.front()),
                          counts({notShort->n1000, notShort->n500, notShort->n250, {}, {}, {}}))
                    << where;
                EXPECT_EQ(advised.front()->difference.front(),
                          measured == notShort->offsets.horizontal ? '0' : '+');
            }
        }
    }
}

TEST(Chart, ListsEveryDistinctOffsetWithinTheTotal) {
    for (const Setting& s : everySetting()) {
        for (const double total : {0.0, 1750.0, 3000.0, 100000.0}) {
            const auto chart = offsetChart(
                {s.system, formatWholeNumber(s.angle), s.diameter, formatWholeNumber(total)}, ".");
            ASSERT_TRUE(std::holds_alternative<Chart>(chart));
            std::map<std::pair<double, double>, Brute> rows;
            for (const Brute& b : everyCombination(s.system, s.angle, s.bend)) {
                if (1000 * b.n1000 + 500 * b.n500 + 250 * b.n250 > total) {
                    continue;
                }
                const auto [row, added] =
                    rows.try_emplace({b.offsets.horizontal, b.offsets.vertical}, b);
                if (!added && b.rank(0) < row->second.rank(0)) {
                    row->second = b;
                }
            }
            std::vector<std::string> expected;
            for (const auto& [key, b] : rows) {
                expected.push_back(counts({b.n1000, b.n500, b.n250, {}, {}, {}}) + ' ' +
                                   formatWholeNumber(key.first) + ' ' +
                                   formatWholeNumber(key.second));
            }
            std::vector<std::string> got;
            for (const Combination& c : std::get<Chart>(chart).rows) {
                got.push_back(counts(c) + ' ' + c.horizontal + ' ' + c.vertical);
            }
            EXPECT_EQ(got, expected) << s.diameter << " at " << s.angle << " up to " << total;
        }
    }
}

// ---- refusals -----------------------------------------------------------------

TEST(PlanAndChart, RefuseInTheirOrder) {
    const auto problem = [](const auto& outcome) {
        return std::holds_alternative<Problem>(outcome) ? std::get<Problem>(outcome) : Problem(-1);
    };
    using FS = FlueSystem;
    EXPECT_EQ(problem(planOffset({FS::SingleWall, "", ""}, ",")), Problem::EnterDiameter);
    EXPECT_EQ(problem(planOffset({FS::Concentric, "", ""}, ",")), Problem::EnterOffset);
    EXPECT_EQ(problem(planOffset({FS::SingleWall, "x", "y"}, ",")), Problem::DiameterNotANumber);
    EXPECT_EQ(problem(planOffset({FS::Concentric, "x", "1.5"}, ",")), Problem::OffsetNotANumber);
    EXPECT_EQ(problem(planOffset({FS::Concentric, "", "1" + std::string(308, '0')}, ",")),
              Problem::ResultTooLarge);

    EXPECT_EQ(problem(offsetChart({FS::SingleWall, "", "", ""}, ",")), Problem::EnterAngle);
    EXPECT_EQ(problem(offsetChart({FS::SingleWall, "45", "", ""}, ",")), Problem::EnterDiameter);
    EXPECT_EQ(problem(offsetChart({FS::Concentric, "x", "", ""}, ",")), Problem::EnterTotal);
    EXPECT_EQ(problem(offsetChart({FS::SingleWall, "x", "y", "z"}, ",")), Problem::AngleNotANumber);
    EXPECT_EQ(problem(offsetChart({FS::SingleWall, "45", "y", "z"}, ",")),
              Problem::DiameterNotANumber);
    EXPECT_EQ(problem(offsetChart({FS::Concentric, "45", "", "z"}, ",")), Problem::TotalNotANumber);
    EXPECT_EQ(problem(offsetChart({FS::Concentric, "45", "", "3000"}, ",")),
              Problem::NoBendForAngle);
    // A single-wall plan skips the angles without a bend at the diameter.
    const auto plan = planOffset({FS::SingleWall, "300", "500"}, ",");
    ASSERT_TRUE(std::holds_alternative<Plan>(plan));
    EXPECT_EQ(std::get<Plan>(plan).angles.size(), 3u);
    EXPECT_EQ(std::get<Plan>(plan).angles.front().angle, "30");
}

} // namespace

TEST(SystemNamed, KnowsEachSystemByItsOneName) {
    EXPECT_EQ(systemNamed("concentric"), FlueSystem::Concentric);
    EXPECT_EQ(systemNamed("singlewall"), FlueSystem::SingleWall);
    for (const std::string_view other :
         {"", "singleWall", "Concentric", "single wall", "enkelwandig", "concentric "}) {
        EXPECT_EQ(systemNamed(other), std::nullopt) << other;
    }
}
