#include "common/program.h"
#include "twinoffset/frmtwin.h"

int main(int argc, char* argv[]) {
    constexpr common::ProgramInfo program{
        "twinoffset",
        "Calculates a two-bend offset in a concentric 100/150 flue-gas pipe run (window in Dutch).",
        "Berekent een versleping met twee bochten in een concentrisch 100/150 rookgaskanaal.",
    };
    return common::runCalculator(argc, argv, program, &FrmTwin::frmTwinLoad);
}
