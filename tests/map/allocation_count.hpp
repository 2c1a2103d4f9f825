#pragma once
// The allocations of the map tests' binary, counted by its own operator
// new (tests/map/allocation_count.cpp): how many were made so far.

namespace dorvix::testing {

long long allocations_so_far();

}  // namespace dorvix::testing
