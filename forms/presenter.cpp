#include "forms/presenter.h"

#include "forms/spoken.h"

namespace forms {

using offsetcore::Problem;

namespace {

std::vector<std::string> itemsOf(offsetcore::ItemList list) {
    return {list.begin(), list.end()};
}

} // namespace

Presenter::Presenter(const FormTable& form, std::string decimalSeparator)
    : form_(form), decimalSeparator_(std::move(decimalSeparator)) {}

Answer Presenter::pick(std::string_view, std::string_view) {
    return {};
}

Answer Presenter::printed(PrintOutcome outcome) const {
    switch (outcome) {
    case PrintOutcome::Printed:
    case PrintOutcome::Abandoned: // the window is gone, the program ending
        return {};
    case PrintOutcome::ReportNotMade:
        return warn(Problem::ReportNotMade);
    case PrintOutcome::NoPrinter:
        return warn(Problem::NoPrinter);
    case PrintOutcome::Failed:
        return warn(Problem::PrintFailed);
    case PrintOutcome::NoAnswer:
        return warn(Problem::PrinterNotAnswering);
    }
    return {};
}

Answer Presenter::close() const {
    return {End{}};
}

void Presenter::fillLists(Answer& answer, offsetcore::ItemList angles) const {
    for (const char* box : {"cmbHoek", "cmbHoek2"}) {
        answer.emplace_back(FillList{box, itemsOf(angles), ""});
    }
    for (const char* box : {"cmb1000", "cmb500", "cmb250"}) {
        answer.emplace_back(FillList{box, itemsOf(offsetcore::sectionCountList()), "0"});
    }
}

Answer Presenter::showLengths(const offsetcore::Outcome<offsetcore::LengthTexts>& outcome) {
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return warn(*problem);
    }
    return Bereken(std::get<offsetcore::LengthTexts>(outcome));
}

Answer Presenter::showOffsets(const offsetcore::Outcome<offsetcore::OffsetTexts>& outcome) {
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return warn(*problem);
    }
    return BerekenSecties(std::get<offsetcore::OffsetTexts>(outcome));
}

Answer Presenter::warn(Problem problem) {
    const offsetcore::Message message = offsetcore::messageFor(problem);
    return {ShowMessage{std::string(message.prompt), std::string(message.title)}};
}

std::string_view Presenter::text(const Shown& shown, std::string_view control) {
    const auto found = shown.find(control);
    return found != shown.end() ? std::string_view(found->second) : std::string_view();
}

std::string_view Presenter::result(std::string_view control) const {
    return text(results_, control);
}

void Presenter::write(Answer& answer, const offsetcore::Written& written) {
    answer.emplace_back(SetText{std::string(written.box), std::string(written.text)});
    results_.insert_or_assign(std::string(written.box), std::string(written.text));
}

TellResults Presenter::tell(const char* button, std::initializer_list<const char*> results) const {
    std::string told;
    for (const char* box : results) {
        if (!told.empty()) {
            told += "; ";
        }
        told += spokenNameOf(form_, *form_.find(box));
        told += ": ";
        told += result(box);
    }
    told += '.';
    std::string description = std::string(spoken::results) + ". " + told;
    if (const ControlEntry* entry = form_.find(button); entry->description != nullptr) {
        description += ' ';
        description += entry->description;
    }
    return {button, told, description};
}

Answer Presenter::Bereken(const offsetcore::LengthTexts& results) {
    Answer answer;
    for (const offsetcore::Written& written : results.written()) {
        write(answer, written);
    }
    answer.emplace_back(tell("cmdBereken", {"txtA", "txtB", "txtLengte", "txtHoogte"}));
    heldBend_ = results.heldBend;
    lengthInputs_ = results.inputs;
    return answer;
}

Answer Presenter::BerekenSecties(const offsetcore::OffsetTexts& results) {
    Answer answer;
    for (const offsetcore::Written& written : results.written()) {
        write(answer, written);
    }
    answer.emplace_back(tell("cmdBereken2", {"txtVerHor", "txtVerVerticaal"}));
    heldBend_ = results.heldBend;
    return answer;
}

// ---- frmTwin -----------------------------------------------------------------

TwinPresenter::TwinPresenter(std::string decimalSeparator)
    : Presenter(twinForm(), std::move(decimalSeparator)) {}

Answer TwinPresenter::click(std::string_view control, const Shown& shown) {
    if (control == "cmdBereken") {
        return cmdBerekenClick(shown);
    }
    if (control == "cmdBereken2") {
        return cmdBereken2Click(shown);
    }
    if (control == "cmdTest") {
        return cmdTestClick(shown);
    }
    return {};
}

Answer TwinPresenter::frmTwinLoad() const {
    Answer answer;
    fillLists(answer, offsetcore::concentricAngleList());
    answer.emplace_back(ShowWindow{"cmbHoek"});
    return answer;
}

