#include <gtest/gtest.h>

#include <string>

#include "rtf/reader.h"
#include "rtf/writer.h"
#include "rtfsamples.h"

namespace {

rtf::Document readOrFail(const std::string& bytes) {
    const auto doc = rtf::read(bytes);
    EXPECT_TRUE(doc.has_value());
    return doc.value_or(rtf::Document{});
}

}  // namespace

TEST(RtfRoundTrip, StyledDocumentComesBackIdentical) {
    rtf::Document expected = rtfsamples::styledDocument();
    expected.normalise();
    const rtf::Document read = readOrFail(rtf::write(expected));
    ASSERT_EQ(read.paragraphs.size(), expected.paragraphs.size());
    for (std::size_t i = 0; i < expected.paragraphs.size(); ++i) {
        EXPECT_EQ(read.paragraphs[i], expected.paragraphs[i]) << "paragraph " << i;
    }
    EXPECT_EQ(read.plainText(), expected.plainText());
    EXPECT_EQ(read.fonts, expected.fonts);
}

TEST(RtfRoundTrip, SizesAndOffsetsAtTheEndsOfTheirRangesComeBackUnchanged) {
    for (const char* rtf :
         {"{\\rtf1\\fs1 a}", "{\\rtf1\\fs3276 a}", "{\\rtf1\\up3200 a}", "{\\rtf1\\dn3276 a}"}) {
        const rtf::Document once = readOrFail(rtf);
        const rtf::Document twice = readOrFail(rtf::write(once));
        EXPECT_EQ(twice.paragraphs.at(0).runs.at(0).format, once.paragraphs.at(0).runs.at(0).format) << rtf;
    }
}

TEST(RtfRoundTrip, RaisedCharactersKeepTheirOffsetToTheHalfPoint) {
    rtf::Document doc;
    rtf::Paragraph p;
    p.runs = {{"L", rtfsamples::format(8)}, {"-1", rtfsamples::format(8, {}, false, 45)}};
    doc.paragraphs.push_back(p);
    const rtf::Document read = readOrFail(rtf::write(doc));
    ASSERT_EQ(read.paragraphs.at(0).runs.size(), 2u);
    EXPECT_EQ(read.paragraphs[0].runs[1].format.offsetTwips, 50);  // RTF carries half points
    EXPECT_EQ(read.paragraphs[0].runs[1].text, "-1");
}

TEST(RtfReader, RefusesBytesThatAreNotRtf) {
    EXPECT_FALSE(rtf::read("").has_value());
    EXPECT_FALSE(rtf::read("hello").has_value());
    EXPECT_FALSE(rtf::read("{\\rt").has_value());
    EXPECT_FALSE(rtf::read("<html>{\\rtf1}</html>").has_value());
    EXPECT_TRUE(rtf::read("  \r\n{\\rtf1 x}").has_value());
}

TEST(RtfReader, ReadsAWordProcessorDocumentAndSkipsWhatItDoesNotShow) {
    const std::string bytes =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1036"
        "{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}{\\f1\\fswiss\\fprq2\\fcharset0 Arial{\\*\\panose "
        "020b0604}"
        "{\\*\\falt Helvetica};}}\n"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue200;}\n"
        "{\\stylesheet{\\s0 Normal;}{\\s1 heading 1;}}"
        "{\\info{\\title Secret}{\\author Someone}}"
        "{\\*\\generator Riched20 10.0.19041}{\\*\\unknowndestination hidden text}"
        "\\viewkind4\\uc1\\pard\\sa200\\sl276\\slmult1\\qc\\li300\\f1\\fs32\\cf1\\b Titre\\b0\\par\n"
        "\\pard\\f0\\fs22\\cf2 Une {\\i image}{\\pict\\wmetafile8\\picw100 0123456789abcdef}"
        "{\\*\\shppict{\\pict\\pngblip\\bin4 {}}}}} ici\\par\n"
        "\\pard\\sl240\\unknownword42 fin\\par\n}";
    const rtf::Document doc = readOrFail(bytes);
    ASSERT_EQ(doc.paragraphs.size(), 4u);  // the final mark leaves an empty last paragraph
    const rtf::Paragraph& title = doc.paragraphs[0];
    EXPECT_EQ(title.text(), "Titre");
    EXPECT_EQ(title.alignment, rtf::Alignment::Centre);
    EXPECT_EQ(title.leftIndentTwips, 300);
    ASSERT_EQ(title.runs.size(), 1u);
    EXPECT_EQ(doc.fontName(title.runs[0].format.font), "Arial");
    EXPECT_EQ(title.runs[0].format.pointSize, 16.0);
    EXPECT_EQ(title.runs[0].format.colour, (rtf::Colour{255, 0, 0}));
    EXPECT_TRUE(title.runs[0].format.bold);

    const rtf::Paragraph& body = doc.paragraphs[1];
    EXPECT_EQ(body.text(), "Une image ici");
    EXPECT_EQ(body.alignment, rtf::Alignment::Left);  // \pard reset it
    EXPECT_EQ(body.leftIndentTwips, 0);
    ASSERT_EQ(body.runs.size(), 3u);
    EXPECT_EQ(doc.fontName(body.runs[0].format.font), "Calibri");
    EXPECT_EQ(body.runs[0].format.colour, (rtf::Colour{0, 0, 200}));
    EXPECT_TRUE(body.runs[1].format.italic);
    EXPECT_FALSE(body.runs[2].format.italic);
    EXPECT_EQ(doc.paragraphs[2].text(), "fin");
}

