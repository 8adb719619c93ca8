#pragma once
// "Exporter en Python…": the panel's titration as one commented Python 3 program (numpy and
// matplotlib only) that recomputes the table of values with the model the bench uses (the
// single-pair formula and its bisection for one monoprotic solute, the general charge balance
// otherwise, Kohlrausch's law for σ), prints it and plots pH = f(V) with the lab's points, the
// amounts n = f(V) and the first solute's distribution diagram.
#include <string>

namespace state {

struct BenchState;

struct PythonProgram {
    std::string text;     // the file, UTF-8; empty when refused
    std::string refusal;  // why no program can be written, in French; empty when written
    bool written() const { return refusal.empty(); }
};

// The program of the panel's set-up at the bench's measuring step, σ among its columns while the
// conductimeter is shown. A hidden concentration is left out: the program names it None and stops
// with a message until the pupil types it in. Refused when a parameter is not a number.
PythonProgram pythonProgram(const BenchState& bench);

// The name the save dialog offers, without its extension.
inline constexpr const char* kPythonFileName = "titrage";

}  // namespace state
