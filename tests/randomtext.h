#pragma once
// Texts a pupil might type, or a damaged file might hold, made of pieces that trouble number
// readers: decimal marks, exponents, huge and tiny values, words, bytes that are not UTF-8.
#include <iterator>
#include <random>
#include <string>

namespace testing_support {

inline std::string randomText(std::mt19937& rng) {
    static const std::string pieces[] = {"0",   "1",   "5",     "9",           ",",
                                         ".",   "-",   "e",     "E",           "+",
                                         " ",   "abc", "1e38",  "1e-45",       "999999999999",
                                         "0,0", "NaN", "inf",   "é",           "\xff",
                                         "25",  "-0",  "1E308", "0,000 000 01"};
    std::uniform_int_distribution<int> count(0, 5);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::string text;
    for (int i = count(rng); i > 0; --i) text += pieces[pick(rng)];
    return text;
}

}  // namespace testing_support
