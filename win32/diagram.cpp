#include "win32/diagram.h"

#include "win32/text.h"

#include <algorithm>
#include <cctype>
#include <gdiplus.h>
#include <objidl.h>
#include <shlwapi.h>

namespace win32face {

namespace {

// The scales rendered at build time, in percent.
constexpr int scales[] = {100, 150, 200};

// "diagram-concentric.svg" at 150 % is the resource DIAGRAM_CONCENTRIC_150.
std::wstring resourceName(const std::string& drawing, int scale) {
    std::string name = drawing.substr(0, drawing.rfind('.'));
    for (char& c : name) {
        c = c == '-' ? '_' : char(std::toupper(static_cast<unsigned char>(c)));
    }
    return wide(name + "_" + std::to_string(scale));
}

} // namespace

struct Diagram::Rendering {
    int scale;
    std::unique_ptr<Gdiplus::Bitmap> bitmap; // null where it could not be read
};

Diagram::Diagram(HINSTANCE instance, const std::string& drawing)
    : instance_(instance), drawing_(drawing) {}

Diagram::~Diagram() {
    renderings_.clear();
    if (gdiPlus_ != 0) {
        Gdiplus::GdiplusShutdown(gdiPlus_);
    }
}

Gdiplus::Bitmap* Diagram::rendering(int scale) {
    for (const auto& rendering : renderings_) {
        if (rendering->scale == scale) {
            return rendering->bitmap.get();
        }
    }
    if (gdiPlus_ == 0) {
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&gdiPlus_, &input, nullptr) != Gdiplus::Ok) {
            gdiPlus_ = 0;
            return nullptr;
        }
    }
    auto read = std::make_unique<Rendering>(Rendering{scale, nullptr});
    const std::wstring name = resourceName(drawing_, scale);
    HRSRC found = FindResourceW(instance_, name.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = found != nullptr ? LoadResource(instance_, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (IStream* stream = bytes == nullptr
                              ? nullptr
                              : SHCreateMemStream(static_cast<const BYTE*>(bytes),
                                                  UINT(SizeofResource(instance_, found)))) {
        read->bitmap.reset(Gdiplus::Bitmap::FromStream(stream));
        stream->Release();
        if (read->bitmap && read->bitmap->GetLastStatus() != Gdiplus::Ok) {
            read->bitmap.reset();
        }
    }
    renderings_.push_back(std::move(read));
    return renderings_.back()->bitmap.get();
}

const wchar_t* Diagram::windowClass(HINSTANCE instance) {
    static const wchar_t name[] = L"OffsetDiagram";
    static const bool registered = [instance] {
        WNDCLASSEXW type{};
        type.cbSize = sizeof type;
        type.style = CS_HREDRAW | CS_VREDRAW;
        type.lpfnWndProc = boxProc;
        type.hInstance = instance;
        type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
        type.lpszClassName = name;
        return RegisterClassExW(&type) != 0;
    }();
    return registered ? name : nullptr;
}

LRESULT CALLBACK Diagram::boxProc(HWND box, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(box, GWLP_USERDATA,
                          LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
        break;
    case WM_PAINT: {
        PAINTSTRUCT paintStruct;
        HDC dc = BeginPaint(box, &paintStruct);
        if (auto* diagram = reinterpret_cast<Diagram*>(GetWindowLongPtrW(box, GWLP_USERDATA))) {
            diagram->paint(box, dc);
        }
        EndPaint(box, &paintStruct);
        return 0;
    }
    case WM_PRINTCLIENT:
        if (auto* diagram = reinterpret_cast<Diagram*>(GetWindowLongPtrW(box, GWLP_USERDATA))) {
            diagram->paint(box, reinterpret_cast<HDC>(w));
        }
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(box, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(box);
        return 0;
    case WM_GETDLGCODE:
        return 0; // Tab, arrows and Enter stay with the dialog manager
    default:
        break;
    }
    return DefWindowProcW(box, message, w, l);
}

void Diagram::paint(HWND box, HDC dc) {
    RECT area{};
    GetClientRect(box, &area);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int percent = MulDiv(int(GetDpiForWindow(box)), 100, 96);
    // The rendering made for this scale, or the nearest larger one, else the
    // largest there is.
    int scale = scales[std::size(scales) - 1];
    for (int made : scales) {
        if (made >= percent) {
            scale = made;
            break;
        }
    }
    if (Gdiplus::Bitmap* bitmap = rendering(scale)) {
        Gdiplus::Graphics graphics(dc);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        const int width = MulDiv(int(bitmap->GetWidth()), percent, scale);
        const int height = MulDiv(int(bitmap->GetHeight()), percent, scale);
        graphics.DrawImage(bitmap, 0, 0, width, height);
    }
    if (GetFocus() == box) {
        RECT focus = area;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
    }
}

} // namespace win32face
