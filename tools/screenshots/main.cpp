// Takes the pictures of the README and of the help pages (scripts/screenshot, under Xvfb):
//   vireltra_screenshots main-window <folder> [<help folder>]
//   vireltra_screenshots calculator <picture.png>...
//   vireltra_screenshots dialogs <docs folder> [<help folder>]
//   vireltra_screenshots exercises <data folder> <picture folder>...
//   vireltra_screenshots authoring <data folder> <picture.png>...
//   vireltra_screenshots measurements <example.csv> <help folder>
//   vireltra_screenshots printout <file.pdf>
//   vireltra_screenshots table <help folder> [<file.pdf>]
//   vireltra_screenshots panel <folder>
//   vireltra_screenshots progress <picture.png>...
//   vireltra_screenshots python <example.csv> <program.py>
//   vireltra_screenshots uncertainty <help folder>
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "platform/fonts.h"
#include "tools/screenshots/pictures.h"

namespace {

struct PictureSet {
    const char* name;
    int (*take)(const QStringList& arguments);
};

constexpr PictureSet kSets[] = {
    {"main-window", screenshots::mainWindowPictures},
    {"calculator", screenshots::calculatorPicture},
    {"dialogs", screenshots::dialogPictures},
    {"exercises", screenshots::exercisePictures},
    {"redox-exercise", screenshots::redoxExercisePicture},
    {"authoring", screenshots::authoringPicture},
    {"measurements", screenshots::measurementPictures},
    {"printout", screenshots::printoutSample},
    {"polyacids", screenshots::polyacidPictures},
    {"conductimetry", screenshots::conductimetryPictures},
    {"amounts", screenshots::amountPictures},
    {"redox", screenshots::redoxPictures},
    {"precipitation", screenshots::precipitationPictures},
    {"table", screenshots::tablePictures},
    {"panel", screenshots::panelPictures},
    {"progress", screenshots::progressPicture},
    {"python", screenshots::pythonProgramFile},
    {"uncertainty", screenshots::uncertaintyPictures},
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    platform::installFontSubstitutes();
    QApplication::setFont(platform::pixelFont(QStringLiteral("Arial"), 8.25));
    QStringList arguments;
    for (int i = 2; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    for (const PictureSet& set : kSets) {
        if (argc > 1 && std::strcmp(argv[1], set.name) == 0) return set.take(arguments);
    }
    std::fprintf(
        stderr,
        "usage: vireltra_screenshots "
        "main-window|calculator|dialogs|exercises|redox-exercise|authoring|measurements|printout|polyacids|"
        "conductimetry|amounts|table|panel|progress|python|uncertainty ...\n");
    return 2;
}
