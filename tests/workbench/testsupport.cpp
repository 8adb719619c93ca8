#include "testsupport.h"

#include <cctype>

#include "platform/fonts.h"

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

Recorder::Recorder(workbench::Workbench& workbench) {
    using workbench::Workbench;
    QObject::connect(&workbench, &Workbench::markPlaced,
                     [this](double v, double pH, QColor colour, int width) {
                         marks.push_back({v, pH, colour, width});
                     });
    QObject::connect(&workbench, &Workbench::curveTraced,
                     [this](const std::vector<chemistry::CurveVertex>& vertices, QColor colour, int) {
                         curves.push_back({vertices, colour});
                     });
    QObject::connect(&workbench, &Workbench::graphRestarted, [this] {
        ++graphRestarts;
        marks.clear();
        curves.clear();
    });
    QObject::connect(&workbench, &Workbench::tableReset, [this](int columns) {
        tableColumns = columns;
        rows.clear();
    });
    QObject::connect(&workbench, &Workbench::tableCleared, [this] { rows.clear(); });
    QObject::connect(&workbench, &Workbench::rowAppended,
                     [this](const chemistry::TitrationPoint& point, int) { rows.push_back(point); });
    QObject::connect(&workbench, &Workbench::historyChanged, [this] { ++historyRewrites; });
    QObject::connect(&workbench, &Workbench::dropPainted,
                     [this](int frame, double y) { drops.emplace_back(frame, y); });
}

}  // namespace testsupport
