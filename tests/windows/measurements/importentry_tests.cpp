// Measurements in: a file read through the open dialog, and points typed or pasted into the grid.
#include <QLineEdit>
#include <QTableWidget>
#include <optional>
#include <vector>

#include "measurementwindowsfixture.h"
#include "platform/filelist.h"
#include "windows/configuration/opendialog.h"
#include "windows/measurements/measuremententrywindow.h"
#include "windows/measurements/measurementimport.h"

using measurements::MeasuredPoint;
using platform::MessageAnswer;

namespace {

QByteArray exampleFile() {
    QFile file(QStringLiteral(VIRELTRA_EXAMPLE_MEASUREMENTS));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct ImportCase {
    const char* name;
    const char* file;  // nullptr: the shipped example; "" with `exists` false: no file at all
    bool exists;
    std::size_t points;   // 0: the handler must not be called
    const char* message;  // the start of the message shown; "" for none
    bool dialogCloses;
};

class Import : public MeasurementWindowsTest, public ::testing::WithParamInterface<ImportCase> {};

struct Typed {
    int row;
    int column;
    const char* keys;
};

struct EntryCase {
    const char* name;
    std::vector<MeasuredPoint> initial;
    bool withConductivity;
    const char* pasted;  // put on the clipboard and pasted; nullptr for no paste
    std::vector<Typed> typed;
    int removedRow;                                    // -1 for none
    std::vector<const char*> titles;                   // of the messages shown, in order
    std::optional<std::vector<MeasuredPoint>> result;  // what OK hands over; nothing: the window stays open
};

class Entry : public MeasurementWindowsTest, public ::testing::WithParamInterface<EntryCase> {};

}  // namespace

TEST_P(Import, GivesThePointsOrNothingWithAMessage) {
    const ImportCase& c = GetParam();
    const QString name = QStringLiteral("mesures.csv");
    if (c.exists) writeFile(name, c.file ? QByteArray(c.file) : exampleFile());
    std::optional<measurementwindows::ImportedMeasurements> imported;
    QPointer<QWidget> dialog = measurementwindows::openMeasurementImport(
        boxes, &parent, [&](measurementwindows::ImportedMeasurements read) { imported = std::move(read); });
    if (std::string(c.message).size() > 0) boxes.queueAnswer(MessageAnswer::Ok);
    in<QLineEdit>(dialog, "ficharge")->setText(path(name));
    click(dialog, "Command1");

    EXPECT_EQ(imported.has_value(), c.points > 0);
    if (imported) {
        EXPECT_EQ(imported->points.size(), c.points);
        EXPECT_EQ(imported->path, path(name));
    }
    ASSERT_EQ(boxes.calls().size(), std::string(c.message).empty() ? 0u : 1u);
    if (!boxes.calls().empty()) EXPECT_TRUE(boxes.calls()[0].text.startsWith(QString::fromUtf8(c.message)));
    EXPECT_EQ(closed(dialog), c.dialogCloses);
    if (dialog) click(dialog, "Command2");
}

INSTANTIATE_TEST_SUITE_P(
    , Import,
    ::testing::Values(
        ImportCase{"ShippedExample", nullptr, true, 34, "", true},
        ImportCase{"BadLineNamed", "V;pH\n1;3\n2;abc\n", true, 0, "Ligne 3 :", true},
        ImportCase{"NoMeasurement", "V;pH\n", true, 0, "Le fichier ne contient aucune mesure", true},
        ImportCase{"NoSuchFile", "", false, 0, "Nom de fichier incorrect ou chemin non valide", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MeasurementWindowsTest, ImportListsTheTextFilesOnly) {
    for (const char* name : {"a.csv", "b.TSV", "c.txt", "d.C13", "e.png"})
        writeFile(QString::fromLatin1(name), "1;2\n");
    QPointer<QWidget> dialog = measurementwindows::openMeasurementImport(boxes, &parent, {});
    auto* files = in<platform::FileList>(dialog, "File1");
    QStringList listed;
    for (int i = 0; i < files->count(); ++i) listed << files->item(i)->text();
    EXPECT_EQ(listed, (QStringList{"a.csv", "b.TSV", "c.txt"}));
    click(dialog, "Command2");
    EXPECT_TRUE(closed(dialog));
}

TEST_P(Entry, PastesChecksAndHandsOverThePoints) {
    const EntryCase& c = GetParam();
    std::optional<std::vector<MeasuredPoint>> entered;
    QPointer<QWidget> window = measurementwindows::openMeasurementEntry(
        c.initial, c.withConductivity, clipboard, boxes, &parent,
        [&](std::vector<MeasuredPoint> points) { entered = std::move(points); });
    for (std::size_t i = 0; i < c.titles.size(); ++i) boxes.queueAnswer(MessageAnswer::Ok);
    auto* grid = in<QTableWidget>(window, "grille");
    if (c.pasted != nullptr) {
        clipboard.setText(QString::fromUtf8(c.pasted));
        click(window, "coller");
    }
    for (const Typed& typed : c.typed) {
        grid->setCurrentCell(typed.row, typed.column);
        grid->edit(grid->model()->index(typed.row, typed.column));
        auto* editor = grid->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, QString::fromUtf8(typed.keys));
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
    QStringList expected;
    for (const char* title : c.titles) expected << QString::fromUtf8(title);
    EXPECT_EQ(titles, expected);
    EXPECT_EQ(entered, c.result);
    EXPECT_EQ(closed(window), c.result.has_value());
    if (window) {
        click(window, "annuler");
        EXPECT_TRUE(closed(window));
        EXPECT_EQ(entered, c.result);  // Cancel hands nothing over
    }
}

INSTANTIATE_TEST_SUITE_P(, Entry,
                         ::testing::Values(EntryCase{"TabsPastedAfterTheRows",
                                                     {{0, 2.9, 0}},
                                                     false,
                                                     "1\t3,6\r\n2\t3.92\r\n",
                                                     {},
                                                     -1,
                                                     {},
                                                     std::vector<MeasuredPoint>{
                                                         {0, 2.9, 0}, {1, 3.6, 0}, {2, 3.92, 0}}},
                                           EntryCase{"SemicolonsWithTitles",
                                                     {},
                                                     false,
                                                     "V (mL);pH\n1,5;4\n",
                                                     {},
                                                     -1,
                                                     {},
                                                     std::vector<MeasuredPoint>{{1.5, 4, 0}}},
                                           EntryCase{"RefusedPasteNamesItsLine",
                                                     {{0, 2.9, 0}},
                                                     false,
                                                     "1;3\n2;x\n",
                                                     {},
                                                     -1,
                                                     {"Collage impossible"},
                                                     std::vector<MeasuredPoint>{{0, 2.9, 0}}},
                                           EntryCase{"EmptyClipboardSaysSo",
                                                     {},
                                                     false,
                                                     "",
                                                     {},
                                                     -1,
                                                     {"Collage impossible"},
                                                     std::vector<MeasuredPoint>{}},
                                           EntryCase{"SigmaPastedInItsColumn",
                                                     {},
                                                     true,
                                                     "0;2,9;0,15\n",
                                                     {},
                                                     -1,
                                                     {},
                                                     std::vector<MeasuredPoint>{{0, 2.9, 0.15}}},
                                           EntryCase{"KeysFilteredAndPointMadeComma",
                                                     {},
                                                     false,
                                                     nullptr,
                                                     {{0, 0, "1a2.5"}, {0, 1, "4x"}},
                                                     -1,
                                                     {},
                                                     std::vector<MeasuredPoint>{{12.5, 4, 0}}},
                                           EntryCase{"VolumeBeyondTheBuretteCorrected",
                                                     {},
                                                     false,
                                                     nullptr,
                                                     {{0, 0, "30"}, {0, 1, "4"}},
                                                     -1,
                                                     {"Volume corrigé"},
                                                     std::vector<MeasuredPoint>{{25, 4, 0}}},
                                           EntryCase{"IncompleteRowKeepsTheWindow",
                                                     {},
                                                     false,
                                                     nullptr,
                                                     {{0, 0, "5"}},
                                                     -1,
                                                     {"Saisie incomplète"},
                                                     std::nullopt},
                                           EntryCase{"RemovedRowLeftOut",
                                                     {{0, 2.9, 0}, {1, 3.6, 0}, {2, 3.92, 0}},
                                                     false,
                                                     nullptr,
                                                     {},
                                                     1,
                                                     {},
                                                     std::vector<MeasuredPoint>{{0, 2.9, 0}, {2, 3.92, 0}}}),
                         [](const auto& info) { return std::string(info.param.name); });
