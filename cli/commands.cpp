#include "cli/commands.h"

#include "cli/table.h"
#include "offsetcore/plan.h"
#include "offsetcore/steps.h"

#include <algorithm>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

namespace offsetcalc {

namespace {

using offsetcore::FlueSystem;
using offsetcore::Outcome;
using offsetcore::Problem;

// Numbers on a command line are written as in scripts and spreadsheets'
// CSV, whatever the locale.
constexpr std::string_view separator = ".";

struct Said {
    const char* english;
    const char* dutch;
    const char* say(Language language) const {
        return language == Language::Dutch ? dutch : english;
    }
};

const char* helpText(Language language) {
    return Said{
        "Usage: offsetcalc COMMAND OPTIONS\n"
        "Two-bend offsets in flue-gas pipe runs, as the calculator windows give them.\n\n"
        "  lengths --system S --angle A [--diameter D] --offset X\n"
        "      bend dimensions A and B, length between the bends, vertical offset\n"
        "  offsets --system S --angle A [--diameter D] --sections N1000,N500,N250\n"
        "      horizontal and vertical offset of the sections between the bends\n"
        "  plan --system S [--diameter D] --offset X\n"
        "      every angle, with the whole-section combinations nearest the offset\n"
        "      (* marks the nearest that is not short of it)\n"
        "  chart --system S --angle A [--diameter D] [--total MM]\n"
        "      every offset whole sections give, up to a nominal length (3000)\n\n"
        "  --system     concentric or singlewall (single wall needs --diameter)\n"
        "  --format     text (default), csv or json\n"
        "  --help       show this text and exit\n"
        "  --version    show the version and exit\n\n"
        "Numbers are read with '.' as the decimal separator, whatever the locale.\n"
        "Lengths are millimetres; \"e\" means the offset is shorter than the bends.\n"
        "Exit status 0, or 2 with one line on standard error.\n"
        "More in: man offsetcalc\n",
        "Gebruik: offsetcalc OPDRACHT OPTIES\n"
        "Verslepingen met twee bochten in rookgaskanalen, zoals de rekenvensters ze geven.\n\n"
        "  lengths --system S --angle A [--diameter D] --offset X\n"
        "      bochtmaten A en B, lengte tussen de bochten, verticale versleping\n"
        "  offsets --system S --angle A [--diameter D] --sections N1000,N500,N250\n"
        "      horizontale en verticale versleping van de secties tussen de bochten\n"
        "  plan --system S [--diameter D] --offset X\n"
        "      elke hoek, met de combinaties van hele secties die de versleping\n"
        "      het dichtst benaderen (* bij de dichtste die niet te kort is)\n"
        "  chart --system S --angle A [--diameter D] [--total MM]\n"
        "      elke versleping die hele secties geven, tot een lengte (3000)\n\n"
        "  --system     concentric of singlewall (enkelwandig vraagt --diameter)\n"
        "  --format     text (standaard), csv of json\n"
        "  --help       toon deze tekst en stop\n"
        "  --version    toon het versienummer en stop\n\n"
        "Getallen worden gelezen met '.' als decimaalteken, wat de taalinstelling ook is.\n"
        "Lengtes in millimeters; \"e\": de versleping is korter dan de bochten.\n"
        "Afsluitstatus 0, of 2 met een regel op de foutuitvoer.\n"
        "Meer in: man offsetcalc\n"}
        .say(language);
}

// What the command line asks, as texts.
struct Request {
    std::string command;
    std::map<std::string, std::string> options;
    bool help = false;
    bool version = false;

