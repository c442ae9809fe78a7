#pragma once

// Planning an offset with stock sections. An installer who has measured an
// offset wants to know which angle suits it and whether whole sections bridge
// it without cutting pipe. The plan answers both for every angle of a system
// at once; the chart lists, for one angle, every offset that whole sections
// give, as a printed table would. Every figure comes from the same mode 1 and
// mode 2 calculations the windows use, written as the windows write them.

#include "offsetcore/geometry.h"
#include "offsetcore/steps.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace offsetcore {

enum class FlueSystem { Concentric, SingleWall };

// A system by its one name outside C++ (the command line, the page's address
// and the core's methods there): "concentric" or "singlewall"; nothing for
// any other text.
std::optional<FlueSystem> systemNamed(std::string_view name);

// Whole sections between the bends, with what they give.
struct Combination {
    int n1000 = 0;
    int n500 = 0;
    int n250 = 0;
    std::string horizontal;
    std::string vertical;
    // horizontal - measured, with its sign ("+2", "0", "-37"); plans only.
    std::string difference;
    // The one a plan advises: the nearest that is not short of the measured
    // offset. Plans only.
    bool advised = false;
};

// One angle of a plan: mode 1 for the measured offset (the marker included)
// and the whole-section combinations nearest to it. The advised one is
// marked, and shown below them (further) when it is not among them; no
// combination is marked when none is long enough.
struct PlannedAngle {
    std::string angle; // the item of the angle list
    LengthTexts lengths;
    std::vector<Combination> nearest;
    std::vector<Combination> further; // the advised one, or none
};

struct Plan {
    std::vector<PlannedAngle> angles; // in the order of the angle list
};

struct PlanClick {
    FlueSystem system = FlueSystem::Concentric;
    std::string_view diameter; // single wall only
    std::string_view offset;   // the measured horizontal offset
};

// How many combinations a plan gives per angle.
inline constexpr int plannedCombinations = 5;

// For every angle of the system that has a bend (at the diameter), mode 1's
// texts and the combinations of 0 to 10 sections of each length ranked by
// how far their horizontal offset lies from the measured one, then by fewer
// sections, then more 1000 mm sections, then more 500 mm sections. Checks, in
// order: diameter empty (single wall), offset empty, diameter, offset; no
// angle with a bend gives the system's "no bend" problem.
Outcome<Plan> planOffset(const PlanClick& click, std::string_view decimalSeparator);

struct Chart {
    BendDimensions bend;
    std::vector<Combination> rows; // by horizontal, then vertical offset
};

struct ChartClick {
    FlueSystem system = FlueSystem::Concentric;
    std::string_view angle;
    std::string_view diameter; // single wall only
    std::string_view total;    // the most nominal length of sections, in mm
};

// The nominal length a chart covers unless told otherwise.
inline constexpr std::string_view defaultChartTotal = "3000";

// Every combination of 0 to 10 sections of each length whose nominal length
// (1000, 500 and 250 mm a section) is at most the total, with its horizontal
// and vertical offset. Combinations that give the same two offsets are one
// row, shown by the one a plan would rank first. Checks, in order: angle
// empty, diameter empty (single wall), total empty, angle, diameter, total,
// bend.
Outcome<Chart> offsetChart(const ChartClick& click, std::string_view decimalSeparator);

} // namespace offsetcore
