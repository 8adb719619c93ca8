#include "state/meters.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "measurements/measuredpoint.h"
#include "numbers/picture.h"
#include "state/benchstate.h"
#include "state/conductimetry.h"
#include "state/potentiometry.h"

namespace state {

namespace {

// pH from 0 to 14, a line per unit: 16 px per pH, the frame of the pH curve.
MeterAxis phAxis(double) {
    return {14, 1, 0};
}

bool phMeterShown(const BenchState& bench) {
    return bench.switches.showPhMeter;
}

// The conductivity of an oxidation-reduction titration is not modelled.
bool conductimeterShown(const BenchState& bench) {
    return bench.switches.showConductimeter && !redoxTitration(bench);
}

std::optional<double> readPh(const BenchState&, const chemistry::TitrationPoint& point) {
    return point.pH;
}

bool alwaysShown(const BenchState&) {
    return true;
}

// A meter of several series reads none alone.
std::optional<double> readNothing(const BenchState&, const chemistry::TitrationPoint&) {
    return std::nullopt;
}

std::optional<double> readPotential(const BenchState& bench, const chemistry::TitrationPoint& point) {
    return potentialAgainstReference(bench.solution, point.volume);
}

MeterAxis potentialAxisFrom0(double largest) {
    return potentialAxis(0, largest);
}

std::optional<double> readConductivity(const BenchState& bench, const chemistry::TitrationPoint& point) {
    return panelConductivity(bench, point.volume);
}

constexpr std::string_view kPhNames[] = {"ph"};

// Residuals spread wider than 0,1 pH are more than the points' decimals and a pH-meter's reading
// explain; the pH-meter reads to 0,02.
constexpr measurements::LabReading kPhLab{
    .id = "pH",
    .slot = 0,
    .names = kPhNames,
    .title = "pH",
    .named = "le pH",
    .missing = "le pH",
    .valueNamed = "le pH",
    .column = "pH",
    .listed = "le pH",
    .least = measurements::kMinPh,
    .most = measurements::kMaxPh,
    .outOfRange = " n'est pas entre 0 et 14.",
    .correction = "Le pH est compris entre 0 et 14.",
    .correctionTitle = "pH corrigé",
    .entryPicture = "#0.00#",
    .required = true,
    .positional = true,
    .fitUnit = "pH",
    .precision = 0.02,
    .describedDeviation = 0.1,
};

constexpr std::string_view kConductivityNames[] = {
    "σ", "sigma", "conductivité", "conductivite", "conductivity", "cond", "κ", "kappa"};
constexpr measurements::LabUnit kConductivityUnits[] = {
    {"ms/cm", 1}, {"us/cm", 0.001}, {"s/cm", 1000}, {"s/m", 10}, {"ms/m", 0.01},
};

// The conductimeter shows three digits, a few hundredths at its readings.
constexpr measurements::LabReading kConductivityLab{
    .id = "sigma",
    .slot = 1,
    .names = kConductivityNames,
    .units = kConductivityUnits,
    .title = "σ (mS/cm)",
    .named = "la conductivité σ",
    .missing = "la conductivité σ",
    .valueNamed = "la conductivité",
    .column = "σ en mS/cm",
    .listed = "σ en mS/cm",
    .unitsKnown = "σ en mS/cm, µS/cm, S/cm, S/m ou mS/m",
    .least = 0,
    .most = std::numeric_limits<double>::infinity(),
    .outOfRange = " est négative (σ en mS/cm).",
    .entryPicture = "#0.0###",
    .positional = true,
    .fitUnit = "mS/cm",
    .precision = 0.01,
    .describedDeviation = 0.05,
};

const std::array<Meter, 4> kMeters{{
    {"pH", "pH", "pH", "", measurements::kMinPh, measurements::kMaxPh, "#0.00", "0.0#", false, phAxis,
     phMeterShown, readPh, "du ", "0", kPhLab},
    // σ in mS/cm, from 0 up; its axis grows with what it shows.
    {"sigma", "\u03C3", "conductivité", "mS/cm", 0, std::numeric_limits<double>::infinity(), "", "", true,
     roundAxisFor, conductimeterShown, readConductivity, "de la ", "", kConductivityLab},
    // n in mmol, from 0 up; no instrument reads it, the model gives it.
    {"n", "n", "quantité de matière", "mmol", 0, std::numeric_limits<double>::infinity(), "", "", false,
     roundAxisFor, alwaysShown, readNothing, "de la ", "", std::nullopt},
    // E in V against the reference electrode chosen; it may be negative.
    {"E", "E", "potentiel", "V", -5, 5, "0.000", "", true, potentialAxisFrom0, electrodesShown, readPotential,
     "du ", "0.0", std::nullopt},
}};
static_assert(kMeters.size() <= measurements::kMaxReadings, "a measured point holds a reading of each meter");

// What the lab measures, in the meters' order.
std::vector<measurements::LabReading> gatherLabReadings() {
    std::vector<measurements::LabReading> readings;
    for (const Meter& meter : kMeters) {
        if (meter.lab) readings.push_back(*meter.lab);
    }
    return readings;
}

}  // namespace

// Pixels per unit first, so that pH's 16 px per unit gives y = 250 − 16 · pH to the last bit.
double MeterAxis::pixelsPerUnit() const {
    return kGridHeight / (top - bottom > 0 ? top - bottom : 1);
}

double MeterAxis::y(double value) const {
    return state::PlotFrame::kOriginY - (value - bottom) * pixelsPerUnit();
}

double MeterAxis::valueAt(double y) const {
    return bottom + (state::PlotFrame::kOriginY - y) / pixelsPerUnit();
}

int MeterAxis::lines() const {
    return std::clamp(static_cast<int>(std::lround((top - bottom) / step)), 1, 20);
}

std::string MeterAxis::labelPicture() const {
    const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 8);
    return decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0');
}

