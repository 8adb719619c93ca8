#include "uncertainty/equivalencereading.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "chemistry/conductivity.h"
#include "chemistry/titrationmodel.h"
#include "state/equivalenceplot.h"

namespace uncertainty {

namespace {

// The burette's range, mL.
constexpr double kBurettePast = 25;

// The derivative's peak is looked for this far on each side of the model's equivalence, first
// every kCoarseStep mL, then kRefinements times around the steepest interval, each time
// kFineIntervals intervals over the steepest one and its two neighbours. 21 + 3 × 17 readings
// bring the interval to under a thousandth of a millilitre; a parabola through the three
// steepest slopes places the peak inside it.
constexpr double kPeakReach = 1;
constexpr double kCoarseStep = 0.1;
constexpr int kRefinements = 3;
constexpr int kFineIntervals = 16;

// "Droites" is measured every kLineStep mL, as a pupil's readings at a fixed step.
constexpr double kLineStep = 0.2;

// One meter's reading of the model at a poured volume.
class Curve {
  public:
    Curve(const chemistry::TitrationModel& model, std::string_view meter) : m_model(model), m_meter(meter) {}
    std::optional<double> at(double volume) const { return m_model.reading(m_meter, volume); }

  private:
    const chemistry::TitrationModel& m_model;
    std::string_view m_meter;
};

bool feeds(const chemistry::TitrationModel& model, std::string_view meter) {
    const auto meters = model.meters();
    return std::find(meters.begin(), meters.end(), meter) != meters.end();
}

// The model's equivalences and the index of the one nearest the expected volume; -1 when it has
// none.
struct Equivalences {
    std::vector<double> volumes;
    int index = -1;
    double volume(double fallback) const {
        return index < 0 ? fallback : volumes[static_cast<std::size_t>(index)];
    }
};

Equivalences equivalencesOf(const chemistry::TitrationModel& model, double expected) {
    Equivalences e{model.equivalenceVolumes(), -1};
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < e.volumes.size(); ++i) {
        const double distance = std::abs(e.volumes[i] - expected);
        if (std::isfinite(e.volumes[i]) && distance < best) {
            best = distance;
            e.index = static_cast<int>(i);
        }
    }
    return e;
}

// Where a parabola through three equally spaced values peaks, in steps from the middle one
// (−½ to ½ when the middle one is the largest).
double parabolaOffset(double before, double middle, double after) {
    const double curvature = before - 2 * middle + after;
    if (!(curvature < 0)) return 0;
    return std::clamp((before - after) / (2 * curvature), -0.5, 0.5);
}

std::optional<double> derivativePeak(const Curve& curve, double centre) {
    double from = std::max(0.0, centre - kPeakReach);
    const double to = std::min(kBurettePast, centre + kPeakReach);
    if (!(to - from > kCoarseStep)) return std::nullopt;
    int intervals = static_cast<int>(std::lround((to - from) / kCoarseStep));
    double step = (to - from) / intervals;
    std::vector<double> slopes;
    for (int level = 0; level <= kRefinements; ++level) {
        slopes.clear();
        std::optional<double> previous = curve.at(from);
        if (!previous) return std::nullopt;
        for (int i = 1; i <= intervals; ++i) {
            const std::optional<double> next = curve.at(from + i * step);
            if (!next) return std::nullopt;
            slopes.push_back(std::abs(*next - *previous) / step);
            previous = next;
        }
        const auto steepest = std::max_element(slopes.begin(), slopes.end());
        const int k = static_cast<int>(steepest - slopes.begin());
        const int last = intervals - 1;
        // The steepest slope at the ends of the first sweep: the curve has no jump there.
        if (level == 0 && (k == 0 || k == last)) return std::nullopt;
        const double middle = from + (k + 0.5) * step;
        if (level == kRefinements) {
            if (k == 0 || k == last) return middle;
            const auto i = static_cast<std::size_t>(k);
            return middle + step * parabolaOffset(slopes[i - 1], slopes[i], slopes[i + 1]);
        }
        from = std::max(0.0, middle - 1.5 * step);
        step = std::min(3 * step, kBurettePast - from) / kFineIntervals;
        intervals = kFineIntervals;
    }
    return std::nullopt;
}

std::optional<double> tangentVolume(const Curve& curve, double equivalence, bool beakerIsAcid) {
    if (!state::isUsableEquivalenceVolume(equivalence)) return std::nullopt;
    bool read = true;
    const auto t = state::constructTangents(
        static_cast<float>(equivalence), beakerIsAcid,
        [&](double volume) {
            const std::optional<double> pH = curve.at(volume);
            read = read && pH;
            return pH ? static_cast<float>(*pH) : std::numeric_limits<float>::quiet_NaN();
        },
        true);
    if (!read || t.outcome != state::TangentConstruction::Outcome::Drawn) return std::nullopt;
    const double volume = t.constructedVolume;
    return std::isfinite(volume) ? std::optional<double>(volume) : std::nullopt;
}

std::optional<double> straightLinesVolume(const Curve& curve, const Equivalences& e, double initialVolume) {
    const double volume = e.volume(0);
    const auto i = static_cast<std::size_t>(e.index);
    const double previous = i > 0 ? e.volumes[i - 1] : 0;
    const double next = i + 1 < e.volumes.size() ? e.volumes[i + 1] : std::numeric_limits<double>::infinity();
    const chemistry::StraightLinesWindow window = chemistry::windowAround(volume, previous, next);
    const double first = std::max(0.0, volume - std::max(window.before, window.reachBefore));
    const double last = std::min(kBurettePast, volume + std::max(window.after, window.reachAfter));
    std::vector<chemistry::ConductivityPoint> points;
    for (long k = std::lround(std::ceil(first / kLineStep)); k * kLineStep <= last; ++k) {
        const double v = static_cast<double>(k) * kLineStep;
        if (const std::optional<double> sigma = curve.at(v)) points.push_back({v, *sigma});
    }
    const chemistry::StraightLines lines =
        chemistry::straightLines(chemistry::dilutionCorrected(points, initialVolume), volume, window);
    return lines.found && std::isfinite(lines.volume) ? std::optional<double>(lines.volume) : std::nullopt;
}

}  // namespace

