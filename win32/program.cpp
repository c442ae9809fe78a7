#include "win32/program.h"

#include "win32/formwindow.h"
#include "win32/printing.h"

#include <commctrl.h>
#include <objbase.h>

namespace win32face {

int runCalculator(HINSTANCE instance, const MakePresenter& makePresenter) {
    // The accessibility properties are set through COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    int status = 1;
    {
        FormWindow window(instance, makePresenter(FormWindow::decimalSeparator()),
                          std::make_shared<Win32Printer>());
        window.load();
        status = window.run();
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return status;
}

} // namespace win32face
