#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <chrono>

#include "platform/richtextbox.h"
#include "platform/richtextconversion.h"
#include "rtf/reader.h"
#include "rtf/writer.h"
#include "tests/rtf/rtfsamples.h"

using platform::Colour;
using platform::RichTextBox;

namespace {

constexpr Colour kBlue{0, 0, 200};

rtf::Document parse(const QByteArray& bytes) {
    const auto doc = rtf::read(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    EXPECT_TRUE(doc.has_value());
    return doc.value_or(rtf::Document{});
}

const rtf::Run* findRun(const rtf::Document& doc, const std::string& text) {
    for (const auto& p : doc.paragraphs) {
        for (const auto& r : p.runs) {
            if (r.text == text) return &r;
        }
    }
    return nullptr;
}

// Rows of the topmost and bottommost dark pixels of the box as shown.
std::pair<int, int> inkRows(RichTextBox& box) {
    box.resize(200, 120);
    box.select(0, 0);  // no selection highlight
    const QImage image = box.viewport()->grab().toImage();
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                if (top < 0) top = y;
                bottom = y;
            }
        }
    }
    return {top, bottom};
}

}  // namespace

TEST(RichTextBox, FormatsASelectionAndReadsItBack) {
    RichTextBox box;
    box.appendText("abc def ghi");
    box.select(4, 3);
    EXPECT_EQ(box.selText(), QStringLiteral("def"));
    box.selection().setColour(kBlue);
    box.selection().setBold(true);
    box.selection().setFontSize(8);
    box.selection().setCharOffset(50);
    box.selection().setItalic(true);
    box.selection().setUnderline(true);
    box.selection().setFontName("Times New Roman");
    EXPECT_EQ(box.selection().colour(), kBlue);
    EXPECT_TRUE(box.selection().bold());
    EXPECT_TRUE(box.selection().italic());
    EXPECT_TRUE(box.selection().underline());
    EXPECT_EQ(box.selection().fontSize(), 8.0);
    EXPECT_EQ(box.selection().charOffset(), 50);
    EXPECT_EQ(box.selection().fontName(), QStringLiteral("Times New Roman"));
    box.select(0, 3);
    EXPECT_EQ(box.selection().colour(), (Colour{0, 0, 0}));
    EXPECT_FALSE(box.selection().bold());
    EXPECT_EQ(box.selection().fontSize(), 10.0);
    EXPECT_EQ(box.selection().charOffset(), 0);

    const rtf::Document doc = parse(box.textRtf());
    const rtf::Run* def = findRun(doc, "def");
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->format.colour, (rtf::Colour{0, 0, 200}));
    EXPECT_TRUE(def->format.bold);
    EXPECT_EQ(def->format.pointSize, 8.0);
    EXPECT_EQ(def->format.offsetTwips, 50);
    EXPECT_EQ(doc.fontName(def->format.font), "Times New Roman");
    const rtf::Run* abc = findRun(doc, "abc ");
    ASSERT_NE(abc, nullptr);
    EXPECT_EQ(doc.fontName(abc->format.font), "Arial");
    EXPECT_FALSE(abc->format.bold);
}

TEST(RichTextBox, PiecesWithCrlfAreSelectedByTheLengthsBeforeThem) {
    const QStringList pieces = {"Vireltra\r\n",
                                "\r\nCe ",
                                "simulateur permet de déterminer le pH de solutions aqueuses et de ",
                                "réaliser un titrage acido-basique ",
                                "mol · L",
                                "-1",
                                "."
                                "\r\n"};
    RichTextBox box;
    for (const QString& piece : pieces) box.appendText(piece);
    EXPECT_EQ(box.text(), pieces.join(QString()));
    int start = 0;
    for (const QString& piece : pieces) {
        box.select(start, static_cast<int>(piece.size()));
        EXPECT_EQ(box.selText(), piece);
        EXPECT_EQ(box.selStart(), start);
        EXPECT_EQ(box.selLength(), piece.size());
        start += static_cast<int>(piece.size());
    }
    // Title: centred and blue; "-1": raised and smaller.
    box.select(0, static_cast<int>(pieces[0].size()));
    box.selection().setAlignment(rtf::Alignment::Centre);
    box.selection().setColour(kBlue);
    box.selection().setFontSize(18);
    const int raised = static_cast<int>(pieces.mid(0, 5).join(QString()).size());
    box.select(raised, 2);
    box.selection().setCharOffset(50);
    box.selection().setFontSize(8);

    EXPECT_EQ(box.plainText(), QStringLiteral("Vireltra\n\nCe simulateur permet de déterminer le pH de "
                                              "solutions aqueuses et de réaliser un titrage acido-basique "
                                              "mol · L-1.\n"));
    const rtf::Document doc = parse(box.textRtf());
    ASSERT_EQ(doc.paragraphs.size(), 4u);
    EXPECT_EQ(doc.paragraphs[0].alignment, rtf::Alignment::Centre);
    EXPECT_EQ(doc.paragraphs[1].alignment, rtf::Alignment::Left);
    EXPECT_EQ(doc.paragraphs[0].runs.at(0).format.pointSize, 18.0);
    const rtf::Run* exponent = findRun(doc, "-1");
    ASSERT_NE(exponent, nullptr);
    EXPECT_EQ(exponent->format.offsetTwips, 50);
    EXPECT_EQ(exponent->format.pointSize, 8.0);
    EXPECT_EQ(findRun(doc, ".")->format.offsetTwips, 0);
}