std::string Meter::number(double value) const {
    if (!std::isfinite(value)) return {};
    if (picture.empty()) return significantNumber(value);
    return numbers::formatPicture(value, picture);
}

std::string Meter::text(double value) const {
    std::string digits = number(value);
    if (unit.empty() || digits.empty()) return digits;
    return digits + " " + std::string(unit);
}

std::string Meter::readout(double value) const {
    const std::string digits =
        readoutPicture.empty() ? number(value) : numbers::formatPicture(value, readoutPicture);
    return std::string(symbol) + " = " + digits + (unit.empty() ? "" : " " + std::string(unit));
}

std::string Meter::heading() const {
    return std::string(symbol) + (unit.empty() ? "" : " (" + std::string(unit) + ")");
}

std::string Meter::graphWords(const MeterAxis& axis) const {
    std::string title = "Graphe " + std::string(of) + std::string(name);
    if (symbol != name) title += " " + std::string(symbol);
    // The bottom without useless decimals ("0"), the top as the meter writes it ("5,00 mS/cm").
    std::string bottom = numbers::formatPicture(axis.bottom, "0.######");
    if (!bottom.empty() && bottom.back() == ',') bottom.pop_back();
    std::string top = text(axis.top);
    if (!axisPicture.empty())
        top = numbers::formatPicture(axis.top, axisPicture) + (unit.empty() ? "" : " " + std::string(unit));
    return title + " en fonction du volume versé, " + std::string(symbol) + " de " + bottom + " à " + top +
           ", volume de 0 à 25 mL.";
}

const Meter& phMeter() {
    return kMeters[0];
}

const Meter& conductivityMeter() {
    return kMeters[1];
}

const Meter& amountMeter() {
    return kMeters[2];
}

const Meter& potentialMeter() {
    return kMeters[3];
}

std::span<const Meter> meters() {
    return kMeters;
}

std::span<const measurements::LabReading> labReadings() {
    static const std::vector<measurements::LabReading> readings = gatherLabReadings();
    return readings;
}

const measurements::LabReading* labReading(const Meter& meter) {
    const auto all = labReadings();
    const auto found = std::find_if(all.begin(), all.end(),
                                    [&](const measurements::LabReading& r) { return r.id == meter.id; });
    return found == all.end() ? nullptr : &*found;
}

const measurements::LabReading& phReading() {
    return *labReading(phMeter());
}

const measurements::LabReading& conductivityReading() {
    return *labReading(conductivityMeter());
}

const Meter* meterById(std::string_view id) {
    const auto found =
        std::find_if(kMeters.begin(), kMeters.end(), [id](const Meter& m) { return m.id == id; });
    return found == kMeters.end() ? nullptr : &*found;
}

std::string significantNumber(double value) {
    if (!std::isfinite(value) || value < 0) return {};
    if (value == 0) return "0,00";
    const int decimals = std::clamp(2 - static_cast<int>(std::floor(std::log10(value))), 0, 8);
    // Rounding may carry into a new digit (9,996 → 10,0): one decimal fewer then.
    const double rounded = std::round(value * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
    const int kept = rounded >= std::pow(10.0, 3 - decimals) && decimals > 0 ? decimals - 1 : decimals;
    if (kept == 0) return numbers::formatPicture(value, "0");
    return numbers::formatPicture(value, "0." + std::string(static_cast<std::size_t>(kept), '0'));
}

MeterAxis roundAxisFor(double largest) {
    if (!std::isfinite(largest) || !(largest > 0) || largest > 1e6) return {};
    constexpr int kMostLines = 10;
    const double power = std::pow(10.0, std::floor(std::log10(largest / kMostLines)));
    double step = 10 * power;
    for (const double multiple : {1.0, 2.0, 5.0}) {
        if (multiple * power * kMostLines >= largest) {
            step = multiple * power;
            break;
        }
    }
    // A hair below a whole number of steps stays on it rather than adding an empty line.
    const double lines = std::max(1.0, std::ceil(largest / step - 1e-9));
    return {lines * step, step};
}

}  // namespace state
