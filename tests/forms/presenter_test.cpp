// Both windows' behaviour without a toolkit: events in, the answers a face
// carries out come out. Which check of a click comes first is the core's
// (tests/core/steps_test.cpp); here one case of each kind shows that the
// presenter passes it on and changes nothing else.

#include "forms/presenter.h"
#include "offsetcore/report.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Each action by its kind and fields, so that a failure says what differs.
namespace forms {
void PrintTo(const SetText& a, std::ostream* os) {
    *os << "SetText " << a.control << " '" << a.text << "'";
}
void PrintTo(const FillList& a, std::ostream* os) {
    *os << "FillList " << a.control << " [";
    for (const std::string& item : a.items) {
        *os << ' ' << item;
    }
    *os << " ] '" << a.text << "'";
}
void PrintTo(const Enable& a, std::ostream* os) {
    *os << "Enable " << a.control << ' ' << a.enabled;
}
void PrintTo(const ShowMessage& a, std::ostream* os) {
    *os << "ShowMessage '" << a.prompt << "' '" << a.title << "'";
}
void PrintTo(const TellResults& a, std::ostream* os) {
    *os << "TellResults " << a.button << " '" << a.told << "' '" << a.description << "'";
}
void PrintTo(const ShowWindow& a, std::ostream* os) {
    *os << "ShowWindow " << a.focus;
}
void PrintTo(const PrintReport& a, std::ostream* os) {
    *os << "PrintReport " << a.family << ' ' << a.pointSize << " '" << a.text << "'";
}
void PrintTo(const PrintWindowImage&, std::ostream* os) {
    *os << "PrintWindowImage";
}
void PrintTo(const End&, std::ostream* os) {
    *os << "End";
}
} // namespace forms

namespace offsetcore {
void PrintTo(const BendDimensions& bend, std::ostream* os) {
    *os << bend.a << '/' << bend.b;
}
} // namespace offsetcore

namespace {

using namespace forms;
using offsetcore::BendDimensions;

enum class System { Twin, Solo };

// One calculation as a person enters it: in solooffset the angle is picked
// first (nullptr: never), which offers the diameters; then the angle box
// shows `angle`, and the diameter and the offset or the counts are typed.
struct Entry {
    System system;
    int mode;
    const char* picked;
    const char* angle;
    const char* diameter;
    std::array<const char*, 3> rest;
};

// A face in miniature: it keeps what the boxes show, writes the answers'
// texts into them and hands them to the presenter at every event.
class Face {
public:
    explicit Face(System system, const char* separator = ",") {
        if (system == System::Twin) {
            presenter_ = std::make_unique<TwinPresenter>(separator);
        } else {
            presenter_ = std::make_unique<SoloPresenter>(separator);
        }
        apply(presenter_->load());
    }

    Presenter& presenter() { return *presenter_; }
    std::string pickedAngle() const {
        const auto* solo = dynamic_cast<const SoloPresenter*>(presenter_.get());
        return solo != nullptr ? solo->pickedAngle() : "";
    }

    void type(const std::string& box, const std::string& text) { shown_[box] = text; }
    Answer pick(const std::string& box, const std::string& item) {
        shown_[box] = item;
        return apply(presenter_->pick(box, item));
    }
    Answer click(const std::string& button) { return apply(presenter_->click(button, shown_)); }

    Answer calculate(const Entry& e) {
        const bool first = e.mode == 1;
        if (e.picked != nullptr) {
            pick(first ? "cmbHoek" : "cmbHoek2", e.picked);
        }
        type(first ? "cmbHoek" : "cmbHoek2", e.angle);
        if (e.diameter != nullptr) {
            type(first ? "cmbDiameter" : "cmbDiameter2", e.diameter);
        }
        const char* const rest[] = {"cmb1000", "cmb500", "cmb250"};
        for (size_t i = 0; i < (first ? 1 : 3); ++i) {
            type(first ? "txtHorVersleping" : rest[i], e.rest[i]);
        }
        return click(first ? "cmdBereken" : "cmdBereken2");
    }