std::string_view methodName(EquivalenceMethod method) {
    switch (method) {
        case EquivalenceMethod::DerivativePeak:
            return "Pic de la dérivée";
        case EquivalenceMethod::Tangents:
            return "Tangentes";
        case EquivalenceMethod::StraightLines:
            return "Droites";
    }
    return "";
}

std::optional<double> readEquivalence(const chemistry::TitrationModel& model, EquivalenceMethod method,
                                      const ReadingSetUp& setUp) {
    if (!model.computable() || !std::isfinite(setUp.expectedVolume)) return std::nullopt;
    const Equivalences e = equivalencesOf(model, setUp.expectedVolume);
    std::optional<double> volume;
    switch (method) {
        case EquivalenceMethod::DerivativePeak:
            if (feeds(model, chemistry::kPhMeter))
                volume = derivativePeak(Curve(model, chemistry::kPhMeter), e.volume(setUp.expectedVolume));
            break;
        case EquivalenceMethod::Tangents:
            if (feeds(model, chemistry::kPhMeter))
                volume = tangentVolume(Curve(model, chemistry::kPhMeter), e.volume(setUp.expectedVolume),
                                       setUp.beakerIsAcid);
            break;
        case EquivalenceMethod::StraightLines:
            if (e.index >= 0 && feeds(model, chemistry::kConductivityMeter))
                volume =
                    straightLinesVolume(Curve(model, chemistry::kConductivityMeter), e, setUp.initialVolume);
            break;
    }
    if (volume && (!std::isfinite(*volume) || *volume < 0 || *volume > kBurettePast)) return std::nullopt;
    return volume;
}

}  // namespace uncertainty
