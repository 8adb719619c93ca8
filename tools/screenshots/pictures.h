#pragma once
// The picture sets of the README and of the help pages, one function each: `arguments` are the
// program's arguments after the set's name. Each returns the program's exit code.
#include <QStringList>

namespace screenshots {

// <folder> [<help folder>]: the main window through a short titration, and the graph's tools.
int mainWindowPictures(const QStringList& arguments);
// <picture.png>...: the calculator with an expression being typed.
int calculatorPicture(const QStringList& arguments);
// <docs folder> [<help folder>]: the open and save dialogs over a folder of configurations.
int dialogPictures(const QStringList& arguments);
// <data folder> <picture folder>...: the exercise browser, and a statement opened from it.
int exercisePictures(const QStringList& arguments);
// <data folder> <picture.png>...: the correction of the iron(II) exercise, E = f(V) with its tangents.
int redoxExercisePicture(const QStringList& arguments);
// <data folder> <picture.png>...: the window in which a teacher writes an exercise.
int authoringPicture(const QStringList& arguments);
// <example.csv> <help folder>: the example's measurements fitted, on the graph and the table's
// page, the windows that export the table and the graph, and a free diacid fitted.
int measurementPictures(const QStringList& arguments);
// <help folder>: phosphoric acid with the tangents at both jumps, and the forms' distribution.
int polyacidPictures(const QStringList& arguments);
// <folder>: the page "Dans le bécher" with "autre diacide", citric acid and a second solute, and
// with the concentrations hidden.
int panelPictures(const QStringList& arguments);
// <help folder>: the conductimeter on the bench, σ = f(V) and the "Droites" construction.
int conductimetryPictures(const QStringList& arguments);
// <help folder>: ethanoic acid on the n = f(V) graph, while pouring and once the burette is empty.
int amountPictures(const QStringList& arguments);
// The oxidation-reduction titration's panel, colour, E = f(V) and its analyses.
int redoxPictures(const QStringList& arguments);
// The precipitation titration's panel, Mohr's red and the silver electrode's E = f(V) with two halides.
int precipitationPictures(const QStringList& arguments);
// The table of two polyacids with the conductimeter; with a PDF path, its copy and its printout too.
int tablePictures(const QStringList& arguments);
// <picture.png>...: the progress table's window at the equivalence of ethanoic acid.
int progressPicture(const QStringList& arguments);
// <help folder>: the glassware, the repeated titrations' results and a Monte-Carlo simulation.
int uncertaintyPictures(const QStringList& arguments);
// <example.csv> <program.py>: the exported Python program of the example's titration.
int pythonProgramFile(const QStringList& arguments);
// <file.pdf>: the printout of a finished titration.
int printoutSample(const QStringList& arguments);

}  // namespace screenshots
