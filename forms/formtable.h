#pragma once

// A window's controls stated once, as data: name, kind, caption or initial
// text, place in twips from the top-left corner of the client area, and what
// a screen reader says of it. Every face draws a window from its table and
// from nothing else; the end-to-end tests find the controls by it too.

#include <span>
#include <string>
#include <string_view>

namespace forms {

enum class ControlKind {
    Label,     // caption in the window's default font, wrapping at word boundaries
    NoteLabel, // caption in Times New Roman 8.25 pt
    ComboBox,  // editable drop-down box in which only a pick counts
    TextBox,   // editable one-line text
    OutputBox, // read-only one-line text that can still be selected and copied
    Button,
    Picture, // the diagram; its text names the drawing (an SVG of resources/)
    Line,    // horizontal line from (left, top), width long
};

struct ControlEntry {
    const char* name;
    ControlKind kind;
    const char* text;
    int left;
    int top;
    int width;
    int height;
    // What a screen reader says. A box is named by the caption of the label
    // given here, which also becomes its buddy; a control whose own text
    // does not say what it does gets a spoken name; a description says more.
    const char* captionLabel = nullptr;
    const char* spokenName = nullptr;
    const char* description = nullptr;
};

struct FormTable {
    const char* name;
    const char* caption;
    int clientWidth;  // twips
    int clientHeight; // twips
    std::span<const ControlEntry> controls;
    std::span<const char* const> tabOrder;
    // The button that closes the window, and with it the program; it stays
    // usable while a print waits for the printer. None where the close box
    // is the only way.
    const char* closeButton = nullptr;

    // The row of the control of this name; nullptr when there is none.
    const ControlEntry* find(std::string_view controlName) const;
};

// The two windows.
const FormTable& twinForm();
const FormTable& soloForm();

// 15 twips to the pixel at 96 dots per inch: a face scales from there to its
// screen's resolution.
constexpr int twipsToPixels(int twips) {
    return twips / 15;
}

// A caption as a screen reader speaks it: "Verticale    versleping in mm:"
// is read as "Verticale versleping in mm", without the colon and the extra
// blanks.
std::string spokenCaption(std::string_view caption);

// What a screen reader calls a control: its caption label's spoken caption,
// or its spoken name, or nothing.
std::string spokenNameOf(const FormTable& form, const ControlEntry& entry);

} // namespace forms
