#include "sim/common/callscope.h"

#include <cstring>

SimCallScope::SimCallScope(SimModule& module, const char* op, unsigned object) : module_(module) {
    std::memset(&call, 0, sizeof call);
    std::strncpy(call.op, op, sizeof call.op - 1);
    call.object = object;
}

bool SimCallScope::injected(HRESULT* result) { return module_.faults.take(call.op, result); }

HRESULT SimCallScope::done(HRESULT result) {
    call.result = result;
    module_.log.add(call);
    return result;
}

void sim_log_refcount(SimModule& module, const char* op, unsigned object, ULONG count) {
    SimCallScope c(module, op, object);
    c.call.args[0] = count;
    c.done(S_OK);
}
