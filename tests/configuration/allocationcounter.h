#pragma once
// Counts the bytes handed out by operator new while a scope is measuring, so a test can show that
// a reader never sizes anything from a length or a count it read. Replaces the global operator
// new and delete of the test program that links it.
#include <cstddef>

namespace testing_support {

class AllocationScope {
  public:
    AllocationScope();
    ~AllocationScope();
    AllocationScope(const AllocationScope&) = delete;
    AllocationScope& operator=(const AllocationScope&) = delete;

    // Highest number of bytes that were live at once, counting only blocks allocated in the scope.
    std::size_t peakBytes() const;
};

}  // namespace testing_support
