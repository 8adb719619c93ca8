#include "testsupport.h"

#include <cctype>
#include <cmath>

#include "platform/fonts.h"
#include "workbench/tabstrip.h"

namespace testsupport {

QApplication& application() {
    static int argc = 1;
    static char name[] = "vireltra-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* created = new QApplication(argc, argv);
        platform::installFontSubstitutes();
        return created;
    }();
    return *app;
}

bool isDark(const platform::Colour& c) {
    return c.red < 100 && c.green < 100 && c.blue < 100;
}

int darkPixels(const platform::Surface& surface, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) count += isDark(surface.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

platform::Colour apparatusGradient(int y) {
    const double t = y / 497.0;
    return platform::Colour{255, static_cast<int>(std::nearbyint(200 + 55 * t)),
                            static_cast<int>(std::nearbyint(155 + 100 * t))};
}

ScriptedWindow::ScriptedWindow() {
    application();
    window = std::make_unique<workbench::MainWindow>(
        workbench::Services{boxes, clipboard, fileDialogs, printer, folder.path(), {}, &announcer});
    buildPages(*window);
}

void buildPages(workbench::MainWindow& window) {
    auto* tabs = window.findChild<workbench::TabStrip*>();
    for (const workbench::TabPage page : workbench::kTabPages) tabs->page(page);
}

std::string caseName(const char* description) {
    std::string name;
    bool upper = true;
    for (const char* p = description; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (std::isalnum(c) != 0 && c < 128) {
            name += static_cast<char>(upper ? std::toupper(c) : c);
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}

}  // namespace testsupport
