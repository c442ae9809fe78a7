#include "common/program.h"
#include "solooffset/frmsolo.h"

int main(int argc, char* argv[]) {
    constexpr common::ProgramInfo program{
        "solooffset",
        "Calculates a two-bend offset in a single-wall flue-gas pipe run (window in Dutch).",
        "Berekent een versleping met twee bochten in een enkelwandig rookgaskanaal.",
    };
    return common::runCalculator(argc, argv, program, &FrmSolo::frmSoloLoad);
}
