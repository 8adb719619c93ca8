#pragma once
// What a screen reader says about the bench: the situation buttons with their state, the
// illustration and the graph in words, and the short announcements made while a titration goes
// on. Plain texts in French, built from the state alone; the Qt layer only hands them over.
#include <string>

#include "chemistry/titration.h"
#include "state/benchstate.h"

namespace state {

// "Situation n° 3, titrage terminé"; "…, titrage en cours" for the one shown with a volume
// poured; "…, titrage non commencé" otherwise.
std::string situationButtonName(const BenchState& bench, int slot);

// The liquid's colour in words with the indicator's zone: "bleu : zone basique du bleu de
// bromothymol"; "incolore, sans indicateur" without one.
std::string liquidColourWords(int indicatorIndex, double pH);

// The burette's solution and the volume poured, the beaker's solution and its colour, the
// meters' readings, for the apparatus shown.
std::string illustrationDescription(const BenchState& bench);

// The curves and marks shown, the equivalence volumes found by the analyses, and where the values
// are.
std::string graphDescription(const BenchState& bench);

// The last recorded row: "12,5 mL versés, pH 7,00", with σ when the row has it; empty without rows.
std::string measurementAnnouncement(const MeasurementRows& rows);

// A column of the table as a screen reader reads its heading: "V₁, volume versé (mL)", "pH",
// "[H₃O⁺] (mol · L⁻¹)", … the forms' names in the columns after the fourth, and σ last while the
// conductimeter is shown.
std::string columnHeading(const MeasurementRows& rows, int column);

// The burette is empty: "Titrage terminé, situation n° 1 : pH final 11,05 …".
std::string titrationEndAnnouncement(const BenchState& bench);

}  // namespace state
