#pragma once

// Counts every heap allocation of the test program, so a test can show that a hot path
// (a rating, a psychrometric call, a geometry update) allocates nothing. A test program that
// uses it lists ${VANTOR_ALLOCATION_COUNTER} among its sources.

namespace vantor::test {

long AllocationCount();

}  // namespace vantor::test
