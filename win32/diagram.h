#pragma once

// The diagram box: our drawing of the offset, rendered from its SVG at
// build time at 100, 150 and 200 % (PNG resources), shown unscaled from the
// box's top-left corner at the window's scale and sharp at each of those.
// The box takes the focus in its turn, as the table's tab order has it.
//
// GDI+ starts, and a rendering is read, only when the box is first painted
// at a scale: after the window is on the screen, not before.

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace Gdiplus {
class Bitmap;
}

namespace win32face {

class Diagram {
public:
    // drawing: the table's name for it ("diagram-concentric.svg").
    Diagram(HINSTANCE instance, const std::string& drawing);
    ~Diagram();
    Diagram(const Diagram&) = delete;
    Diagram& operator=(const Diagram&) = delete;

    // The window class of the box, registered once.
    static const wchar_t* windowClass(HINSTANCE instance);

private:
    static LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM w, LPARAM l);
    void paint(HWND box, HDC dc);
    Gdiplus::Bitmap* rendering(int scale);

    HINSTANCE instance_;
    std::string drawing_;
    ULONG_PTR gdiPlus_ = 0; // GDI+ once started
    struct Rendering;
    std::vector<std::unique_ptr<Rendering>> renderings_; // those read so far
};

} // namespace win32face
