// The calculation core as JavaScript sees it (embind). Only conversions live
// here: every list, check, message and text comes from the core.
//
// A click crosses as an object of the texts its boxes show (a member that is
// missing or no string counts as an empty box) and the decimal separator of
// the page's locale. Its outcome comes back as a plain object: a problem as
// {problem, prompt, title, input}, with the code named as in the core and
// input the box it concerns (angle, diameter, offset, n1000, n500, n250,
// total or print); mode 1's texts as {length, vertical, a, b, marker,
// heldBend: {a, b}, inputs: {angle, offset}}; mode 2's as {horizontal,
// vertical, heldBend: {a, b}}.

#include "offsetcore/plan.h"
#include "offsetcore/report.h"
#include "offsetcore/steps.h"
#include "offsetcore/tables.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <optional>
#include <string>
#include <variant>

namespace {

using emscripten::val;
using offsetcore::Problem;

void setMessage(val& object, Problem problem) {
    const offsetcore::Message message = offsetcore::messageFor(problem);
    object.set("prompt", std::string(message.prompt));
    object.set("title", std::string(message.title));
}

std::string inputName(offsetcore::Input input) {
    using offsetcore::Input;
    switch (input) {
    case Input::Angle:
        return "angle";
    case Input::Diameter:
        return "diameter";
    case Input::Offset:
        return "offset";
    case Input::Count1000:
        return "n1000";
    case Input::Count500:
        return "n500";
    case Input::Count250:
        return "n250";
    case Input::Total:
        return "total";
    case Input::Print:
        return "print";
    }
    return "";
}

val problemObject(Problem problem, offsetcore::Input input) {
    val object = val::object();
    object.set("problem", std::string(offsetcore::problemName(problem)));
    setMessage(object, problem);
    object.set("input", inputName(input));
    return object;
}

val problemObject(Problem problem) {
    return problemObject(problem, offsetcore::inputOf(problem));
}

val textList(offsetcore::ItemList items) {
    val list = val::array();
    for (const std::string_view item : items) {
        list.call<void>("push", std::string(item));
    }
    return list;
}

std::string textMember(const val& object, const char* name) {
    if (object.isNull() || object.isUndefined()) {
        return {};
    }
    const val member = object[name];
    return member.isString() ? member.as<std::string>() : std::string();
}

val bendObject(const offsetcore::BendDimensions& bend) {
    val object = val::object();
    object.set("a", bend.a);
    object.set("b", bend.b);
    return object;
}

val outcomeObject(const offsetcore::Outcome<offsetcore::LengthTexts>& outcome) {
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return problemObject(*problem);
    }
    const auto& texts = std::get<offsetcore::LengthTexts>(outcome);
    val inputs = val::object();
    inputs.set("angle", texts.inputs.angle);
    inputs.set("offset", texts.inputs.offset);
    val object = val::object();
    object.set("length", texts.length);
    object.set("vertical", texts.vertical);
    object.set("a", texts.a);
    object.set("b", texts.b);
    object.set("marker", texts.marker);
    object.set("heldBend", bendObject(texts.heldBend));
    object.set("inputs", inputs);
    return object;
}

// Mode 2 puts a problem at the count that caused it.
val outcomeObject(const offsetcore::Outcome<offsetcore::OffsetTexts>& outcome,
                  const offsetcore::CountTexts& counts, const std::string& decimalSeparator) {
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return problemObject(*problem, offsetcore::inputOf(*problem, counts, decimalSeparator));
    }
    const auto& texts = std::get<offsetcore::OffsetTexts>(outcome);
    val object = val::object();
    object.set("horizontal", texts.horizontal);
    object.set("vertical", texts.vertical);
    object.set("heldBend", bendObject(texts.heldBend));
    return object;
}

// The three count boxes of a mode 2 click, kept alive for the views into them.
struct Counts {
    std::string n1000;
    std::string n500;
    std::string n250;

    explicit Counts(const val& click)
        : n1000(textMember(click, "n1000")), n500(textMember(click, "n500")),
          n250(textMember(click, "n250")) {}

