// The calculation core as JavaScript sees it: plain C functions that methods.js
// (linked into offsetcore.js) turns into the methods of the core object. Only
// conversions live here: every list, check, message and text comes from the
// core.
//
// A click crosses as the texts of its boxes, which methods.js packs into the
// input buffer in the order each function below reads them: per text its
// length in bytes (four bytes, little-endian) and its UTF-8 bytes; the
// decimal separator of the page's locale, where one is asked for, comes last.
// Each function answers with JSON text, NUL-terminated, that stays valid
// until the next call.
//
// The outcome of a click: a problem as {problem, prompt, title, input}, with
// the code named as in the core and input the box it concerns (angle,
// diameter, offset, n1000, n500, n250, total or print); mode 1's texts as
// {written: {txtLengte, txtHoogte, txtA, txtB}, marker, heldBend: {a, b},
// inputs: {angle, offset}}; mode 2's as {written: {txtVerHor,
// txtVerVerticaal}, heldBend: {a, b}}. written names each text by the box it
// goes to, in the order it is written.

#include "offsetcore/numbertext.h"
#include "offsetcore/plan.h"
#include "offsetcore/report.h"
#include "offsetcore/steps.h"
#include "offsetcore/tables.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <emscripten/emscripten.h>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

using offsetcore::Problem;

// What methods.js packed for the call, and the call's answer.
std::string packed;
std::string answer;

// The texts of the input buffer, one after the other. Past the end of what
// was packed, every text is empty.
class Texts {
public:
    std::string_view next() {
        std::uint32_t size = 0;
        if (packed.size() - at < sizeof size) {
            return {};
        }
        std::memcpy(&size, packed.data() + at, sizeof size);
        at += sizeof size;
        const std::size_t length = size < packed.size() - at ? size : packed.size() - at;
        const std::string_view text(packed.data() + at, length);
        at += length;
        return text;
    }

private:
    std::size_t at = 0;
};

// Writes the answer as JSON: commas fall between the values of an object or
// array by themselves.
class Json {
public:
    Json() { answer.clear(); }

    Json& beginObject() {
        separate();
        answer += '{';
        first = true;
        return *this;
    }
    Json& endObject() {
        answer += '}';
        first = false;
        return *this;
    }
    Json& beginArray() {
        separate();
        answer += '[';
        first = true;
        return *this;
    }
    Json& endArray() {
        answer += ']';
        first = false;
        return *this;
    }
    // A member's name; its value follows.
    Json& key(std::string_view name) {
        string(name);
        answer += ':';
        first = true;
        return *this;
    }
    Json& string(std::string_view text) {
        separate();
        answer += '"';
        for (const char c : text) {
            if (c == '"' || c == '\\') {
                answer += '\\';
                answer += c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                constexpr char hex[] = "0123456789abcdef";
                answer += "\\u00";
                answer += hex[c >> 4];
                answer += hex[c & 15];
            } else {
                answer += c;
            }
        }
        answer += '"';
        return *this;
    }
    // Every number that crosses is finite: a count, or a bend dimension from
    // the tables. The core writes it in digits that read back as exactly
    // this double; only the sign of -0 is left to us.
    Json& number(double value) {
        separate();
        answer += value == 0 && std::signbit(value) ? "-0" : offsetcore::formatWholeNumber(value);
        return *this;
    }
    Json& boolean(bool value) {
        separate();
        answer += value ? "true" : "false";
        return *this;
    }
    Json& null() {
        separate();
        answer += "null";
        return *this;
    }

    // The answer for JavaScript; JSON escapes every NUL inside a string, so
    // the first NUL ends it.
    static const char* text() { return answer.c_str(); }

private:
    void separate() {
        if (!first) {
            answer += ',';
        }
        first = false;
    }

    bool first = true;
};

void writeMessage(Json& json, Problem problem) {
    const offsetcore::Message message = offsetcore::messageFor(problem);
    json.key("prompt").string(message.prompt).key("title").string(message.title);
}

const char* problemAnswer(Problem problem, offsetcore::Input input) {
    Json json;
    json.beginObject().key("problem").string(offsetcore::problemName(problem));
    writeMessage(json, problem);
    json.key("input").string(offsetcore::inputName(input)).endObject();
    return Json::text();
}

const char* problemAnswer(Problem problem) {
    return problemAnswer(problem, offsetcore::inputOf(problem));
}

const char* nullAnswer() {
    Json().null();
    return Json::text();
}

const char* listAnswer(offsetcore::ItemList items) {
    Json json;
    json.beginArray();
    for (const std::string_view item : items) {
        json.string(item);
    }
    json.endArray();
    return Json::text();
}

// One text as the whole answer.
const char* textAnswer(std::string_view name, std::string_view text) {
    Json json;
    json.beginObject().key(name).string(text).endObject();
    return Json::text();
}

void writeBend(Json& json, const offsetcore::BendDimensions& bend) {
    json.beginObject().key("a").number(bend.a).key("b").number(bend.b).endObject();
}

