#pragma once

// A window's controls stated once, as data: name, kind, caption or initial
// text, place in twips from the top-left corner of the client area, and what
// a screen reader says of it.

#include <span>

namespace common {

enum class ControlKind {
    Label,     // caption in the window's default font, wrapping at word boundaries
    NoteLabel, // caption in Times New Roman 8.25 pt
    ComboBox,  // editable drop-down box in which only a pick counts
    TextBox,   // editable one-line text
    OutputBox, // read-only one-line text that can still be selected and copied
    Button,
    Picture, // the diagram; its text names the SVG resource
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
};

// 15 twips to the pixel, in Qt's logical pixels, so that high-DPI screens scale
// the whole window.
constexpr int twipsToPixels(int twips) {
    return twips / 15;
}

} // namespace common
