// Measurements in: a file read through the open dialog, and points typed or pasted into the grid.
#include <QLineEdit>
#include <QTableWidget>
#include <optional>
#include <vector>

#include "measurements/measurementreader.h"
#include "measurementwindowsfixture.h"
#include "platform/filelist.h"
#include "tests/labpoints.h"
#include "windows/configuration/opendialog.h"
#include "windows/measurements/measuremententrywindow.h"
#include "windows/measurements/measurementimport.h"

using measurements::MeasuredPoint;
using platform::MessageAnswer;

namespace {

struct ImportCase {
    const char* name;
    const char* file;  // nullptr: the shipped example; "" with `exists` false: no file at all
    bool exists;
    std::size_t points;   // 0: the handler must not be called
    const char* message;  // the start of the message shown; "" for none
    bool dialogCloses;
};

class Import : public MeasurementWindowsTest, public ::testing::WithParamInterface<ImportCase> {};

// Points are written as the reader reads them ("V;pH" lines); "" for none.
struct EntryCase {
    const char* name;
    const char* initial;
    bool withConductivity;
    const char* pasted;  // put on the clipboard and pasted; nullptr for no paste
    // The keys typed into the first row's cells, one cell after the other, "|" between them.
    const char* typed;
    int removedRow;      // -1 for none
    const char* title;   // of the one message shown; "" for none
    const char* result;  // what OK hands over; nullptr: the window stays open
};

std::vector<MeasuredPoint> pointsOf(const char* text) {
    if (*text == '\0') return {};
    const measurements::ReadResult read =
        measurements::readMeasurements(std::string_view(text), state::labReadings());
    EXPECT_TRUE(read.ok()) << text << ": " << read.error;
    return read.points;
}

// The σ column shown, or the pH's alone.
measurementwindows::ShownReadings shownColumns(bool withConductivity) {
    measurementwindows::ShownReadings shown;
    if (withConductivity) shown.set(state::conductivityReading().slot);
    return shown;
}

class Entry : public MeasurementWindowsTest, public ::testing::WithParamInterface<EntryCase> {};

}  // namespace

TEST_P(Import, GivesThePointsOrNothingWithAMessage) {
    const ImportCase& c = GetParam();
    const QString name = QStringLiteral("mesures.csv");
    if (c.exists && c.file) writeFile(name, c.file);
    if (c.exists && !c.file) QFile::copy(QStringLiteral(VIRELTRA_EXAMPLE_MEASUREMENTS), path(name));
    for (const char* other : {"b.TSV", "c.txt", "d.C13", "e.png"})
        writeFile(QString::fromLatin1(other), "1;2");
    std::optional<measurementwindows::ImportedMeasurements> imported;
    QPointer<QWidget> dialog = measurementwindows::openMeasurementImport(
        boxes, &parent, [&](measurementwindows::ImportedMeasurements read) { imported = std::move(read); });
    if (std::string(c.message).size() > 0) boxes.queueAnswer(MessageAnswer::Ok);
    auto* files = in<platform::FileList>(dialog, "File1");  // the text files only
    EXPECT_EQ(files->count(), c.exists ? 3 : 2);
    EXPECT_EQ(files->findItems(QStringLiteral("*.C13"), Qt::MatchWildcard).size(), 0);
    in<QLineEdit>(dialog, "ficharge")->setText(path(name));
    click(dialog, "Command1");

    EXPECT_EQ(imported.has_value(), c.points > 0);
    if (imported) {
        EXPECT_EQ(imported->reading.points.size(), c.points);
        EXPECT_EQ(imported->path, path(name));
    }
    ASSERT_EQ(boxes.calls().size(), std::string(c.message).empty() ? 0u : 1u);
    if (!boxes.calls().empty()) {
        EXPECT_TRUE(boxes.calls()[0].text.startsWith(QString::fromUtf8(c.message)));
    }
    EXPECT_EQ(closed(dialog), c.dialogCloses);
    if (dialog) click(dialog, "Command2");
}

