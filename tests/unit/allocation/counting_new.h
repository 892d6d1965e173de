// The allocation tests' replaced global operator new counts every allocation
// and its bytes. The counts are the process's, so the executable holds only
// tests that measure differences on one thread.
#pragma once

#include <cstddef>

namespace calc::testing {

long AllocationCount();
std::size_t AllocatedBytes();  // the sizes asked for, freed or not

}  // namespace calc::testing