    // Results in both halves and a pair held, so that any change would show.
    void calculateBoth(System system) {
        const Entry both[2][2] = {{{System::Twin, 1, nullptr, "87", nullptr, {"1000"}},
                                   {System::Twin, 2, nullptr, "15", nullptr, {"1", "1", "1"}}},
                                  {{System::Solo, 1, "45", "45", "125", {"500"}},
                                   {System::Solo, 2, "90", "90", "125", {"1", "0", "0"}}}};
        for (const Entry& e : both[system == System::Twin ? 0 : 1]) {
            ASSERT_TRUE(std::holds_alternative<TellResults>(calculate(e).back()));
        }
    }

private:
    Answer apply(Answer answer) {
        for (const Action& action : answer) {
            if (const auto* set = std::get_if<SetText>(&action)) {
                shown_[set->control] = set->text;
            } else if (const auto* fill = std::get_if<FillList>(&action)) {
                shown_[fill->control] = fill->text;
            }
        }
        return answer;
    }

    std::unique_ptr<Presenter> presenter_;
    Shown shown_;
};

Answer warning(const char* prompt, const char* title = "Let op!") {
    return {ShowMessage{prompt, title}};
}

// ---- load ----------------------------------------------------------------

TEST(Load, FillsTheListsThenShowsTheWindowWithTheFocusInTheAngleBox) {
    const std::vector<std::string> counts{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    const auto lists = [&](const std::vector<std::string>& angles) {
        return Answer{FillList{"cmbHoek", angles, ""},  FillList{"cmbHoek2", angles, ""},
                      FillList{"cmb1000", counts, "0"}, FillList{"cmb500", counts, "0"},
                      FillList{"cmb250", counts, "0"},  ShowWindow{"cmbHoek"}};
    };
    EXPECT_EQ(TwinPresenter(",").load(), lists({"15", "30", "43", "87"}));
    Answer solo{Enable{"cmbDiameter", false}, Enable{"cmbDiameter2", false}};
    const Answer soloLists = lists({"15", "30", "45", "90"});
    solo.insert(solo.end(), soloLists.begin(), soloLists.end());
    EXPECT_EQ(SoloPresenter(",").load(), solo);
}

// ---- the calculations ----------------------------------------------------

// A click either writes the mode's results (mode 1: length, vertical, A, B;
// mode 2: horizontal, vertical) and holds the pair, or only warns.
struct ClickCase {
    const char* name;
    Entry entry;
    std::vector<std::string> written;
    BendDimensions held;
    const char* prompt = nullptr;
    const char* separator = ",";
};
void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << c.name;
}

// 10^308: a finite offset or count whose result is not.
const std::string huge = "1" + std::string(308, '0');
constexpr System twin = System::Twin;
constexpr System solo = System::Solo;

// clang-format off
const ClickCase clickCases[] = {
    {"Twin1Worked", {twin, 1, nullptr, "30", nullptr, {"500"}}, {"883", "1013", "76", "41"}, {76, 41}},
    {"Twin1NegativeLengthShowsMarker", {twin, 1, nullptr, "30", nullptr, {"58"}}, {"e", "e", "76", "41"}, {76, 41}},
    {"Twin1AngleReadWithDecimalComma", {twin, 1, nullptr, "30,00", nullptr, {"500"}}, {"883", "1013", "76", "41"}, {76, 41}},
    {"Twin1SeparatorIsTheLocales", {twin, 1, nullptr, "43", nullptr, {"612.5"}}, {"782", "803", "75", "41"}, {75, 41}, nullptr, "."},
    {"Twin2NoSections", {twin, 2, nullptr, "15", nullptr, {"0", "0", "0"}}, {"30", "258"}, {76, 40}},
    {"Twin2OneMetreOneQuarter", {twin, 2, nullptr, "43", nullptr, {"1", "0", "1"}}, {"863", "1071"}, {75, 41}},
    {"Twin2CountAboveTheList", {twin, 2, nullptr, "87", nullptr, {"12", "0", "0"}}, {"11602", "880"}, {139, 103}},
    {"Twin2CountReadWithDecimalComma", {twin, 2, nullptr, "30", nullptr, {"1,5", "0", "0"}}, {"769", "1480"}, {76, 41}},
    {"Solo1Worked", {solo, 1, "45", "45", "125", {"500"}}, {"465", "792", "146", "96"}, {146, 96}},
    {"Solo1NegativeLengthShowsMarker", {solo, 1, "45", "45", "125", {"100"}}, {"e", "e", "146", "96"}, {146, 96}},
    {"Solo1OffsetReadWithDecimalComma", {solo, 1, "45", "45", "125", {"500,4"}}, {"466", "792", "146", "96"}, {146, 96}},
    {"Solo1PickWrittenOtherwiseStillCounts", {solo, 1, "30", " 30,0 ", "125", {"500"}}, {"808", "1108", "121", "71"}, {121, 71}},
    {"Solo2Worked", {solo, 2, "45", "45", "125", {"1", "0", "1"}}, {"981", "1273"}, {146, 96}},
    {"Solo2NegativeCountAddsNothing", {solo, 2, "30", "30", "125", {"1", "-2", "1"}}, {"668", "1400"}, {121, 71}},
    {"Solo2ReadsItsAngleBoxNotThePick", {solo, 2, "45", "30", "125", {"1", "0", "1"}}, {"668", "1400"}, {121, 71}},
    {"Solo2NeedsNoPick", {solo, 2, nullptr, "45", "125", {"1", "0", "1"}}, {"981", "1273"}, {146, 96}},
    {"Twin1AllEmpty", {twin, 1, nullptr, "", nullptr, {""}}, {}, {}, "Hoek invoeren"},
    {"Twin1OffsetEmpty", {twin, 1, nullptr, "30", nullptr, {""}}, {}, {}, "Versleping invoeren"},
    {"Twin1AngleLetters", {twin, 1, nullptr, "abc", nullptr, {"500"}}, {}, {}, "Hoek is geen geldig getal"},
    {"Twin1NoRowAt45", {twin, 1, nullptr, "45", nullptr, {"600"}}, {}, {}, "Geen bochtmaten voor deze hoek"},
    {"Twin1ResultTooLarge", {twin, 1, nullptr, "15", nullptr, {huge.c_str()}}, {}, {}, "Uitkomst te groot"},
    {"Twin2AngleEmpty", {twin, 2, nullptr, "", nullptr, {"1", "0", "0"}}, {}, {}, "Hoek invoeren"},
    {"Twin2CountEmptied", {twin, 2, nullptr, "30", nullptr, {"1", "", "0"}}, {}, {}, "Aantal secties is geen geldig getal"},
    {"Twin2NoRowAt45", {twin, 2, nullptr, "45", nullptr, {"1", "0", "0"}}, {}, {}, "Geen bochtmaten voor deze hoek"},
    {"Twin2ResultTooLarge", {twin, 2, nullptr, "30", nullptr, {huge.c_str(), "0", "0"}}, {}, {}, "Uitkomst te groot"},
    {"Solo1DiameterEmpty", {solo, 1, "45", "45", "", {"500"}}, {}, {}, "Diameter invoeren"},
    {"Solo1DiameterLetters", {solo, 1, "45", "45", "abc", {"500"}}, {}, {}, "Diameter is geen geldig getal"},
    {"Solo1OffsetLetters", {solo, 1, "45", "45", "125", {"vijf"}}, {}, {}, "Versleping is geen geldig getal"},
    {"Solo1AngleTypedOverThePick", {solo, 1, "30", "45", "125", {"500"}}, {}, {}, "Kies de hoek uit de lijst"},
    {"Solo1TypedAngleIsNoPick", {solo, 1, nullptr, "30", "125", {"500"}}, {}, {}, "Kies de hoek uit de lijst"},
    {"Solo1Typed275At90", {solo, 1, "90", "90", "275", {"600"}}, {}, {}, "Geen bochtmaten voor deze hoek en diameter"},
    {"Solo2AllEmpty", {solo, 2, "45", "", "", {"", "", ""}}, {}, {}, "Hoek invoeren"},
    {"Solo2DiameterEmpty", {solo, 2, "45", "45", "", {"1", "0", "1"}}, {}, {}, "Diameter invoeren"},
    {"Solo2AngleLetters", {solo, 2, "45", "abc", "125", {"1", "0", "1"}}, {}, {}, "Hoek is geen geldig getal"},
    {"Solo2Typed275At90", {solo, 2, "90", "90", "275", {"1", "0", "1"}}, {}, {}, "Geen bochtmaten voor deze hoek en diameter"},
    {"Solo2ResultTooLarge", {solo, 2, "45", "45", "125", {huge.c_str(), "0", "0"}}, {}, {}, "Uitkomst te groot"},
};
// clang-format on

class Clicks : public testing::TestWithParam<ClickCase> {};

// Each row in a window just loaded (mode 2 needs no pair of mode 1) and
// after both calculations, where a change would show.
TEST_P(Clicks, WriteTheModesResultsInOrderOrOnlyWarn) {
    const ClickCase& c = GetParam();
    const bool first = c.entry.mode == 1;
    Answer expected = c.prompt != nullptr ? warning(c.prompt) : Answer{};
    const char* const boxes[2][4] = {{"txtLengte", "txtHoogte", "txtA", "txtB"},
                                     {"txtVerHor", "txtVerVerticaal"}};
    for (size_t i = 0; i < c.written.size(); ++i) {
        expected.emplace_back(SetText{boxes[first ? 0 : 1][i], c.written[i]});
    }
    for (const bool filled : {false, true}) {
        SCOPED_TRACE(filled ? "after both calculations" : "just loaded");
        Face face(c.entry.system, c.separator);
        if (filled) {
            face.calculateBoth(c.entry.system);
        }
        // The pick ahead of the click, so that only the click's own changes count.
        if (c.entry.picked != nullptr) {
            face.pick(first ? "cmbHoek" : "cmbHoek2", c.entry.picked);
        }
        const std::optional<BendDimensions> held = face.presenter().heldBend();
        const std::string picked = face.pickedAngle();
        Answer answer = face.calculate(c.entry);
        if (c.prompt == nullptr) {
            ASSERT_TRUE(!answer.empty() && std::holds_alternative<TellResults>(answer.back()));
            EXPECT_EQ(std::get<TellResults>(answer.back()).button,
                      first ? "cmdBereken" : "cmdBereken2");
            answer.pop_back();
        }
        EXPECT_EQ(answer, expected);
        EXPECT_EQ(face.presenter().heldBend(), c.prompt != nullptr ? held : c.held);
        EXPECT_EQ(face.pickedAngle(), picked);
    }
}

INSTANTIATE_TEST_SUITE_P(Click, Clicks, testing::ValuesIn(clickCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Click, TellsTheResultsByTheirCaptionsThroughTheButton) {
    const struct {
        Entry entry;
        const char* button;
        std::string told;
    } rows[] = {
        {{twin, 1, nullptr, "30", nullptr, {"500"}},
         "cmdBereken",
         "A: 76; B: 41; Lengte tussen de bochten in mm: 883; "
         "Lengte van de verticale versleping in mm: 1013."},
        {{solo, 2, "45", "45", "125", {"1", "0", "1"}},
         "cmdBereken2",
         "Horizontale versleping in mm: 981; Verticale versleping in mm: 1273."},
    };
    for (const auto& row : rows) {
        Face face(row.entry.system);
        const std::string described = face.presenter().form().find(row.button)->description;
        const Action told =
            TellResults{row.button, row.told, "Uitkomst. " + row.told + " " + described};
        EXPECT_EQ(face.calculate(row.entry).back(), told);
    }
}

// One window's calculations in turn: the pair held is that of the last
// lookup, in either mode, that found a row.
TEST(Click, HoldsThePairOfTheLastLookupThatFoundARow) {
    const std::optional<BendDimensions> none;
    const struct {
        Entry entry;
        std::optional<BendDimensions> held;
    } steps[] = {
        {{twin, 1, nullptr, "90", nullptr, {"500"}}, none},
        {{twin, 1, nullptr, "87", nullptr, {"1000"}}, BendDimensions{139, 103}},
        {{twin, 2, nullptr, "15", nullptr, {"1", "0", "0"}}, BendDimensions{76, 40}},
        {{twin, 1, nullptr, "45", nullptr, {"600"}}, BendDimensions{76, 40}},
        {{twin, 2, nullptr, "45", nullptr, {"1", "0", "0"}}, BendDimensions{76, 40}},
        {{solo, 1, "90", "90", "275", {"500"}}, none},
        {{solo, 1, "45", "45", "450", {"500"}}, BendDimensions{196, 146}},
        {{solo, 2, "90", "90", "125", {"1", "0", "0"}}, BendDimensions{178, 128}},
        {{solo, 1, "90", "90", "275", {"500"}}, BendDimensions{178, 128}},
        {{solo, 2, "15", "15", "300", {"1", "0", "0"}}, BendDimensions{178, 128}},
    };
    Face twinFace(twin);
    Face soloFace(solo);
    for (const auto& step : steps) {
        Face& face = step.entry.system == twin ? twinFace : soloFace;
        face.calculate(step.entry);
        EXPECT_EQ(face.presenter().heldBend(), step.held) << step.entry.angle;
    }
}

// ---- solooffset's angle picks ---------------------------------------------

TEST(Pick, OffersTheAnglesDiametersInItsModeOnlyAndMode1KeepsThePick) {
    const std::vector<std::string> upTo250{"125", "150", "175", "200", "250"};
    const std::vector<std::string> upTo300{"125", "150", "175", "200", "250", "300"};
    const std::vector<std::string> upTo450{"125", "150", "175", "200", "250",
                                           "300", "350", "400", "450"};
    const struct {
        System system;
        const char* box;
        const char* item;
        Answer expected;
        const char* pickedAfter; // cmbHoek was picked at 30 first
    } rows[] = {
        // clang-format off
        {solo, "cmbHoek", "15", {FillList{"cmbDiameter", upTo250, ""}, Enable{"cmbDiameter", true}}, "15"},
        {solo, "cmbHoek", "30", {FillList{"cmbDiameter", upTo450, ""}, Enable{"cmbDiameter", true}}, "30"},
        {solo, "cmbHoek", "45", {FillList{"cmbDiameter", upTo450, ""}, Enable{"cmbDiameter", true}}, "45"},
        {solo, "cmbHoek", "90", {FillList{"cmbDiameter", upTo300, ""}, Enable{"cmbDiameter", true}}, "90"},
        {solo, "cmbHoek2", "15", {FillList{"cmbDiameter2", upTo250, ""}, Enable{"cmbDiameter2", true}}, "30"},
        {solo, "cmbHoek2", "30", {FillList{"cmbDiameter2", upTo450, ""}, Enable{"cmbDiameter2", true}}, "30"},
        {solo, "cmbHoek2", "45", {FillList{"cmbDiameter2", upTo450, ""}, Enable{"cmbDiameter2", true}}, "30"},
        {solo, "cmbHoek2", "90", {FillList{"cmbDiameter2", upTo300, ""}, Enable{"cmbDiameter2", true}}, "30"},
        // A text without a list of its own leaves the items on offer.
        {solo, "cmbHoek", "60", {Enable{"cmbDiameter", true}}, "60"},
        {solo, "cmbDiameter", "125", {}, "30"},
        {solo, "cmb1000", "1", {}, "30"},
        {twin, "cmbHoek", "30", {}, ""},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.box) + " " + row.item);
        Face face(row.system);
        face.pick("cmbHoek", "30");
        EXPECT_EQ(face.pick(row.box, row.item), row.expected);
        EXPECT_EQ(face.pickedAngle(), row.pickedAfter);
    }
}

