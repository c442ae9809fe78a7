#include "cli/commands.h"

#include <cstdlib>
#include <iostream>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <windows.h>
#endif

namespace {

// The language of messages, as the POSIX locale variables choose it: the
// first of them that is set decides. Elsewhere none is set, and it is
// English.
offsetcalc::Language language() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return std::string_view(value).starts_with("nl") ? offsetcalc::Language::Dutch
                                                             : offsetcalc::Language::English;
        }
    }
    return offsetcalc::Language::English;
}

#ifdef _WIN32
// The console shows what we write as the UTF-8 it is, while we write it;
// the code page the user had comes back for the commands after ours.
class Utf8Console {
public:
    Utf8Console() : previous_(GetConsoleOutputCP()) {
        if (previous_ != 0) { // 0: no console, output redirected all the way
            SetConsoleOutputCP(CP_UTF8);
        }
    }
    ~Utf8Console() {
        std::cout.flush();
        std::fflush(stdout);
        std::fflush(stderr);
        if (previous_ != 0) {
            SetConsoleOutputCP(previous_);
        }
    }
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    UINT previous_;
};

std::string utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 1 ? size : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(bytes.size() - 1); // the closing NUL
    return bytes;
}
#endif

} // namespace

#ifdef _WIN32
// On Windows the arguments are taken as UTF-16 (wmain), so that the core
// reads every character typed as UTF-8, as elsewhere, and not what the ANSI
// code page makes of it.
int wmain(int argc, wchar_t* argv[]) {
    // The same bytes as on other systems, in a pipe or file too: CSV ends its
    // lines in \r\n itself, which text mode would turn into \r\r\n, and a
    // script comparing output gets no \r it does not get elsewhere.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    const Utf8Console console;
    std::vector<std::string> texts;
    for (int i = 1; i < argc; ++i) {
        texts.push_back(utf8(argv[i]));
    }
    const std::vector<std::string_view> arguments(texts.begin(), texts.end());
    return offsetcalc::run(arguments, std::cout, std::cerr, language());
}
#else
int main(int argc, char* argv[]) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return offsetcalc::run(arguments, std::cout, std::cerr, language());
}
#endif
