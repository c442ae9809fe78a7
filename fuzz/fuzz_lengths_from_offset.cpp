// Mode 1 of both systems: a finite result or none, and with a bend from the
// tables whole numbers only, shown as plain digits.

#include "calcinput.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const bool concentric = data.ConsumeBool();
    const double angle = fuzzcheck::anyAngle(data, concentric);
    const double offset = fuzzcheck::anyDouble(data);
    const auto input = fuzzcheck::pickSystemAndBend(data, angle, concentric);

    const auto result = offsetcore::lengthsFromOffset(*input.profile, angle, offset, input.bend);
    if (!result) {
        return 0;
    }
    FUZZ_CHECK(std::isfinite(result->length) && std::isfinite(result->vertical));
    FUZZ_CHECK(result->negative == (result->length < 0));
    if (input.bendFromTable) {
        fuzzcheck::checkShownResult(result->length);
        fuzzcheck::checkShownResult(result->vertical);
    }
    return 0;
}