// ---- printing and the end ----------------------------------------------------

TEST(Print, TwinTestPrintsTheReportOfWhatIsShownOnlyWhenItBelongsTogether) {
    using Pair = std::array<const char*, 2>; // angle, offset
    const char* const calculateFirst = "Druk eerst op Bereken";
    const struct {
        const char* name;
        std::vector<Pair> calculated;       // Bereken clicked on each in turn
        Pair shown;                         // at the click on Test
        std::array<const char*, 4> results; // A, B, length, vertical
        const char* prompt;
    } rows[] = {
        // clang-format off
        {"nothing calculated: blanks", {}, {"", ""}, {"", "", "", ""}, nullptr},
        {"a refused calculation pairs nothing", {{"dertig", "vijf"}}, {"dertig", "vijf"}, {"", "", "", ""}, nullptr},
        {"worked example", {{"30", "500"}}, {"30", "500"}, {"76", "41", "883", "1013"}, nullptr},
        {"marker", {{"30", "58"}}, {"30", "58"}, {"76", "41", "e", "e"}, nullptr},
        {"blanks kept as typed", {{" 43 ", " 612,5 "}}, {" 43 ", " 612,5 "}, {"75", "41", "782", "803"}, nullptr},
        {"offset typed since", {{"30", "500"}}, {"30", "1200"}, {}, calculateFirst},
        {"angle typed since", {{"30", "500"}}, {"43", "500"}, {}, calculateFirst},
        {"refused since: the old pairing stands", {{"30", "500"}, {"90", "500"}}, {"90", "500"}, {}, calculateFirst},
        {"calculated again", {{"30", "500"}, {"43", "500"}}, {"43", "500"}, {"75", "41", "617", "682"}, nullptr},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Face face(twin);
        for (const Pair& pair : row.calculated) {
            face.calculate({twin, 1, nullptr, pair[0], nullptr, {pair[1]}});
        }
        face.type("cmbHoek", row.shown[0]);
        face.type("txtHorVersleping", row.shown[1]);
        if (row.prompt != nullptr) {
            EXPECT_EQ(face.click("cmdTest"), warning(row.prompt));
            continue;
        }
        const offsetcore::ReportFields fields{
            {"Hoek in graden:", row.shown[0]},
            {"Lengte horizontale- versleping in mm:", row.shown[1]},
            {"A:", row.results[0]},
            {"B:", row.results[1]},
            {"Lengte tussen de bochten in mm:", row.results[2]},
            {"Lengte van de verticale versleping in mm:", row.results[3]}};
        EXPECT_EQ(face.click("cmdTest"),
                  (Answer{PrintReport{offsetcore::composeReport(fields), "Courier", 14.0}}));
    }
}