    offsetcore::CountTexts texts() const { return {n1000, n500, n250}; }
};

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
val everySingleWallDiameterList() {
    return textList(offsetcore::everySingleWallDiameterList());
}

// {angle, offset}
val concentricLengths(const val& click, const std::string& decimalSeparator) {
    const std::string angle = textMember(click, "angle");
    const std::string offset = textMember(click, "offset");
    return outcomeObject(offsetcore::concentricLengths({angle, offset}, decimalSeparator));
}

// {angle, n1000, n500, n250}
val concentricOffsets(const val& click, const std::string& decimalSeparator) {
    const std::string angle = textMember(click, "angle");
    const Counts counts(click);
    return outcomeObject(offsetcore::concentricOffsets({angle, counts.texts()}, decimalSeparator),
                         counts.texts(), decimalSeparator);
}

// {angle, pickedAngle, diameter, offset}
val singleWallLengths(const val& click, const std::string& decimalSeparator) {
    const std::string angle = textMember(click, "angle");
    const std::string pickedAngle = textMember(click, "pickedAngle");
    const std::string diameter = textMember(click, "diameter");
    const std::string offset = textMember(click, "offset");
    return outcomeObject(
        offsetcore::singleWallLengths({angle, pickedAngle, diameter, offset}, decimalSeparator));
}

// {angle, diameter, n1000, n500, n250}
val singleWallOffsets(const val& click, const std::string& decimalSeparator) {
    const std::string angle = textMember(click, "angle");
    const std::string diameter = textMember(click, "diameter");
    const Counts counts(click);
    return outcomeObject(
        offsetcore::singleWallOffsets({angle, diameter, counts.texts()}, decimalSeparator),
        counts.texts(), decimalSeparator);
}

// What a - (direction < 0) or + beside a count box writes into it: {text},
// or the problem, which concerns that box whatever its input says.
val steppedCount(const std::string& text, int direction, const std::string& decimalSeparator) {
    const auto outcome = offsetcore::steppedCount(text, direction, decimalSeparator);
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return problemObject(*problem);
    }
    val object = val::object();
    object.set("text", std::get<std::string>(outcome));
    return object;
}

offsetcore::ReportItem reportItem(const val& fields, const char* name) {
    const val item = fields.isNull() || fields.isUndefined() ? val::null() : fields[name];
    return {textMember(item, "caption"), textMember(item, "value")};
}

// fields: {angle, offset, a, b, length, vertical}, each {caption, value};
// resultsFrom: the inputs of the mode 1 results shown, or null. Gives
// {report} or the problem.
val testReport(const val& fields, const val& resultsFrom) {
    std::optional<offsetcore::LengthInputs> from;
    if (!resultsFrom.isNull() && !resultsFrom.isUndefined()) {
        from = offsetcore::LengthInputs{textMember(resultsFrom, "angle"),
                                        textMember(resultsFrom, "offset")};
    }
    const auto outcome = offsetcore::testReport(
        {
            reportItem(fields, "angle"),
            reportItem(fields, "offset"),
            reportItem(fields, "a"),
            reportItem(fields, "b"),
            reportItem(fields, "length"),
            reportItem(fields, "vertical"),
        },
        from);
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return problemObject(*problem);
    }
    val object = val::object();
    object.set("report", std::get<std::string>(outcome));
    return object;
}

// null when the window may be printed, else the problem.
val checkWindowPrint(const std::string& length, const std::string& vertical,
                     const std::string& horizontal, const std::string& sectionVertical) {
    const auto problem =
        offsetcore::checkWindowPrint(length, vertical, horizontal, sectionVertical);
    return problem ? problemObject(*problem) : val::null();
}

// {prompt, title} of the code so named; null for a name the core has not.
val messageFor(const std::string& name) {
    for (int code = 0; code <= static_cast<int>(offsetcore::lastProblem); ++code) {
        if (name == offsetcore::problemName(static_cast<Problem>(code))) {
            val object = val::object();
            setMessage(object, static_cast<Problem>(code));
            return object;
        }
    }
    return val::null();
}

