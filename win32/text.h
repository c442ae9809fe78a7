#pragma once

// Texts cross into Windows as UTF-16 and come back as UTF-8, here and
// nowhere else.

#include <string>
#include <string_view>
#include <windows.h>

namespace win32face {

std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view wide);

// The text a window shows.
std::string windowText(HWND window);

} // namespace win32face
