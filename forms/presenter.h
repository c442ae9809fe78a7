#pragma once

// What a window does, free of any toolkit. A face (Qt, Win32) draws the
// window from its table (forms/formtable.h), hands each event to the
// window's presenter with the texts its boxes show at that moment, and
// carries out the answer: plain data, action by action, in order. The
// presenter holds the window's state (the held bend pair, the inputs the
// results shown came from, solooffset's picked angle) and calls the core's
// steps (offsetcore/steps.h); it never touches a toolkit, so both faces
// behave alike to the letter.
//
// The road of a click: the face collects the texts of the window's boxes
// into a Shown and calls click() with the button's name. The presenter's
// handler of that button (named after the control and its event) hands the
// texts to the core's step for its system and mode; the outcome is either a
// problem, answered with its message while nothing else changes, or the
// results, answered with the texts to write (Bereken for mode 1,
// BerekenSecties for mode 2) and what a screen reader is to hear, and held.

#include "forms/formtable.h"
#include "offsetcore/steps.h"
#include "offsetcore/tables.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace forms {

// The texts a window's boxes show, by control name; a box not given shows
// an empty text.
using Shown = std::map<std::string, std::string, std::less<>>;

// ---- what a face is told to do -------------------------------------------

// Writes the text into a box.
struct SetText {
    std::string control;
    std::string text;
    friend bool operator==(const SetText&, const SetText&) = default;
};

// Replaces a combo box's items with these, picks none and shows the text.
struct FillList {
    std::string control;
    std::vector<std::string> items;
    std::string text;
    friend bool operator==(const FillList&, const FillList&) = default;
};

// Opens or closes a control for input.
struct Enable {
    std::string control;
    bool enabled;
    friend bool operator==(const Enable&, const Enable&) = default;
};

// A modal message box: the prompt under the title, one OK button, no icon.
struct ShowMessage {
    std::string prompt;
    std::string title;
    friend bool operator==(const ShowMessage&, const ShowMessage&) = default;
};

// After a calculation, the results for a screen reader: told is announced
// as it comes (where the platform can), and the button that asked for them
// takes description as its own, read whenever it has the focus.
struct TellResults {
    std::string button;
    std::string told;
    std::string description;
    friend bool operator==(const TellResults&, const TellResults&) = default;
};

// Shows the window, centred on its screen, with the focus in this control.
struct ShowWindow {
    std::string focus;
    friend bool operator==(const ShowWindow&, const ShowWindow&) = default;
};

// Prints the text on the default printer in the family at the size (points),
// through a report file of this print's own; the face answers with
// printed().
struct PrintReport {
    std::string text;
    std::string family;
    double pointSize;
    friend bool operator==(const PrintReport&, const PrintReport&) = default;
};

// Prints an image of the window's client area, as it stands, on the default
// printer; the face answers with printed().
struct PrintWindowImage {
    friend bool operator==(const PrintWindowImage&, const PrintWindowImage&) = default;
};

// Closes the window, which ends the program: nothing asked or saved.
struct End {
    friend bool operator==(const End&, const End&) = default;
};

using Action = std::variant<SetText, FillList, Enable, ShowMessage, TellResults, ShowWindow,
                            PrintReport, PrintWindowImage, End>;
using Answer = std::vector<Action>;

// How a print asked for by PrintReport or PrintWindowImage ended.
enum class PrintOutcome {
    Printed,
    ReportNotMade, // the report file could not be written or read back
    NoPrinter,     // no printer installed
    Failed,        // the print system refused or failed the job, or memory ran out making it
    NoAnswer,      // the print system did not answer in time, or still keeps a job waiting
    Abandoned,     // the program is ending: nothing is to be told
};

// ---- the presenters ------------------------------------------------------

class Presenter {
public:
    virtual ~Presenter() = default;
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;

    const FormTable& form() const { return form_; }

    // Window load: fills the lists, shows the window and focuses cmbHoek.
    virtual Answer load() = 0;
    // A click on the button of this name; the other controls' texts as shown.
    virtual Answer click(std::string_view control, const Shown& shown) = 0;
    // A person's pick of an item in the list of this combo box: a click in
    // its popup or the arrow keys, never typed text.
    virtual Answer pick(std::string_view control, std::string_view item);
    // How the print the last answer asked for ended.
    Answer printed(PrintOutcome outcome) const;
    // The close box, or the end of the session: the program ends, even while
    // a print waits.
    Answer close() const;

