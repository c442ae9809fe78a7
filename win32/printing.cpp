#include "win32/printing.h"

#include "win32/text.h"

#include <algorithm>
#include <vector>
#include <winspool.h>

namespace win32face {

namespace {

// The spooler is imported, not loaded at the first print: Wine's asks the
// print system for its printers while it loads, holding the loader's lock,
// and a print server that never answers would then hold up every thread
// that loads a library, the window's too.
std::wstring defaultPrinterName() {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0) {
        return {};
    }
    std::wstring name(size, L'\0');
    if (!GetDefaultPrinterW(name.data(), &size)) {
        return {};
    }
    name.resize(wcsnlen(name.c_str(), name.size()));
    return name;
}

// A printer device context, deleted with this.
class PrinterDc {
public:
    PrinterDc() {
        const std::wstring name = defaultPrinterName();
        if (!name.empty()) {
            dc_ = CreateDCW(L"WINSPOOL", name.c_str(), nullptr, nullptr);
        }
    }
    ~PrinterDc() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    PrinterDc(const PrinterDc&) = delete;
    PrinterDc& operator=(const PrinterDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_ = nullptr;
};

// One document on the printer: begun here, ended (or aborted) by end().
class Document {
public:
    explicit Document(HDC dc) : dc_(dc) {
        DOCINFOW info{};
        info.cbSize = sizeof info;
        info.lpszDocName = L"Versleping";
        begun_ = StartDocW(dc_, &info) > 0;
    }
    ~Document() {
        if (begun_) {
            AbortDoc(dc_);
        }
    }
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    bool begun() const { return begun_; }
    // Hands the job to the spooler: true when it took it.
    bool end() {
        begun_ = false;
        return EndDoc(dc_) > 0;
    }

private:
    HDC dc_;
    bool begun_ = false;
};

HFONT fixedFont(HDC dc, const std::wstring& family, double pointSize) {
    const int height = -MulDiv(int(pointSize * 100 + 0.5), GetDeviceCaps(dc, LOGPIXELSY), 7200);
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                       family.c_str());
}

std::wstring faceOf(HDC dc) {
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    return face;
}

} // namespace

bool Win32Printer::hasDefaultPrinter() {
    return !defaultPrinterName().empty();
}

bool Win32Printer::printText(const std::string& text, const std::string& family, double pointSize) {
    const PrinterDc printer;
    HDC dc = printer.get();
    if (dc == nullptr) {
        return false;
    }
    HFONT font = fixedFont(dc, wide(family), pointSize);
    HGDIOBJ previous = SelectObject(dc, font);
    if (_wcsicmp(faceOf(dc).c_str(), wide(family).c_str()) != 0) {
        SelectObject(dc, previous);
        DeleteObject(font);
        font = fixedFont(dc, L"Courier New", pointSize);
        previous = SelectObject(dc, font);
    }
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int lineHeight = std::max(1, int(metrics.tmHeight + metrics.tmExternalLeading));
    const int pageWidth = GetDeviceCaps(dc, HORZRES);
    const int pageHeight = GetDeviceCaps(dc, VERTRES);
    const int charWidth = std::max(1, int(metrics.tmAveCharWidth));
    const std::size_t perRow = std::size_t(std::max(1, pageWidth / charWidth));

    bool ok = false;
    {
        Document document(dc);
        if (document.begun() && StartPage(dc) > 0) {
            ok = true;
            int y = 0;
            for (const std::string& lineText : forms::linesOf(text)) {
                const std::wstring line = wide(lineText);
                // Even an empty line takes its row; a line wider than the
                // paper goes on in the next row.
                std::size_t at = 0;
                do {
                    if (y > 0 && y + lineHeight > pageHeight) {
                        ok = EndPage(dc) > 0 && StartPage(dc) > 0;
                        y = 0;
                    }
                    const std::size_t count = std::min(perRow, line.size() - at);
                    if (ok && count > 0) {
                        TextOutW(dc, 0, y, line.c_str() + at, int(count));
                    }
                    at += count;
                    y += lineHeight;
                } while (ok && at < line.size());
                if (!ok) {
                    break;
                }
            }
            ok = ok && EndPage(dc) > 0 && document.end();
        }
    }
    SelectObject(dc, previous);
    DeleteObject(font);
    return ok;
}

bool Win32Printer::printImage(const forms::WindowImage& image) {
    const PrinterDc printer;
    HDC dc = printer.get();
    if (dc == nullptr) {
        return false;
    }
    Document document(dc);
    if (!document.begun() || StartPage(dc) <= 0) {
        return false;
    }
    const int pageWidth = GetDeviceCaps(dc, HORZRES);
    const int pageHeight = GetDeviceCaps(dc, VERTRES);
    if (image.width > 0 && image.height > 0) {
        // As wide as the printable area allows, the proportions kept.
        const double scale =
            std::min(double(pageWidth) / image.width, double(pageHeight) / image.height);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = image.width;
        info.bmiHeader.biHeight = -image.height; // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        if (StretchDIBits(dc, 0, 0, int(image.width * scale), int(image.height * scale), 0, 0,
                          image.width, image.height, image.pixels.data(), &info, DIB_RGB_COLORS,
                          SRCCOPY) == 0) {
            return false;
        }
    }
    return EndPage(dc) > 0 && document.end();
}

// ---- the wait ---------------------------------------------------------------

Win32Waiter::Win32Waiter() : woken_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

Win32Waiter::~Win32Waiter() {
    CloseHandle(woken_);
}

void Win32Waiter::wake() {
    SetEvent(woken_);
}

bool Win32Waiter::heldBack(const MSG& message) const {
    const bool input = (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST &&
                        message.message != WM_SYSKEYDOWN && message.message != WM_SYSKEYUP &&
                        message.message != WM_SYSCHAR) ||
                       (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST &&
                        message.message != WM_MOUSEMOVE);
    if (!input) {
        return false;
    }
    return letThrough_ == nullptr ||
           (message.hwnd != letThrough_ && !IsChild(letThrough_, message.hwnd));
}

forms::Waiter::End Win32Waiter::wait(std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        // Rounded up: a wait never ends before its deadline.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return End::TimedOut;
        }
        const DWORD result = MsgWaitForMultipleObjectsEx(1, &woken_, DWORD(left.count()),
                                                         QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (result == WAIT_OBJECT_0) {
            return End::Woken;
        }
        if (result == WAIT_TIMEOUT) {
            return End::TimedOut;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(int(message.wParam));
                return End::Closing;
            }
            if (heldBack(message)) {
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

forms::WindowImage windowImage(HWND window, SIZE content, POINT scrolled) {
    forms::WindowImage image;
    image.width = int(content.cx);
    image.height = int(content.cy);
    image.dotsPerInch = int(GetDpiForWindow(window));
    if (image.width <= 0 || image.height <= 0) {
        return image;
    }
    image.pixels.resize(std::size_t(image.width) * std::size_t(image.height));

    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        const RECT all{0, 0, image.width, image.height};
        FillRect(memory, &all, GetSysColorBrush(COLOR_BTNFACE));
        // What the screen shows of the client area, where the content
        // scrolled to it. (Drawing each control afresh with WM_PRINT would
        // not depend on the screen, but Wine's controls draw nothing that
        // way.) The window is in front: its user just clicked in it.
        RECT client{};
        GetClientRect(window, &client);
        BitBlt(memory, int(-scrolled.x), int(-scrolled.y), int(client.right), int(client.bottom),
               screen, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        for (std::size_t i = 0; i < image.pixels.size(); ++i) {
            image.pixels[i] = pixels[i] | 0xff000000U;
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return image;
}

} // namespace win32face
