#include <gtest/gtest.h>

#include <random>
#include <string>

#include "numbers/windows1252.h"

using namespace numbers;

TEST(Windows1252, EveryByteSurvivesTheTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::string utf8 = windows1252ToUtf8(all);
    EXPECT_EQ(utf8ToWindows1252(utf8), all);
}

TEST(Windows1252, HighBlockCharactersTakeTheirCodePageBytes) {
    // The 27 characters of 0x80-0x9F, typed here as text, in byte order.
    const std::string utf8 = "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ";
    const std::string expected =
        "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x91\x92\x93\x94\x95\x96"
        "\x97\x98\x99\x9A\x9B\x9C\x9E\x9F";
    EXPECT_EQ(utf8ToWindows1252(utf8), expected);
    EXPECT_EQ(windows1252ToUtf8(expected), utf8);
}

TEST(Windows1252, LatinOneHalfAndUndefinedBytesMapToTheSameCodePoint) {
    EXPECT_EQ(utf8ToWindows1252("éàçÿ\u00A0"), "\xE9\xE0\xE7\xFF\xA0");
    EXPECT_EQ(windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
}

TEST(Windows1252, CharactersTheCodePageLacksBecomeOneQuestionMarkEach) {
    EXPECT_EQ(utf8ToWindows1252("a日本b"), "a??b");
    EXPECT_EQ(utf8ToWindows1252("Ω😀"), "??");
    EXPECT_EQ(utf8ToWindows1252("\u0080"), "?");  // byte 0x80 is the euro sign, not this control
}

TEST(Windows1252, MalformedUtf8BecomesQuestionMarksAndKeepsWhatFollows) {
    struct Case {
        const char* why;
        std::string utf8;
        std::string expected;
    };
    const Case cases[] = {
        {"lone continuation byte", "a\x80z", "a?z"},   {"sequence cut by the end", "a\xE2\x82", "a??"},
        {"sequence cut by ASCII", "\xE2\x82z", "??z"}, {"overlong slash", "\xC0\xAF", "??"},
        {"surrogate half", "\xED\xA0\x80", "???"},     {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????"},
        {"byte never in UTF-8", "\xFFok", "?ok"},
    };
    for (const auto& c : cases) EXPECT_EQ(utf8ToWindows1252(c.utf8), c.expected) << c.why;
}

TEST(Windows1252, RandomBytesNeverGrowWhenWritten) {
    std::mt19937 random(1252);
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 64, '\0');
        for (auto& c : text) c = static_cast<char>(random());
        EXPECT_LE(utf8ToWindows1252(text).size(), text.size());
    }
}

TEST(Windows1252, MalformedUtf8DecodesAsOneReplacementCharacterPerByte) {
    EXPECT_EQ(decodeUtf8("a\xE2\x82z\xC0\xAF"), U"a\uFFFD\uFFFDz\uFFFD\uFFFD");
    std::string out;
    appendUtf8(out, 0xD800);
    appendUtf8(out, 0x110000);
    EXPECT_EQ(out, "\uFFFD\uFFFD");
}