    // The bend pair of the last lookup that found a row, in either mode.
    const std::optional<offsetcore::BendDimensions>& heldBend() const { return heldBend_; }

protected:
    // decimalSeparator: the user's locale's, with which every number typed
    // is read.
    Presenter(const FormTable& form, std::string decimalSeparator);

    // Load, shared part: the angle list into both angle boxes, then the
    // counts into the three count boxes, each showing 0.
    void fillLists(Answer& answer, offsetcore::ItemList angles) const;

    // Mode 1: the problem's message, or the results written by Bereken.
    Answer showLengths(const offsetcore::Outcome<offsetcore::LengthTexts>& outcome);
    // Mode 2: the problem's message, or the results written by BerekenSecties.
    Answer showOffsets(const offsetcore::Outcome<offsetcore::OffsetTexts>& outcome);

    static Answer warn(offsetcore::Problem problem);
    // The text a box shows; empty when the face gave none.
    static std::string_view text(const Shown& shown, std::string_view control);
    // The text this window last wrote into an output box; empty before.
    std::string_view result(std::string_view control) const;

    // The angle and offset texts the mode 1 results shown were computed
    // from; nothing before the first.
    const std::optional<offsetcore::LengthInputs>& lengthInputs() const { return lengthInputs_; }
    const std::string& decimalSeparator() const { return decimalSeparator_; }

private:
    // Writes each text into its box, in the core's order, tells them through
    // cmdBereken, and holds the pair and the texts the results came from.
    Answer Bereken(const offsetcore::LengthTexts& results);
    // Writes each text into its box, in the core's order, tells them through
    // cmdBereken2, and holds the pair.
    Answer BerekenSecties(const offsetcore::OffsetTexts& results);
    void write(Answer& answer, const offsetcore::Written& written);
    TellResults tell(const char* button, std::initializer_list<const char*> results) const;

    const FormTable& form_;
    std::string decimalSeparator_;
    std::optional<offsetcore::BendDimensions> heldBend_;
    std::optional<offsetcore::LengthInputs> lengthInputs_;
    Shown results_;
};

// The concentric 100/150 calculator, frmTwin. A pick in an angle box does
// nothing beyond showing the text: both calculations read their angle box
// at the click.
//
// Test prints what mode 1 shows: the captions and the texts of the boxes are
// composed into the report by the core, which refuses when the angle or
// offset shown is no longer what the results shown were computed from, so
// that the paper never pairs them wrongly. The face writes it to a report
// file of the click's own, reads it back and prints it in Courier 14.
class TwinPresenter final : public Presenter {
public:
    explicit TwinPresenter(std::string decimalSeparator);

    Answer load() override { return frmTwinLoad(); }
    Answer click(std::string_view control, const Shown& shown) override;

    Answer frmTwinLoad() const;
    Answer cmdBerekenClick(const Shown& shown);
    Answer cmdBereken2Click(const Shown& shown);
    Answer cmdTestClick(const Shown& shown) const;
};

// The single-wall calculator, frmSolo. Where it parts from the concentric
// window:
// - A bend's size depends on the pipe diameter too, and not every angle is
//   made in every diameter. So each mode has a diameter box, closed until an
//   angle is picked in the same mode; the pick fills it with the diameters of
//   that angle. Typing an angle neither fills nor opens it.
// - Mode 1 hands the core the angle last picked (pickedAngle), the one its
//   diameter list was made for, beside what cmbHoek shows; the core's step
//   calculates with the pick and asks for an angle from the list when the
//   box shows another number. Mode 2 hands over what cmbHoek2 shows.
// - cmdPrinten prints an image of the window once the core finds either pair
//   of results shown; cmdAfsluiten closes the window, and with it the program.
class SoloPresenter final : public Presenter {
public:
    explicit SoloPresenter(std::string decimalSeparator);

    Answer load() override { return frmSoloLoad(); }
    Answer click(std::string_view control, const Shown& shown) override;
    Answer pick(std::string_view control, std::string_view item) override;

    Answer frmSoloLoad() const;
    Answer cmbHoekPick(std::string_view item);
    Answer cmbHoek2Pick(std::string_view item) const;
    Answer cmdBerekenClick(const Shown& shown);
    Answer cmdBereken2Click(const Shown& shown);
    Answer cmdPrintenClick() const;
    Answer cmdAfsluitenClick() const;

    // The text of the item last picked in cmbHoek; empty until the first pick.
    const std::string& pickedAngle() const { return pickedAngle_; }

private:
    std::string pickedAngle_;
};

} // namespace forms
