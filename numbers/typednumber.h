#pragma once
// A number as the pupil typed it: the text a field shows (decimal comma, grouping blanks) and the
// number it reads as, read once when the text is set so that nothing reads it again.
#include <optional>
#include <string>

namespace numbers {

class TypedNumber {
  public:
    TypedNumber() = default;
    // Not explicit: a text converts, and is read on the way in.
    TypedNumber(std::string text);
    TypedNumber(const char* text) : TypedNumber(std::string(text)) {}

    const std::string& text() const { return m_text; }
    // None when the text is not a number.
    const std::optional<double>& value() const { return m_value; }
    double valueOr(double fallback) const { return m_value.value_or(fallback); }

    bool operator==(const TypedNumber& other) const { return m_text == other.m_text; }

  private:
    std::string m_text;
    std::optional<double> m_value;
};

}  // namespace numbers
