// The floor for the window launch benchmark under Wine: the least a plain
// Win32 program with one caption does to put its window on the screen. Same
// client size as the calculator windows (11250 x 9405 twips, scaled by the
// window's DPI), the system's dialog font on one caption, per-monitor DPI
// aware as the calculators are. Nothing else: no other controls, no icon,
// no resources. Built by bench/window_launch.sh --wine with MinGW-w64.

#include <windows.h>

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = windowProc;
    type.hInstance = instance;
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = L"EmptyWindow";
    RegisterClassExW(&type);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    HWND window =
        CreateWindowExW(0, L"EmptyWindow", L"Leeg venster met tekst", style, CW_USEDEFAULT,
                        CW_USEDEFAULT, 100, 100, nullptr, nullptr, instance, nullptr);
    const UINT dpi = GetDpiForWindow(window);
    RECT frame{0, 0, MulDiv(11250, int(dpi), 1440), MulDiv(9405, int(dpi), 1440)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, 0, dpi);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    HWND caption = CreateWindowExW(0, L"STATIC", L"Hoek in graden:", WS_CHILD | WS_VISIBLE, 8, 16,
                                   200, 20, window, nullptr, instance, nullptr);
    SendMessageW(caption, WM_SETFONT, WPARAM(font), FALSE);

    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    return 0;
}