    std::string option(const std::string& name, std::string fallback = {}) const {
        const auto found = options.find(name);
        return found == options.end() ? fallback : found->second;
    }
};

struct UsageError {
    std::string english;
    std::string dutch;
};

std::variant<UsageError, Request> parse(std::span<const std::string_view> arguments) {
    static const std::vector<std::string> known{"system",   "angle", "diameter", "offset",
                                                "sections", "total", "format"};
    Request request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string argument(arguments[i]);
        if (argument == "--help" || argument == "-h") {
            request.help = true;
        } else if (argument == "--version") {
            request.version = true;
        } else if (argument.starts_with("--")) {
            const auto equals = argument.find('=');
            const std::string name =
                argument.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            if (std::find(known.begin(), known.end(), name) == known.end()) {
                return UsageError{"unknown option " + argument, "onbekende optie " + argument};
            }
            if (equals != std::string::npos) {
                request.options[name] = argument.substr(equals + 1);
            } else if (i + 1 < arguments.size()) {
                request.options[name] = std::string(arguments[++i]);
            } else {
                return UsageError{"--" + name + " needs a value",
                                  "--" + name + " vraagt een waarde"};
            }
        } else if (request.command.empty()) {
            request.command = argument;
        } else {
            return UsageError{"unexpected argument " + argument, "onverwacht argument " + argument};
        }
    }
    return request;
}

// Each row of a table gets the angle's columns again, so that CSV and JSON
// rows stand on their own.
Table lengthsTable(const offsetcore::LengthTexts& texts, Language language) {
    const bool dutch = language == Language::Dutch;
    return {{"a", "b", "length", "vertical"},
            {"A", "B", dutch ? "lengte tussen de bochten" : "length between the bends",
             dutch ? "verticale versleping" : "vertical offset"},
            {{texts.a, texts.b, texts.length, texts.vertical}}};
}

Table offsetsTable(const offsetcore::OffsetTexts& texts, Language language) {
    const bool dutch = language == Language::Dutch;
    return {{"horizontal", "vertical"},
            {dutch ? "horizontale versleping" : "horizontal offset",
             dutch ? "verticale versleping" : "vertical offset"},
            {{texts.horizontal, texts.vertical}}};
}

std::vector<std::string> combinationCells(const offsetcore::Combination& c) {
    return {std::to_string(c.n1000),
            std::to_string(c.n500),
            std::to_string(c.n250),
            c.horizontal,
            c.difference,
            c.vertical};
}

Table planTable(const offsetcore::Plan& plan, Language language) {
    const bool dutch = language == Language::Dutch;
    Table table{{"angle", "a", "b", "length", "vertical", "n1000", "n500", "n250", "horizontal",
                 "difference", "sections_vertical", "nearest_not_short"},
                {dutch ? "hoek" : "angle", "A", "B", dutch ? "lengte" : "length",
                 dutch ? "verticaal" : "vertical", "1000", "500", "250",
                 dutch ? "horizontaal" : "horizontal", dutch ? "verschil" : "difference",
                 dutch ? "verticaal" : "vertical", ""},
                {}};
    for (const offsetcore::PlannedAngle& angle : plan.angles) {
        const std::vector<std::string> head{angle.angle, angle.lengths.a, angle.lengths.b,
                                            angle.lengths.length, angle.lengths.vertical};
        for (const auto* rows : {&angle.nearest, &angle.further}) {
            for (const offsetcore::Combination& combination : *rows) {
                std::vector<std::string> row = head;
                for (std::string& cell : combinationCells(combination)) {
                    row.push_back(std::move(cell));
                }
                row.push_back(combination.advised ? "*" : "");
                table.rows.push_back(std::move(row));
            }
        }
    }
    return table;
}

Table chartTable(const offsetcore::Chart& chart, Language language) {
    const bool dutch = language == Language::Dutch;
    Table table{{"n1000", "n500", "n250", "horizontal", "vertical"},
                {"1000", "500", "250", dutch ? "horizontaal" : "horizontal",
                 dutch ? "verticaal" : "vertical"},
                {}};
    for (const offsetcore::Combination& c : chart.rows) {
        table.rows.push_back({std::to_string(c.n1000), std::to_string(c.n500),
                              std::to_string(c.n250), c.horizontal, c.vertical});
    }
    return table;
}

// Runs a parsed command: a table, or why not.
std::variant<UsageError, Problem, Table> answer(const Request& request, Language language) {
    const auto named = offsetcore::systemNamed(request.option("system"));
    if (!named) {
        return UsageError{"--system must be concentric or singlewall",
                          "--system moet concentric of singlewall zijn"};
    }
    const FlueSystem system = *named;
    const std::string angle = request.option("angle");
    const std::string diameter = request.option("diameter");
    const std::string offset = request.option("offset");

    const auto table = [&](const auto& outcome,
                           auto make) -> std::variant<UsageError, Problem, Table> {
        if (const auto* problem = std::get_if<Problem>(&outcome)) {
            return *problem;
        }
        return make(std::get<1>(outcome), language);
    };
    if (request.command == "lengths") {
        return system == FlueSystem::Concentric
                   ? table(offsetcore::concentricLengths({angle, offset}, separator), lengthsTable)
                   : table(
                         offsetcore::singleWallLengths({angle, angle, diameter, offset}, separator),
                         lengthsTable);
    }
    if (request.command == "offsets") {
        std::vector<std::string> counts;
        std::istringstream sections(request.option("sections"));
        for (std::string count; std::getline(sections, count, ',');) {
            counts.push_back(count);
        }
        if (counts.size() != 3) {
            return UsageError{"--sections takes three counts: N1000,N500,N250",
                              "--sections vraagt drie aantallen: N1000,N500,N250"};
        }
        const offsetcore::CountTexts countTexts{counts[0], counts[1], counts[2]};
        return system == FlueSystem::Concentric
                   ? table(offsetcore::concentricOffsets({angle, countTexts}, separator),
                           offsetsTable)
                   : table(offsetcore::singleWallOffsets({angle, diameter, countTexts}, separator),
                           offsetsTable);
    }
    if (request.command == "plan") {
        return table(offsetcore::planOffset({system, diameter, offset}, separator), planTable);
    }
    if (request.command == "chart") {
        const std::string total =
            request.option("total", std::string(offsetcore::defaultChartTotal));
        return table(offsetcore::offsetChart({system, angle, diameter, total}, separator),
                     chartTable);
    }
    return UsageError{"unknown command '" + request.command + "' (see --help)",
                      "onbekende opdracht '" + request.command + "' (zie --help)"};
}

} // namespace

