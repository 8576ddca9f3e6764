#include "sim/common/calllog.h"

#include <cstdlib>
#include <cstring>

SimCallLog::~SimCallLog() { std::free(calls_); }

void SimCallLog::add(const SimCall& call) {
    if (count_ == capacity_) {
        const unsigned grown = capacity_ ? capacity_ * 2 : 64;
        void* more = std::realloc(calls_, sizeof(SimCall) * grown);
        if (!more)
            return;
        calls_ = static_cast<SimCall*>(more);
        capacity_ = grown;
    }
    calls_[count_] = call;
    calls_[count_].seq = nextSeq_++;
    ++count_;
}

bool SimCallLog::get(unsigned index, SimCall* out) const {
    if (index >= count_ || !out)
        return false;
    *out = calls_[index];
    return true;
}

void SimCallLog::clear() {
    count_ = 0;
    nextSeq_ = 1;
}
