#include "platform/freedmemory.h"

// <malloc.h> comes first: it is what defines __GLIBC__ on a glibc system.
#if __has_include(<malloc.h>)
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
