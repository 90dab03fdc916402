#pragma once
// Watches the blocks the program asks operator new for, to show that a decoder refuses a huge
// picture before it allocates its pixels. This test program replaces the global operator new.
#include <cstddef>

namespace orv::test {

class AllocationWatch {
  public:
    AllocationWatch();
    ~AllocationWatch();
    AllocationWatch(const AllocationWatch&) = delete;
    AllocationWatch& operator=(const AllocationWatch&) = delete;

    // The largest single block asked for since the watch began.
    size_t Largest() const;
};

}  // namespace orv::test
