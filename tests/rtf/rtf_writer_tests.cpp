#include <gtest/gtest.h>

#include "tests/support/childprocess.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "rtf/document.h"
#include "rtf/html.h"
#include "rtf/writer.h"
#include "rtfsamples.h"

using rtfsamples::format;

namespace {

rtf::Document oneRun(const std::string& text, rtf::CharFormat f = format(10)) {
    rtf::Document doc;
    rtf::Paragraph p;
    p.runs = {{text, f}};
    doc.paragraphs.push_back(p);
    return doc;
}

bool contains(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle) != std::string::npos;
}

// Braces balance when escaped ones are left out.
int braceBalance(const std::string& rtf) {
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        if (rtf[i] == '{') ++depth;
        if (rtf[i] == '}') {
            --depth;
            if (depth < 0) return -1;
        }
    }
    return depth;
}

}  // namespace

TEST(RtfWriter, WritesAWellFormedDocumentWithItsTables) {
    const std::string rtf = rtf::write(rtfsamples::styledDocument());
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
    EXPECT_EQ(braceBalance(rtf), 0);
    EXPECT_TRUE(contains(rtf, "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"));
    EXPECT_TRUE(contains(rtf, "Times New Roman;}"));
    EXPECT_TRUE(contains(rtf, "\\fcharset2 Symbol;}"));
    EXPECT_TRUE(contains(rtf, "{\\colortbl ;"));
    EXPECT_TRUE(contains(rtf, "\\red192\\green0\\blue192;"));
    EXPECT_TRUE(contains(rtf, "\\red0\\green0\\blue200;"));
}

TEST(RtfWriter, EachColourIsListedOnceAndRunsReferToIt) {
    rtf::Document doc = oneRun("a", format(10, {0, 0, 200}));
    doc.paragraphs[0].runs.push_back({"b", format(12, {0, 0, 200}, true)});
    doc.paragraphs[0].markFormat.colour = {0, 0, 200};
    const std::string rtf = rtf::write(doc);
    const auto first = rtf.find("\\red0\\green0\\blue200;");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(rtf.find("\\red0\\green0\\blue200;", first + 1), std::string::npos);
    // Blue is the only colour, so it is entry 1 after the automatic one.
    EXPECT_TRUE(contains(rtf, "\\cf1 a}"));
    EXPECT_TRUE(contains(rtf, "\\fs24\\cf1\\b b}"));
}

TEST(RtfWriter, ParagraphFormatsBecomeIndentsInTwipsAndAlignment) {
    const std::string rtf = rtf::write(rtfsamples::styledDocument());
    EXPECT_TRUE(contains(rtf, "\\pard\\ql\\li450\\ri675"));  // 30 px and 45 px
    EXPECT_TRUE(contains(rtf, "\\pard\\qc\\li0\\ri0"));
    EXPECT_TRUE(contains(rtf, "\\pard\\qr\\li0\\ri0"));
    EXPECT_EQ(rtf::twipsFromPixels(30), 450);
    EXPECT_EQ(rtf::twipsFromPixels(45), 675);
}

struct OffsetCase {
    const char* name;
    int twips;
    const char* expected;
};

void PrintTo(const OffsetCase& c, std::ostream* out) {
    *out << c.name;
}

class RtfWriterOffset : public testing::TestWithParam<OffsetCase> {};

TEST_P(RtfWriterOffset, OffsetsAreWrittenInHalfPointsRoundedAwayFromZero) {
    const std::string rtf = rtf::write(oneRun("x", format(8, {}, false, GetParam().twips)));
    EXPECT_TRUE(contains(rtf, GetParam().expected)) << rtf;
}

