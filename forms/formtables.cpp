// Writes both windows' control tables as bash associative arrays, for the
// end-to-end scripts that click and read the real windows of every face:
// window_titles[program], window_client_sizes[program]="width height" and
// <program>_controls[name]="left top width height", all in twips. (Under
// Wine the program's X window holds the frame Wine draws around the client
// area; the scripts find where the client area starts from the two sizes.)
// The build writes it from the tables, so that a control's place stands in
// one spot of the tree.

#include "forms/formtable.h"

#include <cstdio>

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

} // namespace

int main() {
    const Program programs[] = {{"twinoffset", forms::twinForm()},
                                {"solooffset", forms::soloForm()}};
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
    return std::fflush(stdout) == 0 ? 0 : 1;
}
