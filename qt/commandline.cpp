#include "qt/commandline.h"

#include <QLocale>

#include <cstdio>
#include <string_view>

namespace qtface {

const char* const version = OFFSET_VERSION;

std::optional<int> answerCommandLine(int argc, const char* const* argv,
                                     const ProgramInfo& program) {
    // Reading the locale needs no application object, so nothing here can
    // open a window or wait for a display.
    const bool dutch = QLocale::system().language() == QLocale::Dutch;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version") {
            std::printf("%s %s\n", program.name, version);
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            if (dutch) {
                std::printf("Gebruik: %s [Qt-opties]\n"
                            "%s\n\n"
                            "  --help     toon deze tekst en stop\n"
                            "  --version  toon het versienummer en stop\n\n"
                            "Meer in: man %s\n",
                            program.name, program.summaryDutch, program.name);
            } else {
                std::printf("Usage: %s [Qt options]\n"
                            "%s\n\n"
                            "  --help     show this text and exit\n"
                            "  --version  show the version and exit\n\n"
                            "More in: man %s\n",
                            program.name, program.summaryEnglish, program.name);
            }
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace qtface
