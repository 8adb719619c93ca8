#pragma once
// The calculator's memory register: it lasts for the whole run of the program, also while the
// calculator window is closed, so the application owns it and hands it to each window it opens.

namespace calculatorwindow {

class CalculatorMemory {
  public:
    double value() const { return m_value; }

    // "M+" and "M-": a sum that would not be a finite number keeps the previous value.
    void add(double amount);
    void subtract(double amount);
    // "CM".
    void clear() { m_value = 0.0; }

  private:
    void set(double value);

    double m_value = 0.0;
};

}  // namespace calculatorwindow
