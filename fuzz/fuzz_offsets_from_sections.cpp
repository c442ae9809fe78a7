// Mode 2 of both systems: a finite result or none, always whole (both
// results are rounded last) and shown as plain digits.

#include "calcinput.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const bool concentric = data.ConsumeBool();
    const double angle = fuzzcheck::anyAngle(data, concentric);
    offsetcore::SectionCounts counts;
    counts.n1000 = fuzzcheck::anyDouble(data);
    counts.n500 = fuzzcheck::anyDouble(data);
    counts.n250 = fuzzcheck::anyDouble(data);
    const auto input = fuzzcheck::pickSystemAndBend(data, angle, concentric);

    const auto result = offsetcore::offsetsFromSections(*input.profile, angle, counts, input.bend);
    if (!result) {
        return 0;
    }
    fuzzcheck::checkShownResult(result->horizontal);
    fuzzcheck::checkShownResult(result->vertical);
    return 0;
}
