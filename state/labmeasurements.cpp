#include "state/labmeasurements.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "chemistry/beakermixture.h"
#include "measurements/fitmodels.h"
#include "numbers/picture.h"
#include "state/benchstate.h"
#include "state/change.h"

namespace state {

namespace {

std::vector<LabPoint> labPoints(const MeasuredPoints& points) {
    std::vector<LabPoint> out;
    out.reserve(points.size());
    for (const measurements::MeasuredPoint& p : points) out.push_back({p.volume, p.pH});
    return out;
}

std::vector<LabPoint> labPoints(const std::vector<measurements::CurvePoint>& curve) {
    std::vector<LabPoint> out;
    out.reserve(curve.size());
    for (const measurements::CurvePoint& p : curve) out.push_back({p.volume, p.pH});
    return out;
}

// The engine's pH for the panel's parameters, c₂ and the pKa left to the fit.
measurements::FitResult fitToPanel(const BenchState& b, const MeasuredPoints& points) {
    const chemistry::SolutionSpec& s = b.solution;
    if (!chemistry::isSingleMonoprotic(s)) {
        // Polyacids and mixtures: the first solute's concentration through the general engine,
        // its pKa and the second solute's concentration as the panel gives them.
        const std::optional<chemistry::Mixture> mixture = chemistry::beakerMixture(s, catalogue());
        if (!mixture) {
            measurements::FitResult refused;
            refused.message = "Ajustement impossible : les valeurs du bécher ne sont pas toutes des nombres.";
            return refused;
        }
        return measurements::fitConcentration(points, measurements::MixturePhModel(*mixture, 0, -1));
    }
    measurements::MonoproticTitration titration;
    titration.beakerIsAcid = s.beakerIsAcid;
    titration.beakerVolume = fieldValue(b, Field::BeakerVolume);
    titration.waterVolume = fieldValue(b, Field::WaterVolume);
    titration.titrantConcentration = fieldValue(b, Field::TitrantConcentration);
    measurements::FitSettings settings;
    settings.fitPKa = s.speciesIndex == chemistry::SpeciesCatalogue::kOtherIndex;
    settings.pKa = catalogue().speciesPKa(s.beakerIsAcid, s.speciesIndex, fieldValue(b, Field::OtherPKa));
    return measurements::fitConcentration(points, measurements::MonoproticPhModel(titration), settings);
}

}  // namespace

const MeasuredPoints& currentMeasurements(const BenchState& bench) {
    static const MeasuredPoints kNone;
    const int current = bench.situations.current;
    if (current < 0 || current >= kSituationCount) return kNone;
    return bench.lab.points[static_cast<std::size_t>(current)];
}

ActionResult setMeasurements(BenchState& bench, MeasuredPoints points) {
    return act(bench, [&points](Change& c) {
        BenchState& b = c.bench;
        const int current = b.situations.current;
        if (current < 0) return;
        // A situation keeps no more than a configuration file can give back.
        if (points.size() > measurements::kMaxSituationPoints) {
            c.result.inform(MessageIcon::Stop,
                            "Une situation garde au plus 60 000 mesures : celles-ci n'ont pas été prises.",
                            "Trop de mesures");
            return;
        }
        b.lab.points[static_cast<std::size_t>(current)] = std::move(points);
        c.result.add(Changed::History);
        // The situation shown again, as "Restaurer" does: its graph starts again with the new
        // crosses and without the crosses and fit of the points replaced.
        switchSituation(c, current);
    });
}

void replaceAllMeasurements(BenchState& bench,
                            std::array<MeasuredPoints, chemistry::kSituationCount> points) {
    bench.lab.points = std::move(points);
    bench.lab.fit.reset();
    bench.lab.fitText.clear();
}

ActionResult fitMeasurements(BenchState& bench) {
    return act(bench, [](Change& c) {
        BenchState& b = c.bench;
        const int current = b.situations.current;
        // The fit is one of pH = f(V): not on the σ graph.
        if (current < 0 || (b.switches.showConductimeter && b.switches.conductivityGraph)) return;
        // The dashed curve belongs on the pH graph: an analysis shown over it gives way first.
        if (b.graph.mode() != GraphMode::PhCurve) switchSituation(c, current);
        // Fitting again replaces the dashed curve instead of piling another one on it.
        if (b.graph.removeFittedCurves()) c.result.add(Changed::Graph);
        measurements::FitResult result = fitToPanel(b, currentMeasurements(b));
        b.lab.fitText = measurements::describeFit(result);
        c.result.add(Changed::Controls);
        if (!result.converged) {
            b.lab.fit.reset();
            return;
        }
        b.graph.add(FittedCurve{labPoints(result.curve), currentColour(b), b.graph.strokeWidth()});
        c.result.add(Changed::Graph);
        b.lab.fit = std::move(result);
    });
}

ActionResult useFittedConcentration(BenchState& bench) {
    return act(bench, [](Change& c) {
        BenchState& b = c.bench;
        if (!b.lab.fit || b.controls.fieldsLocked) return;
        setField(c, Field::BeakerConcentration, concentrationFieldText(b.lab.fit->concentration));
        validateField(c, Field::BeakerConcentration);
    });
}

std::string concentrationFieldText(double concentration) {
    if (!std::isfinite(concentration) || concentration <= 0) return {};
    const int decimals = std::max(0, 2 - static_cast<int>(std::floor(std::log10(concentration))));
    return numbers::formatPicture(concentration, "0." + std::string(static_cast<std::size_t>(decimals), '0'));
}

void drawLabMeasurements(Change& c) {
    BenchState& b = c.bench;
    // The fitted curve went with the graph.
    b.lab.fit.reset();
    b.lab.fitText.clear();
    for (int slot = 0; slot < kSituationCount; ++slot) {
        const MeasuredPoints& points = b.lab.points[static_cast<std::size_t>(slot)];
        if (points.empty()) continue;
        const bool shown =
            slot == b.situations.current ||
            (b.switches.superposeCurves && b.situations.records[static_cast<std::size_t>(slot)].completed);
        if (!shown) continue;
        b.graph.add(MeasuredCrosses{labPoints(points), situationColour(b, slot), b.graph.strokeWidth()});
        c.result.add(Changed::Graph);
    }
}

}  // namespace state
