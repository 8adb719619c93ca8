#include "platform/freedmemory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

void releaseFreedMemory() {
#if defined(__GLIBC__)
    // glibc keeps freed blocks for later allocations; after the start most are never asked for.
    malloc_trim(0);
#endif
}

}  // namespace platform
