#pragma once
// Inputs for the readers' fuzz tests: mutants of seed inputs, deterministic for a given seed.
// Mutants join the pool they are drawn from, so that edits pile up over the rounds.
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testing_support {

class Mutator {
  public:
    // `alphabet` holds the pieces worth inserting (keywords, separators); any byte comes too.
    Mutator(std::vector<std::string> seeds, std::vector<std::string> alphabet, std::uint32_t seed,
            std::size_t maxLength = 2048)
        : m_pool(std::move(seeds)), m_alphabet(std::move(alphabet)), m_random(seed), m_maxLength(maxLength) {}

    std::string next() {
        std::string text = m_pool[below(m_pool.size())];
        for (std::size_t edits = 1 + below(4); edits > 0; --edits) edit(text);
        if (text.size() > m_maxLength) text.resize(m_maxLength);
        if (m_pool.size() < 256) {
            m_pool.push_back(text);
        } else {
            m_pool[below(m_pool.size())] = text;
        }
        return text;
    }

  private:
    std::size_t below(std::size_t n) {
        return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(m_random);
    }

    std::string piece() {
        if (below(4) == 0) return std::string(1, static_cast<char>(below(256)));
        return m_alphabet[below(m_alphabet.size())];
    }

    // A piece inserted or written over, a stretch removed, or a stretch copied elsewhere (which
    // deepens nesting and lengthens runs).
    void edit(std::string& text) {
        const std::size_t at = below(text.size() + 1);
        switch (below(4)) {
            case 0:
                text.insert(at, piece());
                break;
            case 1: {
                const std::string replacement = piece();
                text.replace(at, replacement.size(), replacement);
                break;
            }
            case 2:
                text.erase(at, below(8));
                break;
            default:
                text.insert(at, text.substr(below(text.size() + 1), below(32)));
                break;
        }
    }

    std::vector<std::string> m_pool;
    std::vector<std::string> m_alphabet;
    std::mt19937 m_random;
    std::size_t m_maxLength;
};

}  // namespace testing_support
