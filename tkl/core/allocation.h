#pragma once
// The test hook on the library's allocations. The library allocates with `malloc` / `calloc`
// and `new (std::nothrow)`; its link routes every one of those calls, and every free and
// delete, through allocation.cpp, so code that simply calls them is counted and can be made to
// fail.
//
// The hook is for tests: an application has no reason to call it, and only tkl_inside, the
// copy of the library those tests link, exports it.

#include "tkl/platform/export.h"

extern "C" {

/// Makes the nth allocation of the library from now on fail (1: the next one) and restarts the
/// count; 0 makes none fail. Only that one fails: later ones succeed again.
TKL_INTERNAL void tkl_alloc_fail_nth(unsigned long n);

/// Allocations the library asked for since the count was last restarted, the failed one
/// included.
TKL_INTERNAL unsigned long tkl_alloc_count(void);

/// Blocks the library allocated and has not freed yet (a library object an application deletes
/// counts as freed by the library).
TKL_INTERNAL long tkl_alloc_live(void);

}  // extern "C"

namespace tkl {

// Counts one allocation that the library serves itself (a project arena hands out pieces of
// larger blocks), so that each can be made to fail like any other; true when it must fail.
bool allocation_fails();

}  // namespace tkl