INSTANTIATE_TEST_SUITE_P(
    , Import,
    ::testing::Values(
        ImportCase{"ShippedExample", nullptr, true, 34, "", true},
        ImportCase{"FrenchCommas", "V (mL),pH\r\n0,0,2,91\r\n2,5,3,80\r\n", true, 2, "", true},
        ImportCase{"BadLineNamed", "V;pH\n1;3\n2;abc\n", true, 0, "Ligne 3 :", true},
        ImportCase{"NoMeasurement", "V;pH\n", true, 0, "Le fichier ne contient aucune mesure", true},
        ImportCase{"NoSuchFile", "", false, 0, "Nom de fichier incorrect ou chemin non valide", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(Entry, PastesChecksAndHandsOverThePoints) {
    const EntryCase& c = GetParam();
    std::optional<std::vector<MeasuredPoint>> entered;
    QPointer<QWidget> window = measurementwindows::openMeasurementEntry(
        pointsOf(c.initial), shownColumns(c.withConductivity), clipboard, boxes, &parent,
        [&](std::vector<MeasuredPoint> points) { entered = std::move(points); });
    if (*c.title != '\0') boxes.queueAnswer(MessageAnswer::Ok);
    auto* grid = in<QTableWidget>(window, "grille");
    if (c.pasted != nullptr) {
        clipboard.setText(QString::fromUtf8(c.pasted));
        click(window, "coller");
    }
    const QStringList typed = QString::fromUtf8(c.typed).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    for (int column = 0; column < typed.size(); ++column) {
        grid->setCurrentCell(0, column);
        grid->edit(grid->model()->index(0, column));
        auto* editor = grid->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, typed[column]);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();  // Enter commits the cell through a queued call
        settle();                              // and the closed editor goes
    }
    if (c.removedRow >= 0) {
        grid->setCurrentCell(c.removedRow, 0);
        click(window, "supprimerligne");
    }
    click(window, "ok");

    QStringList titles;
    for (const auto& call : boxes.calls()) titles << call.title;
    EXPECT_EQ(titles, *c.title == '\0' ? QStringList() : QStringList{QString::fromUtf8(c.title)});
    // A window left open names what the first row lacks.
    if (c.result == nullptr) {
        EXPECT_TRUE(boxes.calls().back().text.startsWith(QStringLiteral("Ligne 1 : il manque")));
    }
    const auto expected = c.result ? std::optional(pointsOf(c.result)) : std::nullopt;
    EXPECT_EQ(entered, expected);
    EXPECT_EQ(closed(window), c.result != nullptr);
    if (window) {
        click(window, "annuler");
        EXPECT_TRUE(closed(window));
        EXPECT_EQ(entered, std::nullopt);  // Cancel hands nothing over
    }
}

INSTANTIATE_TEST_SUITE_P(
    , Entry,
    ::testing::Values(
        EntryCase{"TabsPastedAfterTheRows",
                  "0;2,9",
                  false,
                  "1\t3,6\r\n2\t3.92\r\n",
                  {},
                  -1,
                  "",
                  "0;2,9\n1;3,6\n2;3,92"},
        EntryCase{"RefusedPasteNamesItsLine", "0;2,9", false, "1;3\n2;x\n", "", -1, "Collage impossible",
                  "0;2,9"},
        EntryCase{"SigmaPastedInItsColumn", "", true, "0;2,9;0,15\n", "", -1, "", "0;2,9;0,15"},
        EntryCase{"KeysFilteredPointMadeComma", "", false, nullptr, "1a2.5|4x", -1, "", "12,5;4"},
        EntryCase{"IncompleteRowKeepsTheWindow", "", false, nullptr, "5", -1, "Saisie incomplète", nullptr},
        EntryCase{"SigmaLeftOutOfThePasteWasNotMeasured", "", true, "0;2,9\n", "", -1, "", "0;2,9"},
        EntryCase{"UntouchedPointsKeepTheirDigits", "0;2,9123;0,12\n1,25;3,5;0,00004", true, nullptr, "", -1,
                  "", "0;2,9123;0,12\n1,25;3,5;0,00004"},
        EntryCase{"SigmaKeptUnseenWithoutTheConductimeter", "0;2,9;4,2\n1;3,6;0,9", false, nullptr, "", 0, "",
                  "1;3,6;0,9"},
        EntryCase{"RemovedRowLeftOut", "0;2,9\n1;3,6\n2;3,92", false, nullptr, "", 1, "", "0;2,9\n2;3,92"}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

// Keys typed where the focus is, "\t" for Tab and "\n" for Enter; then the cells as they show, a
// row per line ("V;pH;σ"), and the current cell.
struct KeysCase {
    const char* name;
    const char* initial;
    bool withConductivity;
    const char* keys;
    const char* cells;
    int row;
    int column;
};

class EntryKeys : public MeasurementWindowsTest, public ::testing::WithParamInterface<KeysCase> {};

QString cellsOf(const QTableWidget& grid) {
    QStringList rows;
    for (int row = 0; row < grid.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < grid.columnCount(); ++column)
            cells << (grid.item(row, column) ? grid.item(row, column)->text() : QString());
        rows << cells.join(QLatin1Char(';'));
    }
    return rows.join(QLatin1Char('\n'));
}

}  // namespace

TEST_P(EntryKeys, GoOnAsASpreadsheetDoesAndNeverWriteOverAMeasurement) {
    const KeysCase& c = GetParam();
    QPointer<QWidget> window = measurementwindows::openMeasurementEntry(
        pointsOf(c.initial), shownColumns(c.withConductivity), clipboard, boxes, &parent,
        [](std::vector<MeasuredPoint>) {});
    auto* grid = in<QTableWidget>(window, "grille");
    for (const QChar key : QString::fromUtf8(c.keys)) {
        // The cell's editor while one is open, as the focus would be on screen.
        QWidget* target = grid;
        for (auto* editor : grid->viewport()->findChildren<QLineEdit*>())
            if (editor->isVisible()) target = editor;
        if (key == QLatin1Char('\t')) {
            QTest::keyClick(target, Qt::Key_Tab);
        } else if (key == QLatin1Char('\n')) {
            QTest::keyClick(target, Qt::Key_Return);
        } else {
            QTest::keyClicks(target, QString(key));
        }
        settle();
    }
    EXPECT_EQ(cellsOf(*grid).toStdString(), c.cells);
    EXPECT_EQ(grid->currentRow(), c.row);
    EXPECT_EQ(grid->currentColumn(), c.column);
    click(window, "annuler");
}

INSTANTIATE_TEST_SUITE_P(, EntryKeys,
                         ::testing::Values(KeysCase{"TabPastTheLastRowAddsOne", "0;2,91", false,
                                                    "1\t3,6\t2\t3,92\t",
                                                    "0,0;2,91;\n1,0;3,60;\n2,0;3,92;\n;;", 3, 0},
                                           KeysCase{"TabGoesThroughSigmaWhenShown", "0;2,91", true,
                                                    "1\t3,6\t0,5\t", "0,0;2,91;\n1,0;3,60;0,5\n;;", 2, 0},
                                           KeysCase{"TabSkipsTheUnseenSigma", "0;2,91;4,2", false, "1\t3,6\t",
                                                    "0,0;2,91;4,2\n1,0;3,60;\n;;", 2, 0},
                                           KeysCase{"EnterGoesDownAndAddsARow", "0;2,91", false, "1\n2\n",
                                                    "0,0;2,91;\n1,0;;\n2,0;;\n;;", 3, 0},
                                           KeysCase{"EnterWithoutTypingOnlyMoves", "0;2,91\n1;3,6", false,
                                                    "\n\n", "0,0;2,91;\n1,0;3,60;\n;;\n;;\n;;", 4, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MeasurementWindowsTest, EntryShowsAndHandsBackEveryPointOfTheSituation) {
    // More than a file may hold: a configuration keeps them.
    std::vector<MeasuredPoint> points;
    for (int i = 0; i < 12000; ++i)
        points.push_back(testing_points::labPoint((i % 2500) / 100.0, (700 + i % 700) / 100.0, 0));
    std::optional<std::vector<MeasuredPoint>> entered;
    QPointer<QWidget> window = measurementwindows::openMeasurementEntry(
        points, false, clipboard, boxes, &parent,
        [&](std::vector<MeasuredPoint> handed) { entered = std::move(handed); });
    EXPECT_EQ(in<QTableWidget>(window, "grille")->rowCount(), 12001);
    click(window, "ok");
    ASSERT_TRUE(entered.has_value());
    EXPECT_EQ(*entered, points);
}
