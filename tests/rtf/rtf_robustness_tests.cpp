#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <random>
#include <string>

#include "numbers/windows1252.h"
#include "rtf/html.h"
#include "rtf/reader.h"
#include "rtf/writer.h"
#include "rtfsamples.h"
#include "tests/configuration/allocationcounter.h"
#include "tests/mutator.h"

namespace {

bool isValidUtf8(const std::string& text) {
    std::string reencoded;
    for (char32_t cp : numbers::decodeUtf8(text)) numbers::appendUtf8(reencoded, cp);
    return reencoded == text;
}

void expectSane(const rtf::Document& doc, std::size_t inputSize) {
    // Every paragraph needs at least one byte of input, every character too.
    EXPECT_LE(doc.paragraphs.size(), inputSize + 1);
    for (const rtf::Paragraph& p : doc.paragraphs) {
        for (const rtf::Run& run : p.runs) {
            EXPECT_FALSE(run.text.empty());
            EXPECT_TRUE(isValidUtf8(run.text));
            EXPECT_GT(run.format.pointSize, 0.0);
            EXPECT_LE(run.format.pointSize, 1638.0);
        }
    }
}

}  // namespace

TEST(RtfRobustness, RandomBytesNeverCrashTheReader) {
    std::mt19937 random(20240611u);
    const std::string pieces[] = {"{",          "}",     "\\",   "\\'",    "\\u", "-", "\\par", "\\bin",
                                  "\\*",        "\\f",   "\\fs", "\\cf",   "9",   "0", ";",     "\\fonttbl",
                                  "\\colortbl", "\\red", "\\uc", "\\pict", "a",   " ", "\xE9",  "\\up"};
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(pieces)) - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 400);
    const auto started = std::chrono::steady_clock::now();
    int parsed = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string input = round % 2 == 0 ? "{\\rtf1" : "";
        const int n = length(random);
        for (int i = 0; i < n; ++i) {
            if (round % 3 == 0) {
                input += static_cast<char>(byte(random));
            } else {
                input += pieces[pick(random)];
            }
        }
        const auto doc = rtf::read(input);
        if (doc) {
            ++parsed;
            expectSane(*doc, input.size());
        }
    }
    EXPECT_GE(parsed, 1500);  // every input with the header is read
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count(), 20);
}

TEST(RtfRobustness, BinaryCountsBeyondTheEndStopAtTheEnd) {
    const auto doc = rtf::read("{\\rtf1 a\\bin999999999 xyz");
    ASSERT_TRUE(doc.has_value());
    EXPECT_EQ(doc->plainText(), "a");
    const auto negative = rtf::read("{\\rtf1 a\\bin-5 b}");
    ASSERT_TRUE(negative.has_value());
    EXPECT_EQ(negative->plainText(), "ab");
}

// A cut may turn "\\pard" into "\\par", an extra paragraph break: compare the text without breaks.
TEST(RtfRobustness, EveryPrefixOfAWrittenDocumentReadsAsAPrefixOfItsText) {
    rtf::Document doc = rtfsamples::styledDocument();
    const std::string full = rtf::write(doc);
    auto withoutBreaks = [](std::string text) {
        std::erase(text, '\n');
        return text;
    };
    const std::string text = withoutBreaks(doc.plainText());
    for (std::size_t cut = 5; cut <= full.size(); ++cut) {
        const auto prefix = rtf::read(full.substr(0, cut));
        ASSERT_TRUE(prefix.has_value()) << cut;
        expectSane(*prefix, cut);
        const std::string read = withoutBreaks(prefix->plainText());
        EXPECT_EQ(text.compare(0, read.size(), read), 0) << "cut at " << cut << ": " << read;
    }
}

TEST(RtfRobustness, UnclosedGroupsAtTheEndKeepTheTextRead) {
    const auto doc = rtf::read("{\\rtf1 {\\b gras {\\i pench\\'e9");
    ASSERT_TRUE(doc.has_value());
    EXPECT_EQ(doc->plainText(), "gras penché");  // raw bytes would be Windows-1252
}

