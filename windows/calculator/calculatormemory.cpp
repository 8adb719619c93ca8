#include "windows/calculator/calculatormemory.h"

#include <cmath>

namespace calculatorwindow {

void CalculatorMemory::add(double amount) {
    set(m_value + amount);
}

void CalculatorMemory::subtract(double amount) {
    set(m_value - amount);
}

void CalculatorMemory::set(double value) {
    if (std::isfinite(value)) m_value = value;
}

}  // namespace calculatorwindow
