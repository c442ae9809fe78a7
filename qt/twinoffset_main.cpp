#include "forms/presenter.h"
#include "qt/program.h"

int main(int argc, char* argv[]) {
    constexpr qtface::ProgramInfo program{
        "twinoffset",
        "Calculates a two-bend offset in a concentric 100/150 flue-gas pipe run (window in Dutch).",
        "Berekent een versleping met twee bochten in een concentrisch 100/150 rookgaskanaal.",
    };
    return qtface::runCalculator(argc, argv, program, [](std::string decimalSeparator) {
        return std::make_unique<forms::TwinPresenter>(std::move(decimalSeparator));
    });
}
