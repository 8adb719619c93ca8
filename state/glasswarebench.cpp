#include "state/glasswarebench.h"

#include <cmath>

#include "chemistry/titrationmodel.h"
#include "state/change.h"

namespace state {

namespace {

double capacityOf(const chemistry::MeasuredInput& input, double otherwise) {
    const auto pieces = chemistry::glasswarePieces();
    if (input.piece < 0 || input.piece >= static_cast<int>(pieces.size())) return otherwise;
    return pieces[static_cast<std::size_t>(input.piece)].capacity;
}

// The index of a piece by its name, -1 when the catalogue has none.
int pieceNamed(std::string_view name) {
    const auto pieces = chemistry::glasswarePieces();
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

chemistry::MeasuredInput inputOf(chemistry::GlasswareRole role, std::string_view name, bool classA) {
    const int piece = pieceNamed(name);
    if (piece < 0) return {role, -1, 0};
    const chemistry::GlasswarePiece& p = chemistry::glasswarePieces()[static_cast<std::size_t>(piece)];
    return {role, piece, classA ? p.toleranceA : p.toleranceB};
}

}  // namespace

chemistry::NominalValues nominalValuesOf(const chemistry::Glassware& glassware,
                                         const chemistry::SolutionSpec& solution) {
    chemistry::NominalValues n;
    chemistry::SolutionSpec typed = solution;
    typed.delivery = {};
    const chemistry::SetUpQuantities q = chemistry::setUpQuantities(typed);
    n.beakerVolume = q.beakerVolume.value_or(n.beakerVolume);
    n.waterVolume = q.waterVolume.value_or(n.waterVolume);
    n.titrantConcentration = q.titrantConcentration.value_or(n.titrantConcentration);
    n.dilutionPipette = capacityOf(glassware.dilutionPipette, n.dilutionPipette);
    n.dilutionFlask = capacityOf(glassware.dilutionFlask, n.dilutionFlask);
    const auto volumes = chemistry::makeTitrationModel(typed, catalogue())->equivalenceVolumes();
    n.equivalenceVolume = volumes.empty() ? 0 : volumes.front();
    return n;
}

chemistry::Delivery deliveryOf(const BenchState& bench, int slot) {
    if (bench.glassware.exact || slot < 0 || slot >= kSituationCount) return {};
    // The draws need only the dilution's pieces: the other errors are absolute.
    chemistry::NominalValues n;
    n.dilutionPipette = capacityOf(bench.glassware.dilutionPipette, n.dilutionPipette);
    n.dilutionFlask = capacityOf(bench.glassware.dilutionFlask, n.dilutionFlask);
    return chemistry::situationDelivery(bench.glassware, n, slot);
}

chemistry::Glassware usualGlassware(std::uint32_t seed, double titrantConcentration) {
    using enum chemistry::GlasswareRole;
    chemistry::Glassware g;
    g.exact = false;
    g.beaker = inputOf(BeakerVolume, "pipette jaugée 20 mL", true);
    g.water = inputOf(WaterVolume, "éprouvette graduée 25 mL", false);
    g.burette = inputOf(Burette, "burette graduée 25 mL", false);
    g.readingHalfWidth = 0.025;
    g.dilutionPipette = inputOf(DilutionPipette, "pipette jaugée 10 mL", true);
    g.dilutionFlask = inputOf(DilutionFlask, "fiole jaugée 100 mL", true);
    g.titrantUncertainty = std::isfinite(titrantConcentration) ? std::abs(titrantConcentration) / 100 : 0;
    g.seed = seed;
    return g;
}

std::string glasswareName(const chemistry::Glassware& glassware) {
    if (glassware.exact) return "titrage exact";
    return "verrerie mesurée (graine " + std::to_string(glassware.seed) + ")";
}

void refreshDelivery(Change& c) {
    c.bench.solution.delivery = deliveryOf(c.bench, c.bench.situations.current);
}

ActionResult chooseGlassware(BenchState& bench, const chemistry::Glassware& glassware) {
    return act(bench, [&glassware](Change& c) {
        if (c.bench.glassware == glassware) return;
        c.bench.glassware = glassware;
        refreshDelivery(c);
        restartWithNewChoice(c);
        c.result.add(Changed::History);
    });
}

}  // namespace state
