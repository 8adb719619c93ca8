#pragma once
// The meters the bench reads and the graph shows, one entry each: its name, its unit, the range
// it reads, how its numbers are written, how the graph's ordinate is graduated for it and how it
// reads a point of the titration. The rest of the bench takes a meter from here and asks it.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "chemistry/titration.h"
#include "measurements/labreading.h"
#include "state/plotframe.h"

namespace state {

struct BenchState;

// The graduation of the graph's ordinate for a meter: `bottom` on the V axis, `top` at the top of
// the grid (y = 26 px), a grid line every `step`, in the meter's unit.
struct MeterAxis {
    double top = 1;
    double step = 0.1;
    double bottom = 0;
    bool operator==(const MeterAxis&) const = default;

    static constexpr double kGridTop = 26;  // px
    static constexpr double kGridHeight = state::PlotFrame::kOriginY - kGridTop;

    double pixelsPerUnit() const;
    // The ordinate of a value, px, and the value at an ordinate.
    double y(double value) const;
    double valueAt(double y) const;
    // The grid lines above the V axis (at least 1, at most 20).
    int lines() const;
    // The picture of the grid's labels: as many decimals as the step has.
    std::string labelPicture() const;
};

struct Meter {
    std::string_view id;      // "pH", "sigma": how the code and the files name it
    std::string_view symbol;  // "pH", "σ"
    std::string_view name;    // "pH", "conductivité": how the screen reader names it
    std::string_view unit;    // "mS/cm"; empty without a unit
    double least = 0;         // the range it reads, in its unit
    double most = 0;
    // How the table, the meter's display and the texts write its values; empty: three
    // significant digits.
    std::string_view picture;
    // How the read-out under the pointer writes a value; empty: as `picture`.
    std::string_view readoutPicture;
    // A column of its own after the titration's columns in the table of values (pH is among them).
    bool tableColumn = false;
    // The graduation that holds values up to `largest`.
    MeterAxis (*axisFor)(double largest) = nullptr;
    // Whether the bench shows this meter, so that it measures.
    bool (*shown)(const BenchState& bench) = nullptr;
    // What it reads at a point of the titration on the bench; nothing where it cannot.
    std::optional<double> (*read)(const BenchState& bench, const chemistry::TitrationPoint& point) = nullptr;
    // What comes between "de" and its name ("du ", "de la "), for the graph's description.
    std::string_view of = "du ";
    // How the graph's description writes the top of its axis; empty: as `text`.
    std::string_view axisPicture;
    // How the lab measures it (files, the entry grid, a fit); nothing when it does not. Each
    // has a slot of its own in a measured point.
    std::optional<measurements::LabReading> lab;

    // The value as the table and the texts write it ("7,00", "4,26"); empty when not finite.
    std::string number(double value) const;
    // The same with its unit: "4,26 mS/cm".
    std::string text(double value) const;
    // The read-out's "pH = 7,0", "σ = 4,26 mS/cm".
    std::string readout(double value) const;
    // A column's heading: "σ (mS/cm)".
    std::string heading() const;
    // The frame's words in the graph's description: "Graphe du pH en fonction du volume versé, pH
    // de 0 à 14, volume de 0 à 25 mL."
    std::string graphWords(const MeterAxis& axis) const;
};

const Meter& phMeter();
const Meter& conductivityMeter();
// The amounts of matter of the titration reactions' species, in mmol: a series per species, which
// the n = f(V) graph reads (state/amountgraph.h) rather than `read`.
const Meter& amountMeter();
// The platinum electrode's potential against the reference electrode, in V.
const Meter& potentialMeter();
// Every meter, pH first.
std::span<const Meter> meters();
// The meter of that id; nothing for an id no meter has.
const Meter* meterById(std::string_view id);
// What the lab measures, in the meters' order: the list the lab-data reader, the entry grid and
// the files take.
std::span<const measurements::LabReading> labReadings();
// A meter's in that list; nothing for a meter the lab does not measure.
const measurements::LabReading* labReading(const Meter& meter);
const measurements::LabReading& phReading();
const measurements::LabReading& conductivityReading();

// Three significant digits with the decimal comma ("4,26", "14,3", "0,0426", "123"); empty for a
// value that is not a finite, non-negative number.
std::string significantNumber(double value);

// An axis from 0 whose grid lines fall on round values (1, 2 or 5 times a power of ten) and whose
// top holds `largest`, with between 5 and 10 lines.
MeterAxis roundAxisFor(double largest);

}  // namespace state
