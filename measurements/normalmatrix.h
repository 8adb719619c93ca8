#pragma once
// The normal matrix JᵀJ of a least-squares fit over a few parameters, J being the derivatives of
// the residuals with respect to the parameters. It gives the fit its steps, and tells whether the
// points determine each parameter at all.
#include <array>
#include <optional>

namespace measurements {

inline constexpr int kMaxFitParameters = 3;

using ParameterVector = std::array<double, kMaxFitParameters>;

class NormalMatrix {
  public:
    bool operator==(const NormalMatrix&) const = default;
    NormalMatrix() = default;
    explicit NormalMatrix(int size);

    int size() const { return m_size; }
    double operator()(int row, int column) const { return m_values[row][column]; }

    // Adds the outer product of one point's derivatives (its row of J).
    void addRow(const ParameterVector& derivatives);

    // Solves (A + λ·diag A) x = b by elimination with partial pivoting; nothing when the matrix
    // is singular to working precision or the result is not finite. λ = 0 gives the plain normal
    // equations, a larger λ the shorter, safer steps of Levenberg and Marquardt.
    std::optional<ParameterVector> solve(const ParameterVector& b, double damping = 0) const;

    // The diagonal of the inverse, (A⁻¹)ₖₖ: how far parameter k can move for a unit change of the
    // residuals. Nothing when the matrix is singular.
    std::optional<ParameterVector> inverseDiagonal() const;

    // The condition number (1-norm) of the matrix scaled to a unit diagonal, which does not depend
    // on the parameters' units; infinite when a parameter has no effect or the matrix is singular.
    double scaledCondition() const;

  private:
    int m_size = 0;
    std::array<std::array<double, kMaxFitParameters>, kMaxFitParameters> m_values{};
};

}  // namespace measurements
