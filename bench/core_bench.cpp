// Each core operation beside the same formula written inline, as the floor
// it is measured against. The inputs go through benchmark::DoNotOptimize so
// that neither side is folded away at compile time.

#include "offsetcore/geometry.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace offsetcore;

void BM_LengthsFromOffset(benchmark::State& state) {
    double angle = 30;
    double offset = 500;
    BendDimensions bend{76, 41};
    for (auto _ : state) {
        benchmark::DoNotOptimize(angle);
        benchmark::DoNotOptimize(offset);
        benchmark::DoNotOptimize(bend);
        auto result = lengthsFromOffset(concentric, angle, offset, bend);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_LengthsFromOffset);

void BM_LengthsFromOffsetInlineFloor(benchmark::State& state) {
    double angle = 30;
    double offset = 500;
    double a = 76;
    double b = 41;
    for (auto _ : state) {
        benchmark::DoNotOptimize(angle);
        benchmark::DoNotOptimize(offset);
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        const double r = angle * (3.14159265 / 180);
        double length = (std::nearbyint(offset / std::sin(r)) - a) - b;
        double vertical = ((std::nearbyint(offset / std::tan(r)) + b) + a) + 30;
        benchmark::DoNotOptimize(length);
        benchmark::DoNotOptimize(vertical);
    }
}
BENCHMARK(BM_LengthsFromOffsetInlineFloor);

void BM_OffsetsFromSections(benchmark::State& state) {
    double angle = 43;
    SectionCounts counts{1, 0, 1};
    BendDimensions bend{75, 41};
    for (auto _ : state) {
        benchmark::DoNotOptimize(angle);
        benchmark::DoNotOptimize(counts);
        benchmark::DoNotOptimize(bend);
        auto result = offsetsFromSections(concentric, angle, counts, bend);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_OffsetsFromSections);

void BM_OffsetsFromSectionsInlineFloor(benchmark::State& state) {
    double angle = 43;
    double n1000 = 1;
    double n500 = 0;
    double n250 = 1;
    double a = 75;
    double b = 41;
    for (auto _ : state) {
        benchmark::DoNotOptimize(angle);
        benchmark::DoNotOptimize(n1000);
        benchmark::DoNotOptimize(n500);
        benchmark::DoNotOptimize(n250);
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        const double c1000 = n1000 > 0 ? n1000 * 978 - n1000 * 30 : 0;
        const double c500 = n500 > 0 ? n500 * 480 - n500 * 30 : 0;
        const double c250 = n250 > 0 ? n250 * 231 - n250 * 30 : 0;
        const double sloped = (((c1000 + c500) + c250) + a) + b;
        const double r = angle * (3.14159265 / 180);
        double vertical = std::nearbyint(((sloped * std::cos(r) + b) + a) + 30);
        double horizontal = std::nearbyint(sloped * std::sin(r));
        benchmark::DoNotOptimize(vertical);
        benchmark::DoNotOptimize(horizontal);
    }
}
BENCHMARK(BM_OffsetsFromSectionsInlineFloor);

} // namespace
