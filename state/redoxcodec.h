#pragma once
// Each situation's kind of titration and its oxidation-reduction choices, saved in extension
// entries: "sN.titrage" ("oxydoréduction"), "sN.oxred" and "sN.titrant" (the species' indices in
// their list), "sN.acide" (the sulfuric acid), "sN.indicateur_redox" and "sN.référence", each only
// when it differs from what a situation starts with, so that an acid-base file is byte for byte
// what it always was.
#include "configuration/configurationfile.h"
#include "state/extensioncodec.h"

namespace state {

// Replaces the entries of the situations' kinds and choices by those of `file.situations`.
void writeRedoxChoices(configuration::ConfigurationFile& file);

// The situations take the entries' values; false, with nothing changed, for a kind this program
// does not know or an index that is not a whole number.
bool readRedoxChoices(configuration::ConfigurationFile& file);

const ExtensionCodec& redoxCodec();

}  // namespace state