template <std::size_t N>
void writeWritten(Json& json, const std::array<offsetcore::Written, N>& written) {
    json.key("written").beginObject();
    for (const offsetcore::Written& text : written) {
        json.key(text.box).string(text.text);
    }
    json.endObject();
}

const char* lengthsAnswer(const offsetcore::Outcome<offsetcore::LengthTexts>& outcome) {
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return problemAnswer(*problem);
    }
    const auto& texts = std::get<offsetcore::LengthTexts>(outcome);
    Json json;
    json.beginObject();
    writeWritten(json, texts.written());
    json.key("marker").boolean(texts.marker).key("heldBend");
    writeBend(json, texts.heldBend);
    json.key("inputs")
        .beginObject()
        .key("angle")
        .string(texts.inputs.angle)
        .key("offset")
        .string(texts.inputs.offset)
        .endObject()
        .endObject();
    return Json::text();
}

// Mode 2 puts a problem at the count that caused it.
const char* offsetsAnswer(const offsetcore::Outcome<offsetcore::OffsetTexts>& outcome,
                          const offsetcore::CountTexts& counts, std::string_view decimalSeparator) {
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return problemAnswer(*problem, offsetcore::inputOf(*problem, counts, decimalSeparator));
    }
    const auto& texts = std::get<offsetcore::OffsetTexts>(outcome);
    Json json;
    json.beginObject();
    writeWritten(json, texts.written());
    json.key("heldBend");
    writeBend(json, texts.heldBend);
    json.endObject();
    return Json::text();
}

offsetcore::CountTexts readCounts(Texts& texts) {
    const std::string_view n1000 = texts.next();
    const std::string_view n500 = texts.next();
    return {n1000, n500, texts.next()};
}

void writeCombination(Json& json, const offsetcore::Combination& combination) {
    json.beginObject()
        .key("n1000")
        .number(combination.n1000)
        .key("n500")
        .number(combination.n500)
        .key("n250")
        .number(combination.n250)
        .key("horizontal")
        .string(combination.horizontal)
        .key("vertical")
        .string(combination.vertical)
        .key("difference")
        .string(combination.difference)
        .key("advised")
        .boolean(combination.advised)
        .endObject();
}

void writeCombinations(Json& json, const std::vector<offsetcore::Combination>& combinations) {
    json.beginArray();
    for (const offsetcore::Combination& combination : combinations) {
        writeCombination(json, combination);
    }
    json.endArray();
}

} // namespace

extern "C" {

// Room for the packed texts of the next call, at least size bytes.
EMSCRIPTEN_KEEPALIVE char* offsetcore_input(std::size_t size) {
    packed.resize(size);
    return packed.data();
}

EMSCRIPTEN_KEEPALIVE const char* offsetcore_concentricAngleList() {
    return listAnswer(offsetcore::concentricAngleList());
}

EMSCRIPTEN_KEEPALIVE const char* offsetcore_singleWallAngleList() {
    return listAnswer(offsetcore::singleWallAngleList());
}

EMSCRIPTEN_KEEPALIVE const char* offsetcore_sectionCountList() {
    return listAnswer(offsetcore::sectionCountList());
}

// angleText: the list, or null.
EMSCRIPTEN_KEEPALIVE const char* offsetcore_singleWallDiameterList() {
    const auto list = offsetcore::singleWallDiameterList(Texts().next());
    if (!list) {
        return nullAnswer();
    }
    return listAnswer(*list);
}

EMSCRIPTEN_KEEPALIVE const char* offsetcore_everySingleWallDiameterList() {
    return listAnswer(offsetcore::everySingleWallDiameterList());
}

// angle, offset, separator
EMSCRIPTEN_KEEPALIVE const char* offsetcore_concentricLengths() {
    Texts texts;
    const std::string_view angle = texts.next();
    const std::string_view offset = texts.next();
    return lengthsAnswer(offsetcore::concentricLengths({angle, offset}, texts.next()));
}

// angle, n1000, n500, n250, separator
EMSCRIPTEN_KEEPALIVE const char* offsetcore_concentricOffsets() {
    Texts texts;
    const std::string_view angle = texts.next();
    const offsetcore::CountTexts counts = readCounts(texts);
    const std::string_view separator = texts.next();
    return offsetsAnswer(offsetcore::concentricOffsets({angle, counts}, separator), counts,
                         separator);
}

// angle, pickedAngle, diameter, offset, separator
EMSCRIPTEN_KEEPALIVE const char* offsetcore_singleWallLengths() {
    Texts texts;
    const std::string_view angle = texts.next();
    const std::string_view pickedAngle = texts.next();
    const std::string_view diameter = texts.next();
    const std::string_view offset = texts.next();
    return lengthsAnswer(
        offsetcore::singleWallLengths({angle, pickedAngle, diameter, offset}, texts.next()));
}

// angle, diameter, n1000, n500, n250, separator
EMSCRIPTEN_KEEPALIVE const char* offsetcore_singleWallOffsets() {
    Texts texts;
    const std::string_view angle = texts.next();
    const std::string_view diameter = texts.next();
    const offsetcore::CountTexts counts = readCounts(texts);
    const std::string_view separator = texts.next();
    return offsetsAnswer(offsetcore::singleWallOffsets({angle, diameter, counts}, separator),
                         counts, separator);
}

// text, separator. What a - (direction < 0) or + beside a count box writes
// into it: {text}, or the problem, which concerns that box whatever its input
// says.
EMSCRIPTEN_KEEPALIVE const char* offsetcore_steppedCount(int direction) {
    Texts texts;
    const std::string_view text = texts.next();
    const auto outcome = offsetcore::steppedCount(text, direction, texts.next());
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return problemAnswer(*problem);
    }
    return textAnswer("text", std::get<std::string>(outcome));
}

