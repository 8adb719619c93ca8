#include "measurements/normalmatrix.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace measurements {

namespace {

using Square = std::array<std::array<double, kMaxFitParameters>, kMaxFitParameters>;

// A pivot this small beside the matrix's largest entry leaves the system singular.
constexpr double kSingularPivot = 1e-14;
// The least a diagonal counts for in the damping, beside the largest.
constexpr double kDampingFloor = 1e-9;

std::optional<ParameterVector> eliminate(Square m, ParameterVector x, int n) {
    double largest = 0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) largest = std::max(largest, std::abs(m[i][j]));
    }
    if (!(largest > 0) || !std::isfinite(largest)) return std::nullopt;
    for (int column = 0; column < n; ++column) {
        int pivot = column;
        for (int row = column + 1; row < n; ++row) {
            if (std::abs(m[row][column]) > std::abs(m[pivot][column])) pivot = row;
        }
        if (!(std::abs(m[pivot][column]) > kSingularPivot * largest)) return std::nullopt;
        std::swap(m[pivot], m[column]);
        std::swap(x[pivot], x[column]);
        for (int row = column + 1; row < n; ++row) {
            const double factor = m[row][column] / m[column][column];
            for (int k = column; k < n; ++k) m[row][k] -= factor * m[column][k];
            x[row] -= factor * x[column];
        }
    }
    for (int row = n - 1; row >= 0; --row) {
        double sum = x[row];
        for (int k = row + 1; k < n; ++k) sum -= m[row][k] * x[k];
        x[row] = sum / m[row][row];
        if (!std::isfinite(x[row])) return std::nullopt;
    }
    return x;
}

// The largest column sum of absolute values.
double oneNorm(const Square& m, int n) {
    double norm = 0;
    for (int j = 0; j < n; ++j) {
        double sum = 0;
        for (int i = 0; i < n; ++i) sum += std::abs(m[i][j]);
        norm = std::max(norm, sum);
    }
    return norm;
}

}  // namespace

NormalMatrix::NormalMatrix(int size) : m_size(std::clamp(size, 0, kMaxFitParameters)) {}

void NormalMatrix::addRow(const ParameterVector& derivatives) {
    for (int i = 0; i < m_size; ++i) {
        for (int j = 0; j < m_size; ++j) m_values[i][j] += derivatives[i] * derivatives[j];
    }
}

std::optional<ParameterVector> NormalMatrix::solve(const ParameterVector& b, double damping) const {
    Square m = m_values;
    if (damping > 0) {
        // A parameter the points hardly feel is damped as if they felt it a little, so that the
        // others can still move.
        double largest = 0;
        for (int k = 0; k < m_size; ++k) largest = std::max(largest, m_values[k][k]);
        const double floor = largest > 0 && std::isfinite(largest) ? kDampingFloor * largest : 1.0;
        for (int k = 0; k < m_size; ++k) m[k][k] += damping * std::max(m_values[k][k], floor);
    }
    // Solved scaled to a unit diagonal, so that parameters of very different units do not pass
    // for a singular system.
    ParameterVector scale{};
    ParameterVector scaledB{};
    for (int k = 0; k < m_size; ++k) {
        scale[k] = m[k][k] > 0 && std::isfinite(m[k][k]) ? 1 / std::sqrt(m[k][k]) : 1.0;
        scaledB[k] = b[k] * scale[k];
    }
    for (int i = 0; i < m_size; ++i) {
        for (int j = 0; j < m_size; ++j) m[i][j] *= scale[i] * scale[j];
    }
    auto x = eliminate(m, scaledB, m_size);
    if (!x) return std::nullopt;
    for (int k = 0; k < m_size; ++k) (*x)[k] *= scale[k];
    return x;
}

std::optional<ParameterVector> NormalMatrix::inverseDiagonal() const {
    ParameterVector diagonal{};
    for (int k = 0; k < m_size; ++k) {
        ParameterVector unit{};
        unit[k] = 1;
        const auto column = solve(unit);
        if (!column) return std::nullopt;
        diagonal[k] = (*column)[k];
    }
    return diagonal;
}

double NormalMatrix::scaledCondition() const {
    constexpr double kInfinite = std::numeric_limits<double>::infinity();
    if (m_size == 0) return kInfinite;
    ParameterVector scale{};
    for (int k = 0; k < m_size; ++k) {
        if (!(m_values[k][k] > 0) || !std::isfinite(m_values[k][k])) return kInfinite;
        scale[k] = 1 / std::sqrt(m_values[k][k]);
    }
    Square scaled{};
    for (int i = 0; i < m_size; ++i) {
        for (int j = 0; j < m_size; ++j) scaled[i][j] = m_values[i][j] * scale[i] * scale[j];
    }
    Square inverse{};
    for (int k = 0; k < m_size; ++k) {
        ParameterVector unit{};
        unit[k] = 1;
        const auto column = eliminate(scaled, unit, m_size);
        if (!column) return kInfinite;
        for (int i = 0; i < m_size; ++i) inverse[i][k] = (*column)[i];
    }
    const double condition = oneNorm(scaled, m_size) * oneNorm(inverse, m_size);
    return std::isfinite(condition) ? condition : kInfinite;
}

}  // namespace measurements
