#include "sim/common/faults.h"

#include <cstring>

void SimFaults::arm(const char* op, HRESULT result, unsigned skip) {
    if (!op || !*op || std::strlen(op) >= sizeof slots_[0].op)
        return;
    Slot* free = nullptr;
    for (Slot& s : slots_) {
        if (s.armed && std::strcmp(s.op, op) == 0) {
            s.result = result;
            s.skip = skip;
            return;
        }
        if (!s.armed && !free)
            free = &s;
    }
    if (!free)
        return;
    std::strcpy(free->op, op);
    free->result = result;
    free->skip = skip;
    free->armed = true;
}

bool SimFaults::take(const char* op, HRESULT* result) {
    for (Slot& s : slots_) {
        if (s.armed && std::strcmp(s.op, op) == 0) {
            if (s.skip) {
                --s.skip;
                return false;
            }
            s.armed = false;
            *result = s.result;
            return true;
        }
    }
    return false;
}

void SimFaults::clear() {
    for (Slot& s : slots_)
        s.armed = false;
}
