// Answers queries to the calculation core, one line per query, for the
// comparison with the WebAssembly core (core_differential.mjs). Numbers cross
// as the 16 hex digits of their bits, texts as the hex of their UTF-8 bytes
// after an "x", so that both sides compare exactly what the core produced.
//
//   L system angle offset a b                -> length vertical negative, or null
//   S system angle n1000 n500 n250 a b       -> horizontal vertical, or null
//   C angle / W diameter angle               -> a b, or null
//   D angleText                              -> the diameter list, or null
//   P text separator                         -> the value, or null
//   F value                                  -> the text
//   R caption value (six times)              -> the report
//   T                                        -> the lists and the negative marker
// Results of the calculations are followed by their formatted text.

#include "offsetcore/geometry.h"
#include "offsetcore/numbertext.h"
#include "offsetcore/report.h"
#include "offsetcore/tables.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

double number(const std::string& hex) {
    const std::uint64_t bits = std::stoull(hex, nullptr, 16);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string hexOf(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(bits));
    return buffer;
}

std::string text(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 1; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return bytes;
}

std::string hexOf(std::string_view bytes) {
    std::string hex = "x";
    char buffer[3];
    for (const char c : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned char>(c));
        hex += buffer;
    }
    return hex;
}

std::string numberAnswer(double value) {
    return hexOf(value) + ' ' + offsetcore::formatWholeNumber(value);
}

std::string listAnswer(offsetcore::ItemList items) {
    std::string answer = "list";
    for (const std::string_view item : items) {
        answer += ' ' + hexOf(item);
    }
    return answer;
}

std::string bendAnswer(const std::optional<offsetcore::BendDimensions>& bend) {
    return bend ? hexOf(bend->a) + ' ' + hexOf(bend->b) : "null";
}

const offsetcore::SystemProfile& profile(const std::string& name) {
    return name == "concentric" ? offsetcore::concentric : offsetcore::singleWall;
}

std::string answer(const std::vector<std::string>& q) {
    const std::string& kind = q.at(0);
    if (kind == "L") {
        const auto r = offsetcore::lengthsFromOffset(profile(q.at(1)), number(q.at(2)),
                                                     number(q.at(3)), {number(q.at(4)), number(q.at(5))});
        return r ? numberAnswer(r->length) + ' ' + numberAnswer(r->vertical) + ' ' +
                       (r->negative ? "1" : "0")
                 : "null";
    }
    if (kind == "S") {
        const auto r = offsetcore::offsetsFromSections(
            profile(q.at(1)), number(q.at(2)), {number(q.at(3)), number(q.at(4)), number(q.at(5))},
            {number(q.at(6)), number(q.at(7))});
        return r ? numberAnswer(r->horizontal) + ' ' + numberAnswer(r->vertical) : "null";
    }
    if (kind == "C") {
        return bendAnswer(offsetcore::lookupConcentricBend(number(q.at(1))));
    }
    if (kind == "W") {
        return bendAnswer(offsetcore::lookupSingleWallBend(number(q.at(1)), number(q.at(2))));
    }
    if (kind == "D") {
        const auto list = offsetcore::singleWallDiameterList(text(q.at(1)));
        return list ? listAnswer(*list) : "null";
    }
    if (kind == "P") {
        const auto value = offsetcore::parseNumber(text(q.at(1)), text(q.at(2)));
        return value ? hexOf(*value) : "null";
    }
    if (kind == "F") {
        return hexOf(offsetcore::formatWholeNumber(number(q.at(1))));
    }
    if (kind == "R") {
        const auto item = [&](int i) {
            return offsetcore::ReportItem{text(q.at(1 + 2 * i)), text(q.at(2 + 2 * i))};
        };
        return hexOf(offsetcore::composeReport({item(0), item(1), item(2), item(3), item(4), item(5)}));
    }
    if (kind == "T") {
        return listAnswer(offsetcore::concentricAngleList()) + ' ' +
               listAnswer(offsetcore::singleWallAngleList()) + ' ' +
               listAnswer(offsetcore::sectionCountList()) + ' ' + hexOf(offsetcore::negativeMarker);
    }
    return "unknown query";
}

} // namespace

int main() {
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream fields(line);
        std::vector<std::string> query;
        for (std::string field; fields >> field;) {
            query.push_back(field);
        }
        try {
            std::cout << (query.empty() ? "unknown query" : answer(query)) << '\n';
        } catch (const std::exception&) {
            std::cout << "unknown query\n";
        }
    }
    return 0;
}
