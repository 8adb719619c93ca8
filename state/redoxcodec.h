#pragma once
// Each situation's kind of titration and its oxidation-reduction choices, saved in extension
// entries: "sN.titrage" ("oxydoréduction"), "sN.oxred" and "sN.titrant" (the species' indices in
// their list), "sN.acide" (the sulfuric acid), "sN.indicateur_redox" and "sN.référence", each only
// when it differs from what a situation starts with, so that an acid-base file is byte for byte
// what it always was.
#include "state/extensioncodec.h"

namespace state {

const ExtensionCodec& redoxCodec();

}  // namespace state