// An unknown system name counts as the concentric system; the page names
// only the two it offers.
offsetcore::FlueSystem systemMember(const val& click) {
    return textMember(click, "system") == "singleWall" ? offsetcore::FlueSystem::SingleWall
                                                       : offsetcore::FlueSystem::Concentric;
}

val combinationObject(const offsetcore::Combination& combination) {
    val object = val::object();
    object.set("n1000", combination.n1000);
    object.set("n500", combination.n500);
    object.set("n250", combination.n250);
    object.set("horizontal", combination.horizontal);
    object.set("vertical", combination.vertical);
    object.set("difference", combination.difference);
    return object;
}

// {system, diameter, offset}: {angles: [{angle, length, vertical, a, b,
// marker, nearest: [combination], nearestNotShort: combination or null}]}.
val planOffset(const val& click, const std::string& decimalSeparator) {
    const std::string diameter = textMember(click, "diameter");
    const std::string offset = textMember(click, "offset");
    const auto outcome =
        offsetcore::planOffset({systemMember(click), diameter, offset}, decimalSeparator);
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return problemObject(*problem);
    }
    val angles = val::array();
    for (const offsetcore::PlannedAngle& planned : std::get<offsetcore::Plan>(outcome).angles) {
        val angle = val::object();
        angle.set("angle", planned.angle);
        angle.set("length", planned.lengths.length);
        angle.set("vertical", planned.lengths.vertical);
        angle.set("a", planned.lengths.a);
        angle.set("b", planned.lengths.b);
        angle.set("marker", planned.lengths.marker);
        val nearest = val::array();
        for (const offsetcore::Combination& combination : planned.nearest) {
            nearest.call<void>("push", combinationObject(combination));
        }
        angle.set("nearest", nearest);
        angle.set("nearestNotShort", planned.nearestNotShort
                                         ? combinationObject(*planned.nearestNotShort)
                                         : val::null());
        angles.call<void>("push", angle);
    }
    val object = val::object();
    object.set("angles", angles);
    return object;
}

// {system, angle, diameter, total}: {bend: {a, b}, rows: [combination]}.
val offsetChart(const val& click, const std::string& decimalSeparator) {
    const std::string angle = textMember(click, "angle");
    const std::string diameter = textMember(click, "diameter");
    const std::string total = textMember(click, "total");
    const auto outcome =
        offsetcore::offsetChart({systemMember(click), angle, diameter, total}, decimalSeparator);
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return problemObject(*problem);
    }
    const auto& chart = std::get<offsetcore::Chart>(outcome);
    val rows = val::array();
    for (const offsetcore::Combination& combination : chart.rows) {
        rows.call<void>("push", combinationObject(combination));
    }
    val object = val::object();
    object.set("bend", bendObject(chart.bend));
    object.set("rows", rows);
    return object;
}

std::string defaultChartTotal() {
    return std::string(offsetcore::defaultChartTotal);
}

} // namespace

EMSCRIPTEN_BINDINGS(offsetcore) {
    emscripten::function("concentricAngleList", &concentricAngleList);
    emscripten::function("singleWallAngleList", &singleWallAngleList);
    emscripten::function("sectionCountList", &sectionCountList);
    emscripten::function("singleWallDiameterList", &singleWallDiameterList);
    emscripten::function("everySingleWallDiameterList", &everySingleWallDiameterList);
    emscripten::function("concentricLengths", &concentricLengths);
    emscripten::function("concentricOffsets", &concentricOffsets);
    emscripten::function("singleWallLengths", &singleWallLengths);
    emscripten::function("singleWallOffsets", &singleWallOffsets);
    emscripten::function("steppedCount", &steppedCount);
    emscripten::function("testReport", &testReport);
    emscripten::function("checkWindowPrint", &checkWindowPrint);
    emscripten::function("messageFor", &messageFor);
    emscripten::function("planOffset", &planOffset);
    emscripten::function("offsetChart", &offsetChart);
    emscripten::function("defaultChartTotal", &defaultChartTotal);
}
