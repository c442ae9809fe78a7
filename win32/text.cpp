#include "win32/text.h"

namespace win32face {

std::wstring wide(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring result(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), result.data(), length);
    return result;
}

std::string utf8(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string result(std::size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), result.data(), length, nullptr,
                        nullptr);
    return result;
}

std::string windowText(HWND window) {
    std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), int(text.size()));
    text.resize(std::size_t(copied > 0 ? copied : 0));
    return utf8(text);
}

} // namespace win32face