int run(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err,
        Language language) {
    const bool dutch = language == Language::Dutch;
    const auto refuse = [&](std::string_view line) {
        err << "offsetcalc: " << line << '\n';
        return refused;
    };
    const auto parsed = parse(arguments);
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        return refuse(dutch ? usage->dutch : usage->english);
    }
    const Request& request = std::get<Request>(parsed);
    if (request.help) {
        out << helpText(language);
        return answered;
    }
    if (request.version) {
        out << "offsetcalc " << OFFSET_VERSION << '\n';
        return answered;
    }
    const std::string formatName = request.option("format", "text");
    const std::map<std::string, Format> formats{
        {"text", Format::Text}, {"csv", Format::Csv}, {"json", Format::Json}};
    const auto format = formats.find(formatName);
    if (format == formats.end()) {
        return refuse(dutch ? "--format moet text, csv of json zijn"
                            : "--format must be text, csv or json");
    }

    const auto result = answer(request, language);
    if (const auto* usage = std::get_if<UsageError>(&result)) {
        return refuse(dutch ? usage->dutch : usage->english);
    }
    if (const auto* problem = std::get_if<Problem>(&result)) {
        const offsetcore::Message message = offsetcore::messageFor(*problem);
        return refuse(dutch ? message.prompt : message.english);
    }
    // Written whole at the end, so that a refusal leaves the output empty.
    write(out, std::get<Table>(result), format->second);
    return answered;
}

} // namespace offsetcalc
