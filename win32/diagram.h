#pragma once

// The diagram box: our drawing of the offset, rendered from its SVG at
// build time at 100, 150 and 200 % (PNG resources), shown unscaled from the
// box's top-left corner at the window's scale and sharp at each of those.
// The box takes the focus in its turn, as the table's tab order has it.
//
// GDI+ is loaded and started, and a rendering read, only when the box is
// first painted at a scale: after the window is on the screen, not before.
// (Linked as an import, gdiplus.dll alone added a sixth to the time a window
// takes to show under Wine.)

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

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
    void* rendering(int scale); // a GDI+ bitmap, or null

    HINSTANCE instance_;
    std::string drawing_;
    struct GdiPlus;
    std::unique_ptr<GdiPlus> gdiPlus_; // once loaded and started
    struct Rendering {
        int scale;
        void* bitmap; // null where it could not be read
    };
    std::vector<Rendering> renderings_; // those read so far
};

} // namespace win32face
