#pragma once
// The search behind the concentration fit: the sum of squared pH differences over log10 c₂ and
// the fitted pKa, a scan of the whole range that finds its valleys, and Levenberg–Marquardt steps
// that refine them. Each works on a chosen part of the points, so that thousands of points cost
// a few passes over all of them: the scan and the first refinements run on a spread of the
// points, only the last steps on every point.
#include <span>
#include <stop_token>
#include <vector>

#include "measurements/concentrationfit.h"
#include "measurements/normalmatrix.h"

namespace measurements::fitsearch {

// Indices of points, in the order of their volumes.
using PointChoice = std::vector<std::size_t>;

class Objective {
  public:
    // `slot` is where a point holds the fitted reading.
    Objective(std::span<const MeasuredPoint> points, const ReadingModel& model, std::size_t slot,
              const FitSettings& settings, std::stop_token stop);

    // Parameters searched: log10 c₂, then the fitted pKa in ascending order.
    int count() const { return 1 + m_settings.fittedPKaCount; }
    double low(int k) const { return m_low[k]; }
    double high(int k) const { return m_high[k]; }
    ModelParameters modelParameters(const ParameterVector& p) const;
    // Within the range, the pKa in ascending order (the model does not tell them apart).
    ParameterVector normalise(ParameterVector p) const;
    bool atLimit(const ParameterVector& p, int k) const;
    bool stopped() const { return m_stop.stop_requested(); }

    // Model minus measurement at the chosen points; false when the model cannot compute one or
    // the search was asked to stop.
    bool residuals(const ParameterVector& p, std::span<const std::size_t> chosen,
                   std::vector<double>& out) const;
    // Their sum of squares, infinite when they cannot be computed; the residuals stay in `out`.
    double cost(const ParameterVector& p, std::span<const std::size_t> chosen,
                std::vector<double>& out) const;
    // The residuals' derivatives at the chosen points (`r` holds their residuals at p), summed
    // into the normal matrix and the gradient Jᵀr. False when the model fails nearby.
    bool normalEquations(const ParameterVector& p, std::span<const std::size_t> chosen,
                         const std::vector<double>& r, NormalMatrix& a, ParameterVector& g) const;

  private:
    std::span<const MeasuredPoint> m_points;
    const ReadingModel& m_model;
    std::size_t m_slot;
    FitSettings m_settings;
    std::stop_token m_stop;
    ParameterVector m_low{};
    ParameterVector m_high{};
};

struct Candidate {
    ParameterVector parameters{};
    double cost = 0;
    bool converged = false;
    // At `parameters`, over the points refined on, once converged.
    NormalMatrix normal;
    std::vector<double> residuals;  // in the order of the points refined on
};

// Every point, and at most `count` of them spread evenly in the order of their volumes.
PointChoice allPoints(std::span<const MeasuredPoint> points);
PointChoice spreadPoints(std::span<const MeasuredPoint> points, std::size_t count);

// The scan's points lower than their neighbours, best first, at most `limit` of them.
std::vector<Candidate> scanValleys(const Objective& f, std::span<const std::size_t> chosen,
                                   std::size_t limit);

// Levenberg–Marquardt on the chosen points from a start, within the range.
Candidate refine(const Objective& f, const Candidate& start, std::span<const std::size_t> chosen);

}  // namespace measurements::fitsearch
