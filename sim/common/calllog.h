#pragma once
// The call log of a software device module: every call, in order, with its arguments.

#include "sim/simcontrol.h"

class SimCallLog {
public:
    SimCallLog() = default;
    SimCallLog(const SimCallLog&) = delete;
    SimCallLog& operator=(const SimCallLog&) = delete;
    ~SimCallLog();

    // Appends a copy with the next sequence number; a call that finds no memory is dropped.
    void add(const SimCall& call);
    unsigned count() const { return count_; }
    // Copies entry `index` out; false past the end.
    bool get(unsigned index, SimCall* out) const;
    // Forgets every entry; sequence numbers start at 1 again.
    void clear();

private:
    SimCall* calls_ = nullptr;
    unsigned count_ = 0;
    unsigned capacity_ = 0;
    unsigned nextSeq_ = 1;
};
