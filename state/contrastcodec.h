#pragma once
// "Contraste élevé", saved in the extension entry "contraste=1" only while it is ticked, so that a
// file saved without it is byte for byte what it always was, and older files read as unticked.
#include "configuration/extensionrecords.h"
#include "state/extensioncodec.h"

namespace state {

void writeHighContrast(configuration::ExtensionEntries& entries, bool highContrast);
// True only for the value "1", as every flag of the program's files.
bool readHighContrast(const configuration::ExtensionEntries& entries);

// The bench's "Contraste élevé", saved and loaded.
const ExtensionCodec& contrastCodec();

}  // namespace state
