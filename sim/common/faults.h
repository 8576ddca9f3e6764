#pragma once
// Failures armed by the control API: the next call of a named method fails with a result.

#include "tkl/platform/win32.h"

class SimFaults {
public:
    // Arms (or re-arms) the method; a null or empty name, or a full table, is ignored.
    void arm(const char* op, HRESULT result);
    // If the method is armed, disarms it and gives its result.
    bool take(const char* op, HRESULT* result);
    void clear();

private:
    static const unsigned kSlots = 32;
    struct Slot {
        char op[32];
        HRESULT result;
        bool armed;
    };
    Slot slots_[kSlots] = {};
};
