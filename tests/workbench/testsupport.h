#pragma once
// What the GUI tests share: one offscreen application and a recorder of the Workbench's drawing
// signals.
#include <QApplication>
#include <QColor>
#include <string>
#include <vector>

#include "chemistry/chemistry.h"
#include "workbench/workbench.h"

namespace testsupport {

// The application, created once on the offscreen platform with the program's fonts.
QApplication& application();

// A test name from a case's description: its letters and digits, words run together.
std::string caseName(const char* description);

// Everything the Workbench asks the panels to draw, in order.
struct Recorder {
    struct Mark {
        double volume;
        double pH;
        QColor colour;
        int width;
    };
    struct Curve {
        std::vector<chemistry::CurveVertex> vertices;
        QColor colour;
    };

    explicit Recorder(workbench::Workbench& workbench);

    std::vector<Mark> marks;
    std::vector<Curve> curves;
    std::vector<chemistry::TitrationPoint> rows;  // the table as it stands
    int tableColumns = 0;
    int graphRestarts = 0;
    int historyRewrites = 0;
    std::vector<std::pair<int, double>> drops;
};

}  // namespace testsupport