namespace {

std::string fontTableWith(const std::string& fontName) {
    return "{\\rtf1{\\fonttbl{\\f0 " + fontName + ";}}\\f0 ";
}

std::string repeated(const std::string& piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += piece;
    return out;
}

struct Costs {
    std::size_t peakBytes;
    std::size_t htmlBytes;
    std::size_t rtfBytes;
};

Costs costsOf(const std::string& input) {
    std::optional<rtf::Document> doc;
    Costs costs{};
    {
        testing_support::AllocationScope scope;
        doc = rtf::read(input);
        costs.peakBytes = scope.peakBytes();
    }
    EXPECT_TRUE(doc.has_value());
    if (!doc) return costs;
    EXPECT_EQ(doc->fonts.size(), 2u);
    costs.htmlBytes = rtf::toHtml(*doc).size();
    costs.rtfBytes = rtf::write(*doc).size();
    return costs;
}

}  // namespace

// Runs and paragraph marks refer to the font table: a long name costs its length once, in the
// document as in its HTML and RTF, however many paragraphs and format changes follow it (these
// 200 KB cost 2 GB when each run held the name).
TEST(RtfRobustness, LongFontNameCostsItsLengthOnceWhateverUsesIt) {
    const std::string name(100000, 'F');
    for (const std::string& body : {repeated("\\par ", 20000), repeated("\\b a\\b0 a", 20000)}) {
        const Costs shortName = costsOf(fontTableWith("F") + body + "}");
        const Costs longName = costsOf(fontTableWith(name) + body + "}");
        EXPECT_LT(longName.peakBytes, shortName.peakBytes + 4 * name.size());
        EXPECT_LT(longName.htmlBytes, shortName.htmlBytes + 2 * name.size());
        EXPECT_LT(longName.rtfBytes, shortName.rtfBytes + 2 * name.size());
    }
}

TEST(RtfRobustness, SpacesAroundAFontNameAreTrimmedInLinearTime) {
    const auto started = std::chrono::steady_clock::now();
    const auto doc =
        rtf::read(fontTableWith(std::string(400000, ' ') + "Times" + std::string(400000, ' ')) + "x}");
    const auto elapsed = std::chrono::steady_clock::now() - started;
    ASSERT_TRUE(doc.has_value());
    EXPECT_EQ(doc->fontName(doc->paragraphs.at(0).runs.at(0).format.font), "Times");
    EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count(), 2);  // it took 8.5 s
}

// Mutants of written documents and of the files that once went wrong: read sanely, and once
// written and read again, stable.
TEST(RtfRobustness, MutantsReadSanelyAndComeBackStableFromTheirSecondTrip) {
    testing_support::Mutator mutator(
        {rtf::write(rtfsamples::styledDocument()), "{\\rtf1 a\\'00b\\'0dc}",
         fontTableWith(std::string(64, ' ') + "F") + "\\par \\b a\\b0 a\\par}",
         "{\\rtf1\\fs1 a\\up3200 b\\dn9 c}",
         "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf1\\qc\\li300 x\\u945?\\line y}"},
        {"{",        "}",      "\\",        "\\'",    "\\u",     "\\par ", "\\b ",      "\\b0 ",
         "\\f1 ",    "\\fs1 ", "\\up3200 ", "\\'e9",  "\\'00",   ";",      "\\fonttbl", "\\colortbl",
         "\\red255", "\\bin",  "\\*",       "\\pict", "\\plain", " ",      "a",         "-"},
        4242);
    const auto twice = [](const std::string& bytes) {
        const auto doc = rtf::read(bytes);
        return doc ? rtf::write(*doc) : std::string();
    };
    for (int n = 0; n < 3000; ++n) {
        const std::string input = mutator.next();
        const auto doc = rtf::read(input);
        if (!doc) continue;
        expectSane(*doc, input.size());
        EXPECT_FALSE(rtf::toHtml(*doc).empty());
        const std::string first = twice(rtf::write(*doc));
        ASSERT_FALSE(first.empty()) << input;
        EXPECT_EQ(twice(first), first) << input;
    }
}
