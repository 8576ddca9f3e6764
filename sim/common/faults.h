#pragma once
// Failures armed by the control API: the next call of a named method fails with a result.

#include "tkl/platform/win32.h"

class SimFaults {
public:
    // Arms (or re-arms) the method: `skip` calls pass, the next fails. A null or empty name,
    // or a full table, is ignored.
    void arm(const char* op, HRESULT result, unsigned skip = 0);
    // If the method is armed, disarms it and gives its result.
    bool take(const char* op, HRESULT* result);
    void clear();

private:
    static const unsigned kSlots = 32;
    struct Slot {
        char op[32];
        HRESULT result;
        unsigned skip;
        bool armed;
    };
    Slot slots_[kSlots] = {};
};
