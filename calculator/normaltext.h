#pragma once
// The evaluator's text without its spaces, held in normal form: no two signs side by side ("--"
// and "++" are "+", "+-" and "-+" are "-"), no "+" at the start, no parentheses around a plain
// number. These rules reach the same text whatever order they are applied in, so the text is
// normalised in one pass from the left, each character settling against what comes before it.
//
// The characters form a linked list, so that a group can be replaced by its value and only the
// neighbourhood of the change settles again; runs of digits are joined in a union-find, so that
// the plain number in front of a ")" is found without walking along it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calculator {

inline bool isSign(char c) {
    return c == '+' || c == '-';
}

class NormalText {
  public:
    // `text` holds no spaces. A text that continues another keeps a "+" at its start.
    explicit NormalText(std::string_view text, bool atStart = true);

    std::string str() const;

    struct Group {
        int opening;
        int closing;
        std::string content;  // between the parentheses
    };
    // The last "(" and the text up to the first ")" after it; nothing without both.
    std::optional<Group> lastGroup();
    // Replaces the group and its parentheses by `value` (no spaces) and normalises the text again.
    void replaceGroup(const Group& group, std::string_view value);

  private:
    int insertBefore(int next, char c);
    void remove(int node);
    void settle(int node);
    bool unwrapBefore(int closing);
    int runRoot(int node);
    void joinRuns(int left, int right);

    struct Node {
        int prev;
        int next;       // -1 after the last node
        int runParent;  // union-find of digit runs
        int runFirst;   // at a run's root: its first and last nodes
        int runLast;
        char c;
        bool alive;
    };
    // Node 0 is the head of the list: a space, which is neither a sign, a digit nor a parenthesis.
    std::vector<Node> m_nodes;
    std::vector<int> m_openings;  // the "(" nodes from left to right; removed ones are skipped
    int m_last = 0;
    bool m_atStart;
};

// The normal form of a text without spaces. The rules only ever join signs, digits, points and
// parentheses that stand together, so each stretch of those is normalised on its own, and only a
// stretch that needs it is rebuilt: most texts the evaluator normalises are nearly in normal form.
std::string normalForm(std::string_view text);

}  // namespace calculator
