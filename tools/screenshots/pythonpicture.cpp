// The Python program of the help page's picture: the vinegar of the example file (diluted ten
// times, about 0,082 mol · L-1 of ethanoic acid) titrated by soda at 0,1 mol · L-1, with the
// example's measurements. scripts/screenshot runs it with Agg, and the program saves its own graphs.
#include <QFile>
#include <cstdio>
#include <span>

#include "measurements/measurementreader.h"
#include "state/actions.h"
#include "state/labmeasurements.h"
#include "state/meters.h"
#include "state/pythonexport.h"
#include "tools/screenshots/pictures.h"
#include "tools/screenshots/picturewindow.h"

namespace screenshots {

int pythonProgramFile(const QStringList& arguments) {
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: vireltra_screenshots python <example.csv> <program.py>\n");
        return 2;
    }
    const std::optional<measurements::ReadResult> example = readExampleMeasurements(arguments[0]);
    if (!example) return 1;
    const measurements::ReadResult& read = *example;
    state::BenchState bench;
    state::setDefaults(bench);
    state::switchSituation(bench, 0);
    state::chooseSolute(bench, 4);  // acide éthanoïque
    for (const auto& [field, text] : {std::pair{state::Field::TitrantConcentration, "0,1"},
                                      std::pair{state::Field::BeakerConcentration, "0,082"}}) {
        state::setFieldText(bench, field, text);
        state::validateField(bench, field);
    }
    state::setMeasurements(bench, read.points);
    const state::PythonProgram program = state::pythonProgram(bench);
    QFile file(arguments[1]);
    if (!program.written() || !file.open(QIODevice::WriteOnly)) return 1;
    const auto size = static_cast<qint64>(program.text.size());
    return file.write(program.text.data(), size) == size ? 0 : 1;
}

}  // namespace screenshots