TEST(RichTextBox, EachKindOfLineEndMakesOneParagraphBreak) {
    RichTextBox box;
    box.appendText("a\r\nb\nc\rd");
    EXPECT_EQ(box.document()->blockCount(), 4);
    EXPECT_EQ(box.text(), QStringLiteral("a\r\nb\r\nc\r\nd"));
    EXPECT_EQ(box.plainText(), QStringLiteral("a\nb\nc\nd"));
}

TEST(RichTextBox, SelectionsAreClampedToTheText) {
    RichTextBox box;
    box.appendText("abc\r\ndef");
    box.select(-5, 2);
    EXPECT_EQ(box.selStart(), 0);
    EXPECT_EQ(box.selText(), QStringLiteral("ab"));
    box.select(6, 100);
    EXPECT_EQ(box.selText(), QStringLiteral("ef"));
    box.select(100, 1);
    EXPECT_EQ(box.selStart(), 8);
    EXPECT_EQ(box.selLength(), 0);
    box.select(1, -3);
    EXPECT_EQ(box.selLength(), 0);
}

TEST(RichTextBox, AppendingUsesTheCurrentFormatAndNewParagraphsInheritIndents) {
    RichTextBox box;
    box.selection().setIndent(30);
    box.selection().setRightIndent(45);
    box.selection().setFontSize(10);
    box.selection().setBold(true);
    box.appendText("\r\n");
    box.selection().setFontSize(8);
    box.selection().setColour(Colour{192, 0, 192});
    box.appendText("Courbe n° 3");
    box.appendText("\r\n");
    box.selection().setColour(Colour{0, 0, 0});
    box.selection().setIndent(45);
    box.appendText("Solution dans le bécher : ");
    box.selection().setBold(false);
    box.appendText("20,0 mL mol · L");
    box.selection().setCharOffset(45);
    box.appendText("-1");
    box.selection().setCharOffset(0);
    box.appendText(".");

    const rtf::Document doc = box.richDocument();
    ASSERT_EQ(doc.paragraphs.size(), 3u);
    EXPECT_EQ(doc.paragraphs[0].leftIndentTwips, 450);
    EXPECT_EQ(doc.paragraphs[0].rightIndentTwips, 675);
    EXPECT_EQ(doc.paragraphs[1].leftIndentTwips, 450);
    EXPECT_EQ(doc.paragraphs[1].rightIndentTwips, 675);  // inherited
    EXPECT_EQ(doc.paragraphs[2].leftIndentTwips, 675);
    const rtf::Run* heading = findRun(doc, "Courbe n° 3");
    ASSERT_NE(heading, nullptr);
    EXPECT_TRUE(heading->format.bold);
    EXPECT_EQ(heading->format.colour, (rtf::Colour{192, 0, 192}));
    EXPECT_EQ(heading->format.pointSize, 8.0);
    EXPECT_TRUE(findRun(doc, "Solution dans le bécher : ")->format.bold);
    EXPECT_FALSE(findRun(doc, "20,0 mL mol · L")->format.bold);
    EXPECT_EQ(findRun(doc, "-1")->format.offsetTwips, 45);
    EXPECT_EQ(findRun(doc, ".")->format.offsetTwips, 0);
    box.select(0, 0);
    EXPECT_EQ(box.selection().indent(), 30);
    EXPECT_EQ(box.selection().rightIndent(), 45);
}

