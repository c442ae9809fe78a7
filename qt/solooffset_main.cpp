#include "forms/presenter.h"
#include "qt/program.h"

int main(int argc, char* argv[]) {
    constexpr qtface::ProgramInfo program{
        "solooffset",
        "Calculates a two-bend offset in a single-wall flue-gas pipe run (window in Dutch).",
        "Berekent een versleping met twee bochten in een enkelwandig rookgaskanaal.",
    };
    return qtface::runCalculator(argc, argv, program, [](std::string decimalSeparator) {
        return std::make_unique<forms::SoloPresenter>(std::move(decimalSeparator));
    });
}
