// The calculation core as JavaScript sees it (embind). Only conversions live
// here: every number, list and text comes from the core. "No value" crosses
// as null, and so does an unknown system name.

#include "offsetcore/geometry.h"
#include "offsetcore/numbertext.h"
#include "offsetcore/report.h"
#include "offsetcore/tables.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <string>

namespace {

using emscripten::val;

const offsetcore::SystemProfile* profileNamed(const std::string& system) {
    if (system == "concentric") {
        return &offsetcore::concentric;
    }
    if (system == "singleWall") {
        return &offsetcore::singleWall;
    }
    return nullptr;
}

val textList(offsetcore::ItemList items) {
    val list = val::array();
    for (const std::string_view item : items) {
        list.call<void>("push", std::string(item));
    }
    return list;
}

val bendObject(const std::optional<offsetcore::BendDimensions>& bend) {
    if (!bend) {
        return val::null();
    }
    val object = val::object();
    object.set("a", bend->a);
    object.set("b", bend->b);
    return object;
}

val concentricAngleList() {
    return textList(offsetcore::concentricAngleList());
}
val singleWallAngleList() {
    return textList(offsetcore::singleWallAngleList());
}
val sectionCountList() {
    return textList(offsetcore::sectionCountList());
}
val singleWallDiameterList(const std::string& angleText) {
    const auto list = offsetcore::singleWallDiameterList(angleText);
    return list ? textList(*list) : val::null();
}

val lookupConcentricBend(double angle) {
    return bendObject(offsetcore::lookupConcentricBend(angle));
}
val lookupSingleWallBend(double diameter, double angle) {
    return bendObject(offsetcore::lookupSingleWallBend(diameter, angle));
}

val lengthsFromOffset(const std::string& system, double angle, double offset, double a, double b) {
    const offsetcore::SystemProfile* profile = profileNamed(system);
    if (!profile) {
        return val::null();
    }
    const auto result = offsetcore::lengthsFromOffset(*profile, angle, offset, {a, b});
    if (!result) {
        return val::null();
    }
    val object = val::object();
    object.set("length", result->length);
    object.set("vertical", result->vertical);
    object.set("negative", result->negative);
    return object;
}

val offsetsFromSections(const std::string& system, double angle, double n1000, double n500,
                        double n250, double a, double b) {
    const offsetcore::SystemProfile* profile = profileNamed(system);
    if (!profile) {
        return val::null();
    }
    const auto result =
        offsetcore::offsetsFromSections(*profile, angle, {n1000, n500, n250}, {a, b});
    if (!result) {
        return val::null();
    }
    val object = val::object();
    object.set("horizontal", result->horizontal);
    object.set("vertical", result->vertical);
    return object;
}

val parseNumber(const std::string& text, const std::string& decimalSeparator) {
    const auto value = offsetcore::parseNumber(text, decimalSeparator);
    return value ? val(*value) : val::null();
}

std::string formatWholeNumber(double value) {
    return offsetcore::formatWholeNumber(value);
}

std::string negativeMarker() {
    return std::string(offsetcore::negativeMarker);
}

// A member that is missing or no string counts as empty text.
std::string textMember(const val& object, const char* name) {
    if (object.isNull() || object.isUndefined()) {
        return {};
    }
    const val member = object[name];
    return member.isString() ? member.as<std::string>() : std::string();
}

offsetcore::ReportItem reportItem(const val& fields, const char* name) {
    const val item = fields.isNull() || fields.isUndefined() ? val::null() : fields[name];
    return {textMember(item, "caption"), textMember(item, "value")};
}

std::string composeReport(const val& fields) {
    return offsetcore::composeReport({
        reportItem(fields, "angle"),
        reportItem(fields, "offset"),
        reportItem(fields, "a"),
        reportItem(fields, "b"),
        reportItem(fields, "length"),
        reportItem(fields, "vertical"),
    });
}

} // namespace

EMSCRIPTEN_BINDINGS(offsetcore) {
    emscripten::function("concentricAngleList", &concentricAngleList);
    emscripten::function("singleWallAngleList", &singleWallAngleList);
    emscripten::function("sectionCountList", &sectionCountList);
    emscripten::function("singleWallDiameterList", &singleWallDiameterList);
    emscripten::function("lookupConcentricBend", &lookupConcentricBend);
    emscripten::function("lookupSingleWallBend", &lookupSingleWallBend);
    emscripten::function("lengthsFromOffset", &lengthsFromOffset);
    emscripten::function("offsetsFromSections", &offsetsFromSections);
    emscripten::function("parseNumber", &parseNumber);
    emscripten::function("formatWholeNumber", &formatWholeNumber);
    emscripten::function("negativeMarker", &negativeMarker);
    emscripten::function("composeReport", &composeReport);
}