Answer TwinPresenter::cmdBerekenClick(const Shown& shown) {
    return showLengths(offsetcore::concentricLengths(
        {text(shown, "cmbHoek"), text(shown, "txtHorVersleping")}, decimalSeparator()));
}

Answer TwinPresenter::cmdBereken2Click(const Shown& shown) {
    return showOffsets(offsetcore::concentricOffsets(
        {text(shown, "cmbHoek2"),
         {text(shown, "cmb1000"), text(shown, "cmb500"), text(shown, "cmb250")}},
        decimalSeparator()));
}

Answer TwinPresenter::cmdTestClick(const Shown& shown) const {
    const auto caption = [this](const char* label) {
        return std::string(form().find(label)->text);
    };
    const auto box = [&shown](const char* name) { return std::string(text(shown, name)); };
    const offsetcore::ReportFields fields{
        .angle = {caption("Label1"), box("cmbHoek")},
        .offset = {caption("Label3"), box("txtHorVersleping")},
        .a = {caption("Label6"), std::string(result("txtA"))},
        .b = {caption("Label7"), std::string(result("txtB"))},
        .length = {caption("Label4"), std::string(result("txtLengte"))},
        .vertical = {caption("Label5"), std::string(result("txtHoogte"))},
    };
    const auto report = offsetcore::testReport(fields, lengthInputs());
    if (const auto* problem = std::get_if<Problem>(&report)) {
        return warn(*problem);
    }
    return {PrintReport{std::get<std::string>(report), "Courier", 14.0}};
}

// ---- frmSolo -----------------------------------------------------------------

SoloPresenter::SoloPresenter(std::string decimalSeparator)
    : Presenter(soloForm(), std::move(decimalSeparator)) {}

Answer SoloPresenter::click(std::string_view control, const Shown& shown) {
    if (control == "cmdBereken") {
        return cmdBerekenClick(shown);
    }
    if (control == "cmdBereken2") {
        return cmdBereken2Click(shown);
    }
    if (control == "cmdPrinten") {
        return cmdPrintenClick();
    }
    if (control == "cmdAfsluiten") {
        return cmdAfsluitenClick();
    }
    return {};
}

Answer SoloPresenter::pick(std::string_view control, std::string_view item) {
    if (control == "cmbHoek") {
        return cmbHoekPick(item);
    }
    if (control == "cmbHoek2") {
        return cmbHoek2Pick(item);
    }
    return {};
}

Answer SoloPresenter::frmSoloLoad() const {
    Answer answer{Enable{"cmbDiameter", false}, Enable{"cmbDiameter2", false}};
    fillLists(answer, offsetcore::singleWallAngleList());
    answer.emplace_back(ShowWindow{"cmbHoek"});
    return answer;
}

namespace {

// A pick replaces the diameters on offer with those of the picked angle and
// clears the one chosen before, which may not exist at the new angle. A text
// without a list leaves the items; the box opens either way.
Answer offerDiameters(const char* box, std::string_view angle) {
    Answer answer;
    if (const auto diameters = offsetcore::singleWallDiameterList(angle)) {
        answer.emplace_back(FillList{box, itemsOf(*diameters), ""});
    }
    answer.emplace_back(Enable{box, true});
    return answer;
}

} // namespace

Answer SoloPresenter::cmbHoekPick(std::string_view item) {
    pickedAngle_ = item;
    return offerDiameters("cmbDiameter", item);
}

Answer SoloPresenter::cmbHoek2Pick(std::string_view item) const {
    return offerDiameters("cmbDiameter2", item);
}

Answer SoloPresenter::cmdBerekenClick(const Shown& shown) {
    return showLengths(
        offsetcore::singleWallLengths({text(shown, "cmbHoek"), pickedAngle_,
                                       text(shown, "cmbDiameter"), text(shown, "txtHorVersleping")},
                                      decimalSeparator()));
}

Answer SoloPresenter::cmdBereken2Click(const Shown& shown) {
    return showOffsets(offsetcore::singleWallOffsets(
        {text(shown, "cmbHoek2"),
         text(shown, "cmbDiameter2"),
         {text(shown, "cmb1000"), text(shown, "cmb500"), text(shown, "cmb250")}},
        decimalSeparator()));
}

Answer SoloPresenter::cmdPrintenClick() const {
    if (const auto problem =
            offsetcore::checkWindowPrint(result("txtLengte"), result("txtHoogte"),
                                         result("txtVerHor"), result("txtVerVerticaal"))) {
        return warn(*problem);
    }
    return {PrintWindowImage{}};
}

Answer SoloPresenter::cmdAfsluitenClick() const {
    // The only window: closing it ends the program, nothing asked or saved.
    return {End{}};
}

} // namespace forms
