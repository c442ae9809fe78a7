#pragma once

// Turns fuzz bytes into the inputs of a calculation: every double bit
// pattern can occur (infinities, NaN, subnormals), and a bend comes either
// from the product tables, as in the windows, or from raw bits.

#include "fuzzcheck.h"

#include "offsetcore/geometry.h"
#include "offsetcore/numbertext.h"
#include "offsetcore/tables.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cstdint>
#include <string>

namespace fuzzcheck {

struct CalculationInput {
    const offsetcore::SystemProfile* profile = nullptr;
    offsetcore::BendDimensions bend;
    bool bendFromTable = false;
};

inline double anyDouble(FuzzedDataProvider& data) {
    // Half the time a plain whole or decimal number, which reaches the
    // interesting roundings far more often than random bits do.
    if (data.ConsumeBool()) {
        return std::bit_cast<double>(data.ConsumeIntegral<std::uint64_t>());
    }
    const auto tenths = data.ConsumeIntegralInRange<std::int32_t>(-2'000'000, 2'000'000);
    return data.ConsumeBool() ? tenths / 10.0 : static_cast<double>(tenths);
}

// An angle as the boxes give it: one from the lists half the time.
inline double anyAngle(FuzzedDataProvider& data, bool concentric) {
    if (data.ConsumeBool()) {
        const auto list =
            concentric ? offsetcore::concentricAngleList() : offsetcore::singleWallAngleList();
        const std::string_view text = list[data.ConsumeIntegralInRange<std::size_t>(0, list.size() - 1)];
        return std::stod(std::string(text));
    }
    return anyDouble(data);
}

inline CalculationInput pickSystemAndBend(FuzzedDataProvider& data, double angle, bool concentric) {
    CalculationInput input;
    input.profile = concentric ? &offsetcore::concentric : &offsetcore::singleWall;
    if (data.ConsumeBool()) {
        const auto bend = concentric
                              ? offsetcore::lookupConcentricBend(angle)
                              : offsetcore::lookupSingleWallBend(anyDouble(data), angle);
        if (bend) {
            input.bend = *bend;
            input.bendFromTable = true;
            return input;
        }
    }
    input.bend = {anyDouble(data), anyDouble(data)};
    return input;
}

// A result as a window shows it.
inline void checkShownResult(double value) {
    FUZZ_CHECK(std::isfinite(value));
    FUZZ_CHECK(isPlainWholeNumber(offsetcore::formatWholeNumber(value)));
}

} // namespace fuzzcheck