// Caption and value of angle, offset, a, b, length and vertical, then, when
// resultsFrom is set, the angle and offset the mode 1 results shown were
// computed from. Gives {report} or the problem.
EMSCRIPTEN_KEEPALIVE const char* offsetcore_testReport(int resultsFrom) {
    Texts texts;
    offsetcore::ReportFields fields;
    for (offsetcore::ReportItem* item :
         {&fields.angle, &fields.offset, &fields.a, &fields.b, &fields.length, &fields.vertical}) {
        item->caption = texts.next();
        item->value = texts.next();
    }
    std::optional<offsetcore::LengthInputs> from;
    if (resultsFrom != 0) {
        const std::string_view angle = texts.next();
        from = offsetcore::LengthInputs{std::string(angle), std::string(texts.next())};
    }
    const auto outcome = offsetcore::testReport(fields, from);
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return problemAnswer(*problem);
    }
    return textAnswer("report", std::get<std::string>(outcome));
}

// length, vertical, horizontal, sectionVertical: null when the window may be
// printed, else the problem.
EMSCRIPTEN_KEEPALIVE const char* offsetcore_checkWindowPrint() {
    Texts texts;
    const std::string_view length = texts.next();
    const std::string_view vertical = texts.next();
    const std::string_view horizontal = texts.next();
    const auto problem = offsetcore::checkWindowPrint(length, vertical, horizontal, texts.next());
    if (!problem) {
        return nullAnswer();
    }
    return problemAnswer(*problem);
}

// name: {prompt, title} of the code so named; null for a name the core has
// not.
EMSCRIPTEN_KEEPALIVE const char* offsetcore_messageFor() {
    const auto problem = offsetcore::problemNamed(Texts().next());
    if (!problem) {
        return nullAnswer();
    }
    Json json;
    json.beginObject();
    writeMessage(json, *problem);
    json.endObject();
    return Json::text();
}

// A plan or a chart for a system the core has no name for answers null,
// which methods.js turns into a TypeError, as it does a wrong argument: a
// plan of another system than the one asked for would be a wrong answer.

// system, diameter, offset, separator: {angles: [{angle, length, vertical, a,
// b, marker, nearest: [combination], further: [combination]}]}, the advised
// combination marked wherever it stands.
EMSCRIPTEN_KEEPALIVE const char* offsetcore_planOffset() {
    Texts texts;
    const auto system = offsetcore::systemNamed(texts.next());
    if (!system) {
        return nullAnswer();
    }
    const std::string_view diameter = texts.next();
    const std::string_view offset = texts.next();
    const auto outcome = offsetcore::planOffset({*system, diameter, offset}, texts.next());
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return problemAnswer(*problem);
    }
    Json json;
    json.beginObject().key("angles").beginArray();
    for (const offsetcore::PlannedAngle& planned : std::get<offsetcore::Plan>(outcome).angles) {
        json.beginObject()
            .key("angle")
            .string(planned.angle)
            .key("length")
            .string(planned.lengths.length)
            .key("vertical")
            .string(planned.lengths.vertical)
            .key("a")
            .string(planned.lengths.a)
            .key("b")
            .string(planned.lengths.b)
            .key("marker")
            .boolean(planned.lengths.marker)
            .key("nearest");
        writeCombinations(json, planned.nearest);
        json.key("further");
        writeCombinations(json, planned.further);
        json.endObject();
    }
    json.endArray().endObject();
    return Json::text();
}

// system, angle, diameter, total, separator: {bend: {a, b}, rows:
// [combination]}.
EMSCRIPTEN_KEEPALIVE const char* offsetcore_offsetChart() {
    Texts texts;
    const auto system = offsetcore::systemNamed(texts.next());
    if (!system) {
        return nullAnswer();
    }
    const std::string_view angle = texts.next();
    const std::string_view diameter = texts.next();
    const std::string_view total = texts.next();
    const auto outcome = offsetcore::offsetChart({*system, angle, diameter, total}, texts.next());
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return problemAnswer(*problem);
    }
    const auto& chart = std::get<offsetcore::Chart>(outcome);
    Json json;
    json.beginObject().key("bend");
    writeBend(json, chart.bend);
    json.key("rows");
    writeCombinations(json, chart.rows);
    json.endObject();
    return Json::text();
}

EMSCRIPTEN_KEEPALIVE const char* offsetcore_defaultChartTotal() {
    Json().string(offsetcore::defaultChartTotal);
    return Json::text();
}

} // extern "C"
