#include "win32/diagram.h"

#include "win32/text.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <objbase.h>
#include <type_traits>

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

// GDI+'s flat functions, found in gdiplus.dll once it is loaded, and GDI+
// started for as long as this lives.
struct Diagram::GdiPlus {
    struct StartupInput {
        UINT32 version = 1;
        void* debugEventCallback = nullptr;
        BOOL suppressBackgroundThread = FALSE;
        BOOL suppressExternalCodecs = FALSE;
    };
    using Status = int; // 0: Ok

    HMODULE library = nullptr;
    ULONG_PTR token = 0;
    Status(WINAPI* startup)(ULONG_PTR*, const StartupInput*, void*) = nullptr;
    void(WINAPI* shutdown)(ULONG_PTR) = nullptr;
    Status(WINAPI* bitmapFromStream)(IStream*, void**) = nullptr;
    Status(WINAPI* imageWidth)(void*, UINT*) = nullptr;
    Status(WINAPI* imageHeight)(void*, UINT*) = nullptr;
    Status(WINAPI* disposeImage)(void*) = nullptr;
    Status(WINAPI* graphicsFromDc)(HDC, void**) = nullptr;
    Status(WINAPI* deleteGraphics)(void*) = nullptr;
    Status(WINAPI* interpolationMode)(void*, int) = nullptr;
    Status(WINAPI* pixelOffsetMode)(void*, int) = nullptr;
    Status(WINAPI* drawImage)(void*, void*, INT, INT, INT, INT) = nullptr;

    // Nothing when GDI+ is missing or does not start: the box stays white.
    static std::unique_ptr<GdiPlus> load() {
        auto gdiPlus = std::make_unique<GdiPlus>();
        gdiPlus->library = LoadLibraryW(L"gdiplus.dll");
        if (gdiPlus->library == nullptr) {
            return nullptr;
        }
        const auto find = [module = gdiPlus->library](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                reinterpret_cast<void*>(GetProcAddress(module, name)));
            return function != nullptr;
        };
        const bool found = find(gdiPlus->startup, "GdiplusStartup") &&
                           find(gdiPlus->shutdown, "GdiplusShutdown") &&
                           find(gdiPlus->bitmapFromStream, "GdipCreateBitmapFromStream") &&
                           find(gdiPlus->imageWidth, "GdipGetImageWidth") &&
                           find(gdiPlus->imageHeight, "GdipGetImageHeight") &&
                           find(gdiPlus->disposeImage, "GdipDisposeImage") &&
                           find(gdiPlus->graphicsFromDc, "GdipCreateFromHDC") &&
                           find(gdiPlus->deleteGraphics, "GdipDeleteGraphics") &&
                           find(gdiPlus->interpolationMode, "GdipSetInterpolationMode") &&
                           find(gdiPlus->pixelOffsetMode, "GdipSetPixelOffsetMode") &&
                           find(gdiPlus->drawImage, "GdipDrawImageRectI");
        const StartupInput input;
        if (!found || gdiPlus->startup(&gdiPlus->token, &input, nullptr) != 0) {
            gdiPlus->token = 0;
            return nullptr;
        }
        return gdiPlus;
    }

    GdiPlus() = default;
    GdiPlus(const GdiPlus&) = delete;
    GdiPlus& operator=(const GdiPlus&) = delete;
    ~GdiPlus() {
        if (token != 0) {
            shutdown(token);
        }
        if (library != nullptr) {
            FreeLibrary(library);
        }
    }
};

Diagram::Diagram(HINSTANCE instance, const std::string& drawing)
    : instance_(instance), drawing_(drawing) {}

Diagram::~Diagram() {
    for (const Rendering& rendering : renderings_) {
        if (rendering.bitmap != nullptr) {
            gdiPlus_->disposeImage(rendering.bitmap);
        }
    }
}

void* Diagram::rendering(int scale) {
    for (const Rendering& rendering : renderings_) {
        if (rendering.scale == scale) {
            return rendering.bitmap;
        }
    }
    if (!gdiPlus_ && !(gdiPlus_ = GdiPlus::load())) {
        return nullptr;
    }
    Rendering read{scale, nullptr};
    const std::wstring name = resourceName(drawing_, scale);
    HRSRC found = FindResourceW(instance_, name.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = found != nullptr ? LoadResource(instance_, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    const DWORD size = found != nullptr ? SizeofResource(instance_, found) : 0;
    // A stream over a copy of the PNG, which GDI+ reads as it likes.
    HGLOBAL copy = bytes != nullptr ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
    if (void* target = copy != nullptr ? GlobalLock(copy) : nullptr) {
        std::memcpy(target, bytes, size);
        GlobalUnlock(copy);
        IStream* stream = nullptr;
        if (SUCCEEDED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
            copy = nullptr; // the stream's now
            if (gdiPlus_->bitmapFromStream(stream, &read.bitmap) != 0) {
                read.bitmap = nullptr;
            }
            stream->Release();
        }
    }
    if (copy != nullptr) {
        GlobalFree(copy);
    }
    renderings_.push_back(read);
    return read.bitmap;
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
    if (void* bitmap = rendering(scale)) {
        UINT width = 0;
        UINT height = 0;
        gdiPlus_->imageWidth(bitmap, &width);
        gdiPlus_->imageHeight(bitmap, &height);
        void* graphics = nullptr;
        if (gdiPlus_->graphicsFromDc(dc, &graphics) == 0) {
            constexpr int highQualityBicubic = 7;
            constexpr int halfPixelOffset = 4;
            gdiPlus_->interpolationMode(graphics, highQualityBicubic);
            gdiPlus_->pixelOffsetMode(graphics, halfPixelOffset);
            gdiPlus_->drawImage(graphics, bitmap, 0, 0, MulDiv(int(width), percent, scale),
                                MulDiv(int(height), percent, scale));
            gdiPlus_->deleteGraphics(graphics);
        }
    }
    if (GetFocus() == box) {
        RECT focus = area;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
    }
}

} // namespace win32face
