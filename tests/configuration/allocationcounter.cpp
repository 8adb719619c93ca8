#include "tests/configuration/allocationcounter.h"

#include <cstdlib>
#include <new>

namespace testing_support {

namespace {

// Each block carries its size and whether it was counted in a header of one alignment unit.
constexpr std::size_t kHeader = alignof(std::max_align_t);

bool g_measuring = false;
std::size_t g_live = 0;
std::size_t g_peak = 0;

struct Header {
    std::size_t size;
    bool counted;
};

void* allocate(std::size_t size) {
    void* raw = std::malloc(size + kHeader);
    if (!raw) return nullptr;
    auto* header = static_cast<Header*>(raw);
    header->size = size;
    header->counted = g_measuring;
    if (g_measuring) {
        g_live += size;
        if (g_live > g_peak) g_peak = g_live;
    }
    return static_cast<unsigned char*>(raw) + kHeader;
}

void release(void* pointer) {
    if (!pointer) return;
    void* raw = static_cast<unsigned char*>(pointer) - kHeader;
    const auto* header = static_cast<const Header*>(raw);
    if (header->counted && g_live >= header->size) g_live -= header->size;
    std::free(raw);
}

void* allocateOrThrow(std::size_t size) {
    if (void* p = allocate(size)) return p;
    throw std::bad_alloc();
}

}  // namespace

AllocationScope::AllocationScope() {
    g_live = 0;
    g_peak = 0;
    g_measuring = true;
}

AllocationScope::~AllocationScope() {
    g_measuring = false;
}

std::size_t AllocationScope::peakBytes() const {
    return g_peak;
}

}  // namespace testing_support

void* operator new(std::size_t size) {
    return testing_support::allocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    return testing_support::allocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return testing_support::allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return testing_support::allocate(size);
}
void operator delete(void* p) noexcept {
    testing_support::release(p);
}
void operator delete[](void* p) noexcept {
    testing_support::release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    testing_support::release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    testing_support::release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    testing_support::release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    testing_support::release(p);
}
