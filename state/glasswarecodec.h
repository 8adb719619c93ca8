#pragma once
// The glassware, saved in the extension entry "verrerie" (state/glasswaretext.h) only when it is not
// "Titrage exact", so that a file without it is byte for byte what it always was and reads as exact.
#include "state/extensioncodec.h"

namespace state {

const ExtensionCodec& glasswareCodec();

}  // namespace state
