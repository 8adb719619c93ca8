#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

#include "numbers/windows1252.h"
#include "platform/rtf/reader.h"
#include "platform/rtf/writer.h"
#include "rtfsamples.h"

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
