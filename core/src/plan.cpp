#include "offsetcore/plan.h"

#include "offsetcore/numbertext.h"
#include "offsetcore/tables.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace offsetcore {

namespace {

// What the count boxes offer: 0 to 10 of each length.
constexpr int mostSections = 10;

// A combination with its offsets as numbers, for ranking.
struct Candidate {
    int n1000 = 0;
    int n500 = 0;
    int n250 = 0;
    SectionOffsets offsets;
    double distance = 0; // from the measured offset; plans only

    int sections() const { return n1000 + n500 + n250; }
};

// Of two combinations equally near, the one with fewer sections, then the
// one with more long ones: less to fit, fewer joints.
bool handierThan(const Candidate& a, const Candidate& b) {
    if (a.sections() != b.sections()) {
        return a.sections() < b.sections();
    }
    if (a.n1000 != b.n1000) {
        return a.n1000 > b.n1000;
    }
    return a.n500 > b.n500;
}

bool nearerThan(const Candidate& a, const Candidate& b) {
    if (a.distance != b.distance) {
        return a.distance < b.distance;
    }
    return handierThan(a, b);
}

const SystemProfile& profileOf(FlueSystem system) {
    return system == FlueSystem::Concentric ? concentric : singleWall;
}

ItemList anglesOf(FlueSystem system) {
    return system == FlueSystem::Concentric ? concentricAngleList() : singleWallAngleList();
}

Problem noBendFor(FlueSystem system) {
    return system == FlueSystem::Concentric ? Problem::NoBendForAngle
                                            : Problem::NoBendForAngleAndDiameter;
}

std::optional<BendDimensions> bendFor(FlueSystem system, double angle, double diameter) {
    return system == FlueSystem::Concentric ? lookupConcentricBend(angle)
                                            : lookupSingleWallBend(diameter, angle);
}

// Every combination the count boxes offer whose nominal length is at most
// the limit, with its offsets at the angle.
std::vector<Candidate> candidates(const SystemProfile& profile, double angle, BendDimensions bend,
                                  double nominalLimit) {
    std::vector<Candidate> all;
    for (int n1000 = 0; n1000 <= mostSections; ++n1000) {
        for (int n500 = 0; n500 <= mostSections; ++n500) {
            for (int n250 = 0; n250 <= mostSections; ++n250) {
                if (1000.0 * n1000 + 500.0 * n500 + 250.0 * n250 > nominalLimit) {
                    continue;
                }
                const SectionCounts counts{double(n1000), double(n500), double(n250)};
                // Ten sections of each at any listed angle stay far from
                // overflowing; a bend row without a finite result gives none.
                if (const auto offsets = offsetsFromSections(profile, angle, counts, bend)) {
                    all.push_back({n1000, n500, n250, *offsets, 0});
                }
            }
        }
    }
    return all;
}

Combination written(const Candidate& candidate) {
    return {candidate.n1000,
            candidate.n500,
            candidate.n250,
            formatWholeNumber(candidate.offsets.horizontal),
            formatWholeNumber(candidate.offsets.vertical),
            {}};
}

Combination written(const Candidate& candidate, double measured) {
    Combination combination = written(candidate);
    const double difference = candidate.offsets.horizontal - measured;
    combination.difference = formatWholeNumber(difference);
    if (difference > 0) {
        combination.difference.insert(combination.difference.begin(), '+');
    }
    return combination;
}

// Mode 1 for one angle of the plan, as the window of the system works it out
// for that angle picked from its list.
Outcome<LengthTexts> lengthsAt(const PlanClick& click, std::string_view angle,
                               std::string_view separator) {
    if (click.system == FlueSystem::Concentric) {
        return concentricLengths({angle, click.offset}, separator);
    }
    return singleWallLengths({angle, angle, click.diameter, click.offset}, separator);
}

} // namespace

std::optional<FlueSystem> systemNamed(std::string_view name) {
    if (name == "concentric") {
        return FlueSystem::Concentric;
    }
    if (name == "singlewall") {
        return FlueSystem::SingleWall;
    }
    return std::nullopt;
}

