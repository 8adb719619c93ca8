#pragma once
// Table-driven cases print as the reason they give, so a failing row names itself.
#include <ostream>

template <typename Case>
requires requires(const Case& c) {
    c.why;
}
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.why;
}
