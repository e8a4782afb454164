// Independent pieces of work spread over a few threads, for the parts of
// the solver that are the same work repeated: one region per candidate, one
// row of seers per witness.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// Runs body(i) for every i in 0 .. count-1, on up to threads threads (1 or
// fewer: on the calling thread). Each i runs exactly once; the first
// exception thrown by a body is rethrown here after every thread stopped.
void ParallelFor(size_t count, int32_t threads, const std::function<void(size_t)>& body);
