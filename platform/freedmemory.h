#pragma once
// Handing memory freed by the start-up (pictures drawn once, fonts' working data) back to the
// system, so that the program's resident size is what it keeps.

namespace platform {

void releaseFreedMemory();

}  // namespace platform