Outcome<Plan> planOffset(const PlanClick& click, std::string_view separator) {
    const bool isSingleWall = click.system == FlueSystem::SingleWall;
    if (isSingleWall && click.diameter.empty()) {
        return Problem::EnterDiameter;
    }
    if (click.offset.empty()) {
        return Problem::EnterOffset;
    }
    const auto diameter = isSingleWall ? parseNumber(click.diameter, separator) : 0.0;
    if (!diameter) {
        return Problem::DiameterNotANumber;
    }
    const auto measured = parseNumber(click.offset, separator);
    if (!measured) {
        return Problem::OffsetNotANumber;
    }

    const SystemProfile& profile = profileOf(click.system);
    Plan plan;
    for (std::string_view item : anglesOf(click.system)) {
        const auto angle = parseNumber(item, ".");
        const auto bend = bendFor(click.system, *angle, *diameter);
        if (!bend) {
            continue;
        }
        auto lengths = lengthsAt(click, item, separator);
        if (const auto* problem = std::get_if<Problem>(&lengths)) {
            return *problem;
        }
        std::vector<Candidate> all = candidates(profile, *angle, *bend, HUGE_VAL);
        for (Candidate& candidate : all) {
            candidate.distance = std::fabs(candidate.offsets.horizontal - *measured);
        }
        const auto shown =
            all.begin() + std::min<std::ptrdiff_t>(plannedCombinations, std::ssize(all));
        std::partial_sort(all.begin(), shown, all.end(), nearerThan);

        PlannedAngle planned{std::string(item), std::get<LengthTexts>(std::move(lengths)), {}, {}};
        for (auto candidate = all.begin(); candidate != shown; ++candidate) {
            planned.nearest.push_back(written(*candidate, *measured));
        }
        const Candidate* notShort = nullptr;
        for (const Candidate& candidate : all) {
            if (candidate.offsets.horizontal >= *measured &&
                (notShort == nullptr || nearerThan(candidate, *notShort))) {
                notShort = &candidate;
            }
        }
        if (notShort != nullptr) {
            const auto at = static_cast<std::size_t>(notShort - all.data());
            if (at < planned.nearest.size()) {
                planned.nearest[at].advised = true;
            } else {
                planned.further.push_back(written(*notShort, *measured));
                planned.further.back().advised = true;
            }
        }
        plan.angles.push_back(std::move(planned));
    }
    if (plan.angles.empty()) {
        return noBendFor(click.system);
    }
    return plan;
}

Outcome<Chart> offsetChart(const ChartClick& click, std::string_view separator) {
    const bool isSingleWall = click.system == FlueSystem::SingleWall;
    if (click.angle.empty()) {
        return Problem::EnterAngle;
    }
    if (isSingleWall && click.diameter.empty()) {
        return Problem::EnterDiameter;
    }
    if (click.total.empty()) {
        return Problem::EnterTotal;
    }
    const auto angle = parseNumber(click.angle, separator);
    if (!angle) {
        return Problem::AngleNotANumber;
    }
    const auto diameter = isSingleWall ? parseNumber(click.diameter, separator) : 0.0;
    if (!diameter) {
        return Problem::DiameterNotANumber;
    }
    const auto total = parseNumber(click.total, separator);
    if (!total) {
        return Problem::TotalNotANumber;
    }
    const auto bend = bendFor(click.system, *angle, *diameter);
    if (!bend) {
        return noBendFor(click.system);
    }

    // Keyed by the two offsets, so that equal rows fall together in the
    // order a chart is read.
    std::map<std::pair<double, double>, Candidate> rows;
    for (const Candidate& candidate : candidates(profileOf(click.system), *angle, *bend, *total)) {
        const std::pair key{candidate.offsets.horizontal, candidate.offsets.vertical};
        const auto [row, added] = rows.try_emplace(key, candidate);
        if (!added && handierThan(candidate, row->second)) {
            row->second = candidate;
        }
    }
    Chart chart{*bend, {}};
    for (const auto& [key, candidate] : rows) {
        chart.rows.push_back(written(candidate));
    }
    return chart;
}

} // namespace offsetcore