TEST(RichTextBox, AlignmentAppliesToTheParagraphsOfTheSelectionOnly) {
    RichTextBox box;
    box.appendText("one\r\ntwo\r\nthree");
    box.select(6, 5);  // "o" CR LF "th"
    box.selection().setAlignment(rtf::Alignment::Right);
    EXPECT_EQ(box.selection().alignment(), rtf::Alignment::Right);
    box.select(0, 5);  // "one" CR LF: the break does not take the next paragraph along
    box.selection().setAlignment(rtf::Alignment::Centre);
    EXPECT_EQ(box.selection().alignment(), rtf::Alignment::Centre);
    const rtf::Document doc = box.richDocument();
    EXPECT_EQ(doc.paragraphs.at(0).alignment, rtf::Alignment::Centre);
    EXPECT_EQ(doc.paragraphs.at(1).alignment, rtf::Alignment::Right);
    EXPECT_EQ(doc.paragraphs.at(2).alignment, rtf::Alignment::Right);
}

TEST(RichTextBox, RaisedCharactersAreDrawnHigherByTheirOffsetWhateverTheirSize) {
    RichTextBox normal;
    normal.selection().setFontSize(20);
    normal.appendText("1");
    RichTextBox raised;
    raised.selection().setFontSize(20);
    raised.selection().setCharOffset(100);  // 100 twips = 6.7 px at 96 dpi
    raised.appendText("1");
    const auto [normalTop, normalBottom] = inkRows(normal);
    const auto [raisedTop, raisedBottom] = inkRows(raised);
    ASSERT_GE(normalTop, 0);
    EXPECT_NEAR(normalTop - raisedTop, 6.7, 1.5);
    EXPECT_NEAR(normalBottom - raisedBottom, 6.7, 1.5);

    // A larger size keeps the same raise in twips.
    raised.select(0, 1);
    raised.selection().setFontSize(30);
    normal.select(0, 1);
    normal.selection().setFontSize(30);
    const auto [bigNormalTop, bigNormalBottom] = inkRows(normal);
    const auto [bigRaisedTop, bigRaisedBottom] = inkRows(raised);
    EXPECT_NEAR(bigNormalBottom - bigRaisedBottom, 6.7, 1.5);
    EXPECT_EQ(raised.selection().charOffset(), 100);
}

TEST(RichTextBox, StyledDocumentRoundTripsThroughTheBox) {
    rtf::Document expected = rtfsamples::styledDocument();
    expected.normalise();
    RichTextBox box;
    ASSERT_TRUE(box.setRtf(QByteArray::fromStdString(rtf::write(expected))));
    const rtf::Document back = box.richDocument();
    ASSERT_EQ(back.paragraphs.size(), expected.paragraphs.size());
    for (std::size_t i = 0; i < expected.paragraphs.size(); ++i) {
        EXPECT_EQ(back.paragraphs[i], expected.paragraphs[i]) << "paragraph " << i;
    }
    const rtf::Document again = parse(box.textRtf());
    EXPECT_EQ(again, expected);
}

TEST(RichTextBox, HtmlAndPlainTextCarryTheContent) {
    RichTextBox box;
    box.selection().setColour(kBlue);
    box.selection().setBold(true);
    box.appendText("25 °C");
    box.selection().setBold(false);
    box.selection().setCharOffset(50);
    box.appendText("-1");
    const QString html = box.html();
    EXPECT_TRUE(html.contains("color:#0000c8;font-weight:bold\">25 °C</span>")) << html.toStdString();
    EXPECT_TRUE(html.contains("<sup>-1</sup>"));
    EXPECT_EQ(box.plainText(), QStringLiteral("25 °C-1"));
}

// A file whose runs all use one very long font name: the box takes it, and gives it back as a
// document, RTF and HTML, holding the name once (each of these took 2 GB when every run held it).
TEST(RichTextBox, LongFontNameFileOpensAndCopiesInTimeLinearInItsSize) {
    const std::string name(100000, 'F');
    std::string bytes = "{\\rtf1{\\fonttbl{\\f0 " + name + ";}}\\f0 ";
    for (int i = 0; i < 20000; ++i) bytes += i % 2 == 0 ? "\\par " : "\\b a\\b0 a";
    bytes += "}";
    const auto started = std::chrono::steady_clock::now();
    RichTextBox box;
    ASSERT_TRUE(box.setRtf(QByteArray::fromStdString(bytes)));
    const rtf::Document doc = box.richDocument();
    EXPECT_LT(box.textRtf().size(), 20 * static_cast<qsizetype>(bytes.size()));
    EXPECT_LT(box.html().size(), 20 * static_cast<qsizetype>(bytes.size()));
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(doc.fonts.size(), 2u);
    EXPECT_EQ(doc.paragraphs.size(), 10001u);
    EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count(), 20);
}

TEST(RichTextBox, RefusesBytesThatAreNotRtfAndKeepsItsText) {
    RichTextBox box;
    box.appendText("garde");
    EXPECT_FALSE(box.setRtf("pas du RTF"));
    EXPECT_EQ(box.plainText(), QStringLiteral("garde"));
}

