// Writes each window's client size in twips from its control table, as a bash
// array to go with the build's forms.sh:
// window_client_sizes[program]="width height". Under Wine the X window of a
// Windows program holds the frame Wine draws around the client area; the
// end-to-end scripts find where the client area starts from the two sizes.

#include "forms/formtable.h"

#include <cstdio>

int main() {
    std::printf("declare -gA window_client_sizes=(\n");
    std::printf("    [twinoffset]=\"%d %d\"\n", forms::twinForm().clientWidth,
                forms::twinForm().clientHeight);
    std::printf("    [solooffset]=\"%d %d\"\n", forms::soloForm().clientWidth,
                forms::soloForm().clientHeight);
    std::printf(")\n");
    return std::fflush(stdout) == 0 ? 0 : 1;
}
