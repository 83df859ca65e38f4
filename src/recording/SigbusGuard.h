#pragma once
// Reading a memory-mapped file that another program truncates raises SIGBUS
// on the vanished pages. A guarded run turns that into a false return: the
// body is left at the faulting read and nothing after it runs.
//
// The body must not own anything that needs cleaning up (no locals with
// destructors on its stack while it touches the mapping); whatever it fills
// belongs to the caller, who discards it after a fault. Faults outside the
// guarded range, or on other threads, go to the handler installed before.

#include <cstddef>

bool RunWithSigbusGuard(const void* low, size_t length, void (*body)(void*), void* context);