TEST(RichTextBox, SavesAndLoadsRtfFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    RichTextBox box;
    box.selection().setColour(kBlue);
    box.appendText("Énoncé\r\n");
    box.selection().setColour(Colour{0, 0, 0});
    box.selection().setItalic(true);
    box.appendText("réponse");
    const QString path = dir.filePath("texte.rtf");
    ASSERT_TRUE(box.saveRtfFile(path));
    EXPECT_FALSE(QFile::exists(path + ".tmp"));

    RichTextBox other;
    ASSERT_TRUE(other.loadRtfFile(path));
    EXPECT_EQ(other.plainText(), QStringLiteral("Énoncé\nréponse"));
    EXPECT_EQ(other.richDocument(), box.richDocument());

    EXPECT_FALSE(box.saveRtfFile(dir.filePath("absent/texte.rtf")));
    EXPECT_FALSE(other.loadRtfFile(dir.filePath("absent.rtf")));
    QFile plain(dir.filePath("plain.txt"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write("just text");
    plain.close();
    EXPECT_FALSE(other.loadRtfFile(plain.fileName()));
    EXPECT_EQ(other.plainText(), QStringLiteral("Énoncé\nréponse"));
}

TEST(RichTextBox, FailedSaveLeavesThePreviousFileWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("texte.rtf");
    RichTextBox box;
    box.appendText("version 1");
    ASSERT_TRUE(box.saveRtfFile(path));
    // A directory in the place of the target cannot be replaced: the save fails as a whole.
    ASSERT_TRUE(QDir(dir.path()).mkdir("dossier.rtf"));
    box.appendText(" et 2");
    EXPECT_FALSE(box.saveRtfFile(dir.filePath("dossier.rtf")));
    RichTextBox reread;
    ASSERT_TRUE(reread.loadRtfFile(path));
    EXPECT_EQ(reread.plainText(), QStringLiteral("version 1"));
}

TEST(RichTextBox, ClearKeepsTheFormatAtTheCaret) {
    RichTextBox box;
    box.selection().setIndent(20);
    box.selection().setColour(kBlue);
    box.appendText("old");
    box.clearText();
    EXPECT_TRUE(box.plainText().isEmpty());
    box.appendText("new");
    box.select(0, 3);
    EXPECT_EQ(box.selection().colour(), kBlue);
    EXPECT_EQ(box.selection().indent(), 20);
}

TEST(RichTextBox, ReadOnlySwitch) {
    RichTextBox box;
    box.setReadOnly(true);
    EXPECT_TRUE(box.isReadOnly());
    box.appendText("still appended by the program");
    EXPECT_FALSE(box.plainText().isEmpty());
    box.setReadOnly(false);
    EXPECT_FALSE(box.isReadOnly());
}

namespace {

// A font table of `count` families and one character in each of them.
std::string everyFontOnce(int count) {
    std::string table = "{\\fonttbl";
    std::string text;
    for (int i = 0; i < count; ++i) {
        table += "{\\f" + std::to_string(i) + " Police" + std::to_string(i) + ";}";
        text += "\\f" + std::to_string(i) + " a";
    }
    return table + "}" + text;
}

std::string repeated(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

}  // namespace

// Each took from seconds to minutes while every run went into the shown document.
// How long they take is bench_rtf's (BM_ShowAlternatingBold, BM_ShowEveryFontOnce).
TEST(RichTextBox, LargeDocumentsOfEveryShapeShowWhole) {
    const std::string statement =
        "\\pard\\qc{\\b Exercice} : 20,0 mL d'acide {\\i faible} et de soude "
        "\\'e0 0,1 mol.L{\\up6 -1} ; le pH \\'e0 l'\\'e9quivalence.\\par ";
    const struct {
        const char* shape;
        std::string body;
        qsizetype characters;
    } cases[] = {
        {"alternating bold, 45 KB", repeated("\\b a\\b0 a", 5000), 10000},
        {"alternating bold, 90 KB", repeated("\\b a\\b0 a", 10000), 20000},
        {"alternating bold, 180 KB", repeated("\\b a\\b0 a", 20000), 40000},
        {"alternating bold, 900 KB", repeated("\\b a\\b0 a", 100000), 200000},
        {"subscripts", repeated("H{\\sub 2}O", 5000), 15000},
        {"1 MB of paragraphs", repeated("\\par ", 200000), 200000},
        {"1 MB statement", repeated(statement, 8000), 8000 * 85},
        {"20 000 fonts", everyFontOnce(20000), 20000},
    };
    RichTextBox box;
    box.resize(361, 169);  // the main window's text area
    box.show();
    for (const auto& c : cases) {
        ASSERT_TRUE(box.setRtf(QByteArray::fromStdString("{\\rtf1 " + c.body + "}"))) << c.shape;
        box.viewport()->grab();  // lays out and draws what shows
        EXPECT_EQ(box.plainText().size(), c.characters) << c.shape;
    }
}

// Qt tells formats apart by a hash that, left to itself, ignores the font: each new format was
// compared with all the others. Laying out so many fonts costs what Qt's matching of them costs.
TEST(RichTextBox, FormatsDifferingOnlyByTheirFontFillADocumentInTimeLinearInTheirNumber) {
    rtf::Document rich;
    rich.paragraphs.resize(1);
    for (int i = 1; i <= 20000; ++i) {
        rich.fonts.push_back("Police" + std::to_string(i));
        rich.paragraphs[0].runs.push_back({"a", rtf::CharFormat{.font = i}});
    }
    QTextDocument document;
    const auto started = std::chrono::steady_clock::now();
    platform::fillTextDocument(document, rich);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    EXPECT_EQ(document.characterCount(), 20001);
}

// Qt lays a stretch without a break opportunity out again from each line, and never ends laying
// out more than 2^23 pixels: the first is broken anywhere, the second refused with the text kept.
TEST(RichTextBox, DocumentsTooCostlyToLayOutAreBrokenAnywhereOrRefused) {
    const qsizetype longest = RichTextBox::kLongestStretchWrappedAtWords;
    const auto atWords = QTextOption::WrapAtWordBoundaryOrAnywhere;
    const struct {
        std::string body;
        bool loads;
        QTextOption::WrapMode wrap;
    } cases[] = {
        {"deux mots\\par " + std::string(longest, 'a'), true, atWords},
        {"deux mots\\par " + std::string(longest + 1, 'a'), true, QTextOption::WrapAnywhere},
        {std::string(3 * longest, ' '), true, atWords},
        {"\\fs3276 " + repeated("\\par ", 2000), true, atWords},
        {"\\fs200 " + repeated("a ", 25000), true, atWords},
        {"\\fs3276 " + repeated("\\par ", 5000), false, atWords},
        {"\\fs3276 " + repeated("a ", 5000), false, atWords},
    };
    RichTextBox box;
    box.resize(361, 169);
    for (const auto& c : cases) {
        box.appendText("avant");
        EXPECT_EQ(box.setRtf(QByteArray::fromStdString("{\\rtf1 " + c.body + "}")), c.loads) << c.body.size();
        EXPECT_EQ(box.plainText() == QStringLiteral("avant"), !c.loads) << c.body.size();
        EXPECT_EQ(box.wordWrapMode(), c.wrap) << c.body.size();
        box.clearText();
        EXPECT_EQ(box.wordWrapMode(), atWords);
    }
}

TEST(RichTextBox, FilesBeyondTheSizeLimitAreRefusedAndTheTextKept) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const qint64 size : {RichTextBox::kMaxRtfFileBytes, RichTextBox::kMaxRtfFileBytes + 1}) {
        // A picture, which the reader skips, fills the file to the size wanted.
        QByteArray bytes = "{\\rtf1 {\\pict }\\'c9nonc\\'e9}";
        bytes.insert(bytes.indexOf('}'), QByteArray(size - bytes.size(), '0'));
        QFile file(dir.filePath(QString::number(size)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == size);
        file.close();
        RichTextBox box;
        box.appendText("avant");
        const bool loads = size <= RichTextBox::kMaxRtfFileBytes;
        EXPECT_EQ(box.loadRtfFile(file.fileName()), loads) << size;
        EXPECT_EQ(box.plainText(), loads ? QStringLiteral("Énoncé") : QStringLiteral("avant")) << size;
    }
}

// A loaded text replaces the document: the previous one goes, undoing does not take the text
// apart, and what is typed next takes the format of the text's end.
TEST(RichTextBox, ALoadedTextReplacesTheDocumentWithoutUndoHistory) {
    RichTextBox box;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(box.setRtf("{\\rtf1 un {\\i deux}\\par trois \\b quatre}"));
    EXPECT_EQ(box.findChildren<QTextDocument*>().size(), 1);
    box.undo();
    box.appendText(" cinq");
    EXPECT_EQ(box.plainText(), QStringLiteral("un deux\ntrois quatre cinq"));
    box.select(static_cast<int>(box.text().size()) - 4, 4);
    EXPECT_TRUE(box.selection().bold());
}