TEST(RtfReader, DecodesWindows1252AndUnicodeWithTheirFallbacks) {
    const rtf::Document doc = readOrFail(
        "{\\rtf1\\ansi {\\fonttbl{\\f0 Arial;}}\\f0 \\'e9\\'e0\\'e7\\'b0 \\'80 \\u945? \\uc2\\u946\\'3f\\'3f "
        "\\uc1\\u-10179?\\u-8704? \\'zz\\'4}");
    EXPECT_EQ(doc.plainText(), "éàç° € α β \xF0\x9F\x98\x80 zz");
}

TEST(RtfReader, ControlCharactersAreRefusedHoweverTheyAreWritten) {
    const rtf::Document doc = readOrFail(
        "{\\rtf1{\\fonttbl{\\f0 Ar\\'01ial;}}\\f0 a\\'00b\\'0dc\\u1?d\x01"
        "e\\'09f}");
    EXPECT_EQ(doc.plainText(), "abcde\tf");
    EXPECT_EQ(doc.fonts.back(), "Arial");
}

TEST(RtfReader, SymbolFontBytesStayTheirByteCode) {
    const rtf::Document doc = readOrFail(
        "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman\\fcharset2 Symbol;}}\\f1 \\'b7\\'80\\f0 \\'80}");
    ASSERT_EQ(doc.paragraphs.at(0).runs.size(), 2u);
    EXPECT_EQ(doc.fontName(doc.paragraphs[0].runs[0].format.font), "Symbol");
    EXPECT_EQ(doc.paragraphs[0].runs[0].text, "\xC2\xB7\xC2\x80");  // U+00B7 U+0080
    EXPECT_EQ(doc.paragraphs[0].runs[1].text, "€");
}

TEST(RtfReader, AutomaticAndMissingColoursReadAsBlack) {
    const rtf::Document doc =
        readOrFail("{\\rtf1{\\colortbl ;\\red0\\green128\\blue0;}\\cf1 a\\cf0 b\\cf99 c\\cf-4 d}");
    ASSERT_EQ(doc.paragraphs.at(0).runs.size(), 2u);
    EXPECT_EQ(doc.paragraphs[0].runs[0].format.colour, (rtf::Colour{0, 128, 0}));
    EXPECT_EQ(doc.paragraphs[0].runs[1].text, "bcd");
    EXPECT_EQ(doc.paragraphs[0].runs[1].format.colour, (rtf::Colour{0, 0, 0}));
}

TEST(RtfReader, GroupsRestoreTheFormatTheyChanged) {
    const rtf::Document doc = readOrFail("{\\rtf1\\fs20 a{\\b\\up6\\fs16 b}c\\plain d}");
    ASSERT_EQ(doc.paragraphs.at(0).runs.size(), 4u);
    EXPECT_EQ(doc.paragraphs[0].runs[1].format.offsetTwips, 60);
    EXPECT_TRUE(doc.paragraphs[0].runs[1].format.bold);
    EXPECT_EQ(doc.paragraphs[0].runs[1].format.pointSize, 8.0);
    EXPECT_EQ(doc.paragraphs[0].runs[2].format, doc.paragraphs[0].runs[0].format);
    EXPECT_EQ(doc.paragraphs[0].runs[2].format.pointSize, 10.0);
    EXPECT_EQ(doc.paragraphs[0].runs[3].format.pointSize, 12.0);  // \plain: the RTF default size
}

TEST(RtfReader, LineBreaksTabsAndParagraphMarks) {
    const rtf::Document doc = readOrFail("{\\rtf1 a\\line b\\tab c\\par\r\nd\\\ne\\~f\\emdash}");
    ASSERT_EQ(doc.paragraphs.size(), 3u);
    EXPECT_EQ(doc.paragraphs[0].text(), "a\nb\tc");
    EXPECT_EQ(doc.paragraphs[1].text(), "d");  // backslash-newline is a paragraph mark
    EXPECT_EQ(doc.paragraphs[2].text(),
              "e\xC2\xA0"
              "f\xE2\x80\x94");
}

TEST(RtfReader, ParameterOverflowIsClamped) {
    const rtf::Document doc =
        readOrFail("{\\rtf1\\li99999999999999\\ri-99999999999 \\fs999999999 \\up99999999 a\\par \\fs0 b}");
    ASSERT_EQ(doc.paragraphs.size(), 2u);
    EXPECT_EQ(doc.paragraphs[0].leftIndentTwips, 31680);
    EXPECT_EQ(doc.paragraphs[0].rightIndentTwips, -31680);
    EXPECT_EQ(doc.paragraphs[0].runs.at(0).format.pointSize, 1638.0);
    EXPECT_EQ(doc.paragraphs[0].runs[0].format.offsetTwips, 32760);
    EXPECT_EQ(doc.paragraphs[1].runs.at(0).format.pointSize, 1638.0);  // \fs0 is refused
}

TEST(RtfReader, NestingBeyondTheLimitIsSkippedWhole) {
    const std::string deep = std::string(10000, '{') + "deep" + std::string(10000, '}');
    const rtf::Document doc = readOrFail("{\\rtf1 a" + deep + "b}");
    EXPECT_EQ(doc.plainText(), "ab");
    const rtf::Document shallow = readOrFail("{\\rtf1 a{{{{x}}}}b}");
    EXPECT_EQ(shallow.plainText(), "axb");
}

TEST(RtfReader, TextAfterTheDocumentIsIgnored) {
    const rtf::Document doc = readOrFail("{\\rtf1 inside}outside{more}");
    EXPECT_EQ(doc.plainText(), "inside");
}

TEST(RtfReader, FieldResultsAreKeptAndInstructionsSkipped) {
    const rtf::Document doc =
        readOrFail("{\\rtf1 voir {\\field{\\*\\fldinst{HYPERLINK \"http://x\"}}{\\fldrslt{le site}}} !}");
    EXPECT_EQ(doc.plainText(), "voir le site !");
}
