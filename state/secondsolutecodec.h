#pragma once
// The second solute of each situation and the second pKa of a free two-pKa solute, saved in
// extension entries: "sN.soluté2" (its index in the catalogue list), "sN.c2" (its concentration)
// and "sN.pKa2", each only when it differs from what a situation starts with, so that a file
// without a second solute is byte for byte what it always was.
#include "configuration/configurationfile.h"
#include "state/extensioncodec.h"

namespace state {

// Replaces the entries of the situations' second solutes by those of `file.situations`.
void writeSecondSolutes(configuration::ConfigurationFile& file);

// The situations take the values of the entries, and those a file does not hold take the values a
// situation starts with ("aucun", "0,01", "9,0"). False, with nothing changed, when an index is
// not a whole number; whether it names a known solute is for the caller to judge.
bool readSecondSolutes(configuration::ConfigurationFile& file);

// Saves the situations' second solutes, and reads them into the situations of a file just read.
const ExtensionCodec& secondSoluteCodec();

}  // namespace state
