// A plan as an installer asks for it: every angle of a system at one
// measured offset, for the concentric system and for every diameter the
// single-wall lists offer. Aim: under a millisecond a plan.

#include "offsetcore/plan.h"
#include "offsetcore/tables.h"

#include <benchmark/benchmark.h>

#include <set>
#include <string>

namespace {

using namespace offsetcore;

void BM_PlanConcentric(benchmark::State& state) {
    for (auto _ : state) {
        auto plan = planOffset({FlueSystem::Concentric, "", "900"}, ".");
        benchmark::DoNotOptimize(plan);
    }
}
BENCHMARK(BM_PlanConcentric)->Unit(benchmark::kMicrosecond);

void BM_PlanEverySingleWallDiameter(benchmark::State& state) {
    std::set<std::string> diameters;
    for (std::string_view angle : singleWallAngleList()) {
        const ItemList offered = *singleWallDiameterList(angle);
        for (std::string_view diameter : offered) {
            diameters.emplace(diameter);
        }
    }
    for (auto _ : state) {
        for (const std::string& diameter : diameters) {
            auto plan = planOffset({FlueSystem::SingleWall, diameter, "900"}, ".");
            benchmark::DoNotOptimize(plan);
        }
    }
    state.counters["plans"] = double(diameters.size());
}
BENCHMARK(BM_PlanEverySingleWallDiameter)->Unit(benchmark::kMicrosecond);

void BM_Chart(benchmark::State& state) {
    for (auto _ : state) {
        auto chart = offsetChart({FlueSystem::Concentric, "43", "", "3000"}, ".");
        benchmark::DoNotOptimize(chart);
    }
}
BENCHMARK(BM_Chart)->Unit(benchmark::kMicrosecond);

} // namespace
