#include "calculator/normaltext.h"

namespace calculator {

namespace {

// A plain number is a sign at most, then digits and points.
bool isRunCharacter(char c) {
    return (c >= '0' && c <= '9') || c == '.';
}

char product(char a, char b) {
    return a == b ? '+' : '-';
}

}  // namespace

NormalText::NormalText(std::string_view text, bool atStart) : m_atStart(atStart) {
    m_nodes.reserve(text.size() + 1);
    m_nodes.push_back(Node{-1, -1, 0, 0, 0, ' ', true});
    for (const char c : text) {
        const int node = insertBefore(-1, c);
        if (c == '(') m_openings.push_back(node);
        settle(node);
    }
}

std::string NormalText::str() const {
    std::string out;
    out.reserve(m_nodes.size());
    for (int node = m_nodes[0].next; node >= 0; node = m_nodes[node].next) out += m_nodes[node].c;
    return out;
}

std::optional<NormalText::Group> NormalText::lastGroup() {
    while (!m_openings.empty() && !m_nodes[m_openings.back()].alive) m_openings.pop_back();
    if (m_openings.empty()) return std::nullopt;
    Group group{m_openings.back(), -1, {}};
    int node = m_nodes[group.opening].next;
    for (; node >= 0 && m_nodes[node].c != ')'; node = m_nodes[node].next) group.content += m_nodes[node].c;
    if (node < 0) return std::nullopt;
    group.closing = node;
    return group;
}

void NormalText::replaceGroup(const Group& group, std::string_view value) {
    const int after = m_nodes[group.closing].next;
    for (int node = group.opening; node != after; node = m_nodes[node].next) m_nodes[node].alive = false;
    const int before = m_nodes[group.opening].prev;
    m_nodes[before].next = after;
    if (after >= 0) {
        m_nodes[after].prev = before;
    } else {
        m_last = before;
    }
    for (const char c : value) settle(insertBefore(after, c));
    // What follows was in normal form next to the group. It settles again up to the first
    // character past which nothing can look back to the change: one that is no sign, digit, point
    // or ")", a ")" that opens nothing, or a sign after a digit (a ")" further on needs a "(" right
    // before the sign). Every other step removes characters, so this is bounded.
    int node = after;
    while (node >= 0) {
        const char c = m_nodes[node].c;
        const int next = m_nodes[node].next;
        if (isSign(c)) {
            const bool afterDigits = isRunCharacter(m_nodes[m_nodes[node].prev].c);
            settle(node);
            if (afterDigits) break;
            node = next;
        } else if (isRunCharacter(c)) {
            settle(node);
            node = m_nodes[m_nodes[runRoot(node)].runLast].next;
        } else if (c == ')' && unwrapBefore(node)) {
            node = next;
        } else {
            break;
        }
    }
}

int NormalText::insertBefore(int next, char c) {
    const int node = static_cast<int>(m_nodes.size());
    const int prev = next >= 0 ? m_nodes[next].prev : m_last;
    m_nodes.push_back(Node{prev, next, node, node, node, c, true});
    m_nodes[prev].next = node;
    if (next >= 0) {
        m_nodes[next].prev = node;
    } else {
        m_last = node;
    }
    return node;
}

void NormalText::remove(int node) {
    m_nodes[node].alive = false;
    const int prev = m_nodes[node].prev;
    const int next = m_nodes[node].next;
    m_nodes[prev].next = next;
    if (next >= 0) {
        m_nodes[next].prev = prev;
    } else {
        m_last = prev;
    }
}

// Applies what the arrival of `node` can set off, everything before it being in normal form.
void NormalText::settle(int node) {
    const char c = m_nodes[node].c;
    const int prev = m_nodes[node].prev;
    if (isSign(c)) {
        if (isSign(m_nodes[prev].c)) {
            m_nodes[prev].c = product(m_nodes[prev].c, c);
            remove(node);
            node = prev;
        }
        if (m_atStart && m_nodes[node].c == '+' && m_nodes[node].prev == 0) remove(node);
    } else if (isRunCharacter(c)) {
        if (isRunCharacter(m_nodes[prev].c)) joinRuns(prev, node);
    } else if (c == ')') {
        unwrapBefore(node);
    }
}

// "(" [sign] digits ")" loses its parentheses; the sign then meets what stood before the "(".
bool NormalText::unwrapBefore(int closing) {
    int node = m_nodes[closing].prev;
    int run = -1;
    if (isRunCharacter(m_nodes[node].c)) {
        run = m_nodes[runRoot(node)].runFirst;
        node = m_nodes[run].prev;
    }
    int sign = -1;
    if (isSign(m_nodes[node].c)) {
        sign = node;
        node = m_nodes[node].prev;
    }
    if ((run < 0 && sign < 0) || m_nodes[node].c != '(') return false;
    const int before = m_nodes[node].prev;
    remove(node);
    remove(closing);
    if (sign >= 0) {
        settle(sign);
    } else if (isRunCharacter(m_nodes[before].c)) {
        joinRuns(before, run);
    }
    return true;
}

int NormalText::runRoot(int node) {
    while (m_nodes[node].runParent != node) {
        m_nodes[node].runParent = m_nodes[m_nodes[node].runParent].runParent;
        node = m_nodes[node].runParent;
    }
    return node;
}

// `left` ends the run just before the one `right` belongs to.
void NormalText::joinRuns(int left, int right) {
    const int leftRoot = runRoot(left);
    const int rightRoot = runRoot(right);
    if (leftRoot == rightRoot) return;
    m_nodes[rightRoot].runParent = leftRoot;
    m_nodes[leftRoot].runLast = m_nodes[rightRoot].runLast;
}

namespace {

bool isStretchCharacter(char c) {
    return isSign(c) || isRunCharacter(c) || c == '(' || c == ')';
}

bool isNormalStretch(std::string_view stretch, bool atStart) {
    if (atStart && !stretch.empty() && stretch.front() == '+') return false;
    for (std::size_t i = 0; i < stretch.size(); ++i) {
        if (isSign(stretch[i]) && i + 1 < stretch.size() && isSign(stretch[i + 1])) return false;
        if (stretch[i] != '(') continue;
        std::size_t end = i + 1;
        if (end < stretch.size() && isSign(stretch[end])) ++end;
        while (end < stretch.size() && isRunCharacter(stretch[end])) ++end;
        if (end > i + 1 && end < stretch.size() && stretch[end] == ')') return false;
    }
    return true;
}

}  // namespace

std::string normalForm(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isStretchCharacter(text[i])) {
            out += text[i++];
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && isStretchCharacter(text[end])) ++end;
        const std::string_view stretch = text.substr(i, end - i);
        if (isNormalStretch(stretch, i == 0)) {
            out.append(stretch);
        } else {
            out += NormalText(stretch, i == 0).str();
        }
        i = end;
    }
    return out;
}

}  // namespace calculator