TEST(Print, SoloPrintsTheWindowOnceEitherPairOfResultsIsShown) {
    const Answer enterValues = warning("Voer waarden in", "Let Op!");
    const Answer print{PrintWindowImage{}};
    const struct {
        const char* name;
        std::vector<Entry> calculated;
        Answer expected;
    } rows[] = {
        {"nothing calculated", {}, enterValues},
        {"only a refused calculation", {{solo, 1, "45", "45", "", {"500"}}}, enterValues},
        {"after mode 1", {{solo, 1, "45", "45", "125", {"500"}}}, print},
        {"after mode 1 showing the marker", {{solo, 1, "45", "45", "125", {"0"}}}, print},
        {"after mode 2", {{solo, 2, "45", "45", "125", {"1", "0", "1"}}}, print},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Face face(solo);
        for (const Entry& e : row.calculated) {
            face.calculate(e);
        }
        EXPECT_EQ(face.click("cmdPrinten"), row.expected);
    }
}

TEST(Print, TheOutcomeIsToldOnlyWhenThePrintFailed) {
    const std::pair<PrintOutcome, Answer> rows[] = {
        {PrintOutcome::Printed, {}},
        {PrintOutcome::Abandoned, {}},
        {PrintOutcome::ReportNotMade, warning("Rapport kon niet worden gemaakt")},
        {PrintOutcome::NoPrinter, warning("Geen printer beschikbaar")},
        {PrintOutcome::Failed, warning("Afdrukken mislukt")},
        {PrintOutcome::NoAnswer, warning("Printer reageert niet")},
    };
    for (const System system : {twin, solo}) {
        Face face(system);
        for (const auto& [outcome, expected] : rows) {
            EXPECT_EQ(face.presenter().printed(outcome), expected) << int(outcome);
        }
    }
}

TEST(End, CloseBoxAndAfsluitenEndTheProgramEvenWhileAPrintWaits) {
    Face twinFace(twin);
    EXPECT_EQ(twinFace.presenter().close(), Answer{End{}});
    Face soloFace(solo);
    EXPECT_EQ(soloFace.click("cmdAfsluiten"), Answer{End{}});
    soloFace.calculate({solo, 1, "45", "45", "125", {"500"}});
    ASSERT_EQ(soloFace.click("cmdPrinten"), Answer{PrintWindowImage{}});
    EXPECT_EQ(soloFace.click("cmdAfsluiten"), Answer{End{}});
    EXPECT_EQ(soloFace.presenter().close(), Answer{End{}});
}

} // namespace
