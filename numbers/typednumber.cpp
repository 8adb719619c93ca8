#include "numbers/typednumber.h"

#include <utility>

#include "numbers/decimalreader.h"

namespace numbers {

TypedNumber::TypedNumber(std::string text) : m_text(std::move(text)), m_value(readTypedNumber(m_text)) {}

}  // namespace numbers
