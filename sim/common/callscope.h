#pragma once
// Records one call into the module's log: open it with the method name and the object, fill in
// the arguments, and finish it with the result. An armed failure is taken here too, so every
// method checks for one the same way, after its arguments are recorded.

#include "sim/common/module.h"

class SimCallScope {
public:
    SimCallScope(SimModule& module, const char* op, unsigned object);
    SimCallScope(const SimCallScope&) = delete;
    SimCallScope& operator=(const SimCallScope&) = delete;

    SimCall call;

    // True when a failure was armed for this method; *result is then what to answer.
    bool injected(HRESULT* result);
    // Logs the call with its result and returns the result.
    HRESULT done(HRESULT result);

private:
    SimModule& module_;
};

// AddRef and Release answer counts, not results; they are logged with the count after the call.
void sim_log_refcount(SimModule& module, const char* op, unsigned object, ULONG count);
