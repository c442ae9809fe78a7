#include "forms/presenter.h"
#include "win32/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return win32face::runCalculator(instance, [](std::string decimalSeparator) {
        return std::make_unique<forms::TwinPresenter>(std::move(decimalSeparator));
    });
}
