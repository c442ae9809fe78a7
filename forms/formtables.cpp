// Writes both windows' control tables for what is not C++ but must agree
// with them, so that a control's place and a caption each stand in one spot
// of the tree:
//
// - by default, as bash associative arrays for the end-to-end scripts that
//   click and read the real windows of every face: window_titles[program],
//   window_client_sizes[program]="width height" and
//   <program>_controls[name]="left top width height", all in twips. (Under
//   Wine the program's X window holds the frame Wine draws around the client
//   area; the scripts find where the client area starts from the two sizes.)
// - with --json, the titles and captions the web page shares with the
//   windows: {"twinoffset": {"title": ..., "captions": {"Label1": ...}}, ...},
//   every control that has a caption (labels, notes, buttons), by name.

#include "forms/formtable.h"

#include <cstdio>
#include <span>
#include <string_view>

namespace {

struct Program {
    const char* name;
    const forms::FormTable& form;
};

void writeControls(const Program& program) {
    std::printf("declare -gA %s_controls=(\n", program.name);
    for (const forms::ControlEntry& entry : program.form.controls) {
        std::printf("    [%s]=\"%d %d %d %d\"\n", entry.name, entry.left, entry.top, entry.width,
                    entry.height);
    }
    std::printf(")\n");
}

void writeJsonString(std::string_view text) {
    std::putchar('"');
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            std::printf("\\%c", c);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            std::printf("\\u%04x", c);
        } else {
            std::putchar(c);
        }
    }
    std::putchar('"');
}

bool hasCaption(const forms::ControlEntry& entry) {
    using forms::ControlKind;
    return entry.kind == ControlKind::Label || entry.kind == ControlKind::NoteLabel ||
           entry.kind == ControlKind::Button;
}

void writeJson(std::span<const Program> programs) {
    std::printf("{");
    const char* programSeparator = "";
    for (const Program& program : programs) {
        std::printf("%s\n", programSeparator);
        writeJsonString(program.name);
        std::printf(": {\"title\": ");
        writeJsonString(program.form.caption);
        std::printf(", \"captions\": {");
        const char* separator = "";
        for (const forms::ControlEntry& entry : program.form.controls) {
            if (hasCaption(entry)) {
                std::printf("%s\n  ", separator);
                writeJsonString(entry.name);
                std::printf(": ");
                writeJsonString(entry.text);
                separator = ",";
            }
        }
        std::printf("}}");
        programSeparator = ",";
    }
    std::printf("\n}\n");
}

void writeBash(std::span<const Program> programs) {
    std::printf("# Made by the build from the control tables (forms/forms.cpp).\n");
    std::printf("declare -gA window_titles=(\n");
    for (const Program& program : programs) {
        // No caption holds a quote, a dollar or a backquote.
        std::printf("    [%s]=\"%s\"\n", program.name, program.form.caption);
    }
    std::printf(")\n");
    std::printf("declare -gA window_client_sizes=(\n");
    for (const Program& program : programs) {
        std::printf("    [%s]=\"%d %d\"\n", program.name, program.form.clientWidth,
                    program.form.clientHeight);
    }
    std::printf(")\n");
    for (const Program& program : programs) {
        writeControls(program);
    }
}

} // namespace

int main(int argc, char** argv) {
    const Program programs[] = {{"twinoffset", forms::twinForm()},
                                {"solooffset", forms::soloForm()}};
    if (argc > 1 && std::string_view(argv[1]) == "--json") {
        writeJson(programs);
    } else {
        writeBash(programs);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
