#include "AllocationWatch.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> watching{false};
std::atomic<size_t> largest{0};

void* Allocate(size_t size) {
    if (watching.load(std::memory_order_relaxed)) {
        size_t known = largest.load(std::memory_order_relaxed);
        while (size > known && !largest.compare_exchange_weak(known, size)) {
        }
    }
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

}  // namespace

// The array forms call these.
void* operator new(size_t size) {
    return Allocate(size);
}
// The library's temporary buffers (std::stable_sort) come from the nothrow form and go back
// through the plain delete: both must be this file's.
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, size_t) noexcept {
    std::free(block);
}

namespace orv::test {

AllocationWatch::AllocationWatch() {
    largest = 0;
    watching = true;
}

AllocationWatch::~AllocationWatch() {
    watching = false;
}

size_t AllocationWatch::Largest() const {
    return largest;
}

}  // namespace orv::test