INSTANTIATE_TEST_SUITE_P(Cases, RtfWriterOffset,
                         testing::Values(OffsetCase{"RaiseOf50", 50, "\\fs16\\cf1\\up5 x"},
                                         OffsetCase{"HistoryRaiseOf45", 45, "\\up5 x"},
                                         OffsetCase{"LowerOf50", -50, "\\dn5 x"},
                                         OffsetCase{"RaiseOf44", 44, "\\up4 x"},
                                         OffsetCase{"None", 0, "\\fs16\\cf1 x"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TextCase {
    const char* name;
    const char* text;
    const char* expected;
};

void PrintTo(const TextCase& c, std::ostream* out) {
    *out << c.name;
}

class RtfWriterText : public testing::TestWithParam<TextCase> {};

TEST_P(RtfWriterText, NonAsciiAndSpecialCharactersAreEscaped) {
    const std::string rtf = rtf::write(oneRun(GetParam().text));
    EXPECT_TRUE(contains(rtf, GetParam().expected)) << rtf;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfWriterText,
    testing::Values(TextCase{"AccentsAsWindows1252", "é à ç °", "\\'e9 \\'e0 \\'e7 \\'b0"},
                    TextCase{"MiddleDot", "mol · L", "mol \\'b7 L"},
                    TextCase{"EuroFromTheHighControls", "5 €", "5 \\'80"},
                    TextCase{"GreekAsUnicode", "α", "\\u945?"},
                    TextCase{"AboveTheBmpAsSurrogates", "\xF0\x9F\x98\x80", "\\u-10179?\\u-8704?"},
                    TextCase{"Braces", "{x}", "\\{x\\}"}, TextCase{"Backslash", "a\\b", "a\\\\b"},
                    TextCase{"TabAndLineBreak", "a\tb\nc", "a\\tab b\\line c"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfWriter, SymbolFontCharactersAreWrittenAsTheirByteCode) {
    rtf::Document doc = oneRun("\xC2\xB7");  // U+00B7, the bullet of Symbol
    doc.paragraphs[0].runs[0].format.font = doc.addFont("Symbol");
    const std::string rtf = rtf::write(doc);
    EXPECT_TRUE(contains(rtf, "\\'b7"));
}

TEST(RtfWriter, OnlyParagraphsBeforeTheLastEndWithAParagraphMark) {
    rtf::Document doc = oneRun("one");
    doc.paragraphs.push_back(doc.paragraphs[0]);
    doc.paragraphs.back().runs[0].text = "two";
    const std::string rtf = rtf::write(doc);
    std::size_t count = 0;
    for (auto at = rtf.find("\\par\n"); at != std::string::npos; at = rtf.find("\\par\n", at + 1)) ++count;
    EXPECT_EQ(count, 1u);
}

TEST(RtfWriter, FractionalSizesGoToTheNearestHalfPoint) {
    EXPECT_TRUE(contains(rtf::write(oneRun("x", format(9.75))), "\\fs20\\cf1 x"));
    EXPECT_TRUE(contains(rtf::write(oneRun("x", format(8.25))), "\\fs17\\cf1 x"));
}

TEST(HtmlWriter, KeepsColoursBoldRaisedTextAndIndents) {
    const std::string html = rtf::toHtml(rtfsamples::styledDocument());
    EXPECT_TRUE(contains(html, "<meta charset=\"utf-8\">"));
    EXPECT_TRUE(contains(html, "color:#c000c0;font-weight:bold\">Courbe n° 3</span>"));
    EXPECT_TRUE(contains(html, "<sup>-1</sup>"));
    EXPECT_TRUE(contains(html, "<sub>bas</sub>"));
    EXPECT_TRUE(contains(html, "margin-left:22.5pt"));  // 450 twips
    EXPECT_TRUE(contains(html, "text-align:center"));
    EXPECT_TRUE(contains(html, "Titre {centré}&#9;et \\ fin"));
    EXPECT_TRUE(contains(html, "ligne<br>suivante"));
    EXPECT_TRUE(contains(html, "<br></p>"));  // the empty first paragraph keeps its line
}

// Qt sets the C library's locale from the environment: on a French desktop printf writes "10,5".
// A locale with a decimal comma is built for the C library in a folder of the test's own.
TEST(HtmlWriter, WritesSizesWithAPointUnderACommaLocale) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("vireltra-locale-" + std::to_string(testsupport::processId()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "comma")
        << "LC_NUMERIC\ndecimal_point \"<U002C>\"\nthousands_sep \"\"\ngrouping -1\n"
           "END LC_NUMERIC\n";
    // The other categories are missing: localedef says so and writes the locale all the same.
    const std::string build = "localedef -c -i '" + (folder / "comma").string() + "' -f ANSI_X3.4-1968 '" +
                              (folder / "virgule").string() + "' >/dev/null 2>&1";
    [[maybe_unused]] const int built = std::system(build.c_str());
    testsupport::setEnvironment("LOCPATH", folder.string());
    if (std::setlocale(LC_NUMERIC, "virgule") == nullptr) {
        testsupport::unsetEnvironment("LOCPATH");
        std::filesystem::remove_all(folder);
        GTEST_SKIP() << "localedef cannot build a locale here";
    }
    char written[16];
    std::snprintf(written, sizeof written, "%.1f", 10.5);
    const std::string html = rtf::toHtml(oneRun("a", format(10.5)));
    std::setlocale(LC_NUMERIC, "C");
    testsupport::unsetEnvironment("LOCPATH");
    std::filesystem::remove_all(folder);
    EXPECT_STREQ(written, "10,5") << "the locale has a decimal comma";
    EXPECT_TRUE(contains(html, "font-size:10.5pt")) << html;
}

TEST(HtmlWriter, EscapesMarkup) {
    const std::string html = rtf::toHtml(oneRun("a<b & \"c\">"));
    EXPECT_TRUE(contains(html, "a&lt;b &amp; &quot;c&quot;&gt;"));
}
