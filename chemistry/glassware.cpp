#include "chemistry/glassware.h"

#include <array>
#include <cmath>
#include <numbers>

namespace chemistry {

namespace {

using enum GlasswareRole;

// Tolerances: ISO 648 (one-mark pipettes), ISO 385 (burettes), ISO 1042 (one-mark volumetric
// flasks), ISO 4788 (graduated cylinders), classes A and B.
constexpr std::array kPieces{
    GlasswarePiece{BeakerVolume, "pipette jaugée 5 mL", 5, 0.015, 0.030, "ISO 648"},
    GlasswarePiece{BeakerVolume, "pipette jaugée 10 mL", 10, 0.020, 0.040, "ISO 648"},
    GlasswarePiece{BeakerVolume, "pipette jaugée 20 mL", 20, 0.030, 0.060, "ISO 648"},
    GlasswarePiece{BeakerVolume, "pipette jaugée 25 mL", 25, 0.030, 0.060, "ISO 648"},
    GlasswarePiece{Burette, "burette graduée 25 mL", 25, 0.03, 0.05, "ISO 385"},
    GlasswarePiece{Burette, "burette graduée 50 mL", 50, 0.05, 0.10, "ISO 385"},
    GlasswarePiece{DilutionFlask, "fiole jaugée 50 mL", 50, 0.06, 0.12, "ISO 1042"},
    GlasswarePiece{DilutionFlask, "fiole jaugée 100 mL", 100, 0.10, 0.20, "ISO 1042"},
    GlasswarePiece{DilutionFlask, "fiole jaugée 250 mL", 250, 0.15, 0.30, "ISO 1042"},
    GlasswarePiece{DilutionFlask, "fiole jaugée 500 mL", 500, 0.25, 0.50, "ISO 1042"},
    GlasswarePiece{WaterVolume, "éprouvette graduée 10 mL", 10, 0.1, 0.2, "ISO 4788"},
    GlasswarePiece{WaterVolume, "éprouvette graduée 25 mL", 25, 0.25, 0.5, "ISO 4788"},
    GlasswarePiece{WaterVolume, "éprouvette graduée 50 mL", 50, 0.5, 1.0, "ISO 4788"},
    GlasswarePiece{WaterVolume, "éprouvette graduée 100 mL", 100, 0.5, 1.0, "ISO 4788"},
};

// The errors common to every titration of the bench: the titrant's bottle, the burette's
// calibration and the one dilution the beaker's solutions are taken from.
void drawSystematic(const Glassware& g, const NominalValues& n, DrawGenerator& generator, Delivery& d) {
    d.titrantConcentration = generator.normal(g.titrantUncertainty);
    d.readingError = generator.rectangular(g.burette.halfWidth);
    const double pipette = generator.rectangular(g.dilutionPipette.halfWidth);
    const double flask = generator.rectangular(g.dilutionFlask.halfWidth);
    if (g.diluted && n.dilutionPipette > 0 && n.dilutionFlask > 0)
        d.beakerConcentration = (1 + pipette / n.dilutionPipette) / (1 + flask / n.dilutionFlask);
}

// The errors of one titration: its pipetting, its water, its two burette readings.
void drawOwn(const Glassware& g, DrawGenerator& generator, Delivery& d) {
    d.beakerVolume = generator.rectangular(g.beaker.halfWidth);
    d.waterVolume = generator.rectangular(g.water.halfWidth);
    const double start = generator.rectangular(g.readingHalfWidth);
    const double end = generator.rectangular(g.readingHalfWidth);
    d.readingError += end - start;
}

double rectangularDeviation(double halfWidth) {
    return halfWidth / std::sqrt(3.0);
}

double relative(double deviation, double nominal) {
    return nominal > 0 ? deviation / nominal : 0;
}

}  // namespace

std::span<const GlasswarePiece> glasswarePieces() {
    return kPieces;
}

std::uint64_t DrawGenerator::next() {
    m_state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31U);
}

double DrawGenerator::uniform() {
    return static_cast<double>(next() >> 11U) * 0x1.0p-53;
}

double DrawGenerator::rectangular(double halfWidth) {
    return halfWidth * (2 * uniform() - 1);
}

double DrawGenerator::normal(double standardDeviation) {
    // 1 − u lies in (0, 1]: the logarithm stays finite.
    const double radius = std::sqrt(-2 * std::log(1 - uniform()));
    return standardDeviation * radius * std::cos(2 * std::numbers::pi * uniform());
}

Delivery situationDelivery(const Glassware& glassware, const NominalValues& nominal, int slot) {
    Delivery delivery;
    if (glassware.exact) return delivery;
    DrawGenerator systematic(glassware.seed);
    drawSystematic(glassware, nominal, systematic, delivery);
    DrawGenerator own((static_cast<std::uint64_t>(glassware.seed) << 8U) + static_cast<std::uint64_t>(slot) +
                      1);
    drawOwn(glassware, own, delivery);
    return delivery;
}

Delivery drawDelivery(const Glassware& glassware, const NominalValues& nominal, DrawGenerator& generator) {
    Delivery delivery;
    if (glassware.exact) return delivery;
    drawSystematic(glassware, nominal, generator, delivery);
    drawOwn(glassware, generator, delivery);
    return delivery;
}

InputUncertainties inputUncertainties(const Glassware& glassware, const NominalValues& nominal) {
    InputUncertainties u;
    if (glassware.exact) return u;
    u.beakerVolume = relative(rectangularDeviation(glassware.beaker.halfWidth), nominal.beakerVolume);
    if (glassware.diluted) {
        u.dilution = std::hypot(
            relative(rectangularDeviation(glassware.dilutionPipette.halfWidth), nominal.dilutionPipette),
            relative(rectangularDeviation(glassware.dilutionFlask.halfWidth), nominal.dilutionFlask));
    }
    u.titrantConcentration = relative(glassware.titrantUncertainty, nominal.titrantConcentration);
    const double reading = rectangularDeviation(glassware.readingHalfWidth);
    u.equivalenceVolume =
        std::sqrt(std::pow(rectangularDeviation(glassware.burette.halfWidth), 2) + 2 * reading * reading);
    return u;
}

}  // namespace chemistry
