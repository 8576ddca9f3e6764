#pragma once
// Helpers of the condition and texture tests: records, and the record a device received at
// creation compared field by field.

#include "tests/effects/devicefixture.h"

#include <cstring>
#include <initializer_list>
#include <vector>

namespace fxtest {

typedef TACTRA_CONDITION Cond;

inline Cond cond(LONG offset, LONG positive, LONG negative, DWORD positiveSaturation,
                 DWORD negativeSaturation, LONG deadBand) {
    const Cond c = {offset, positive, negative, positiveSaturation, negativeSaturation, deadBand};
    return c;
}

inline POINT pt(LONG x, LONG y) {
    const POINT p = {x, y};
    return p;
}

const POINT NO_POINT = {TKL_NO_POINT, TKL_NO_POINT};
const POINT AT_CURSOR = {TKL_CURSOR_POINT, TKL_CURSOR_POINT};
const DWORD CART = TACTRA_FEFFECT_CARTESIAN | TACTRA_FEFFECT_OBJECTOFFSETS;  // 0x12
const DWORD POLAR = TACTRA_FEFFECT_POLAR | TACTRA_FEFFECT_OBJECTOFFSETS;     // 0x22
const DWORD DIR = TACTRA_EP_DIRECTION;
const DWORD BLOCK = TACTRA_EP_TYPESPECIFICPARAMS;

// The 32-bit words of per-axis records, as block_words reads a device's copy.
template <class Record>
std::vector<LONG> words(std::initializer_list<Record> records) {
    std::vector<LONG> out;
    for (const Record& r : records) {
        LONG w[sizeof(Record) / sizeof(LONG)];
        std::memcpy(w, &r, sizeof w);
        out.insert(out.end(), w, w + sizeof(Record) / sizeof(LONG));
    }
    return out;
}

// What a device should have received at creation, besides the fixed values every condition
// and texture record has (infinite duration, gain 10000, no trigger, no envelope).
struct Created {
    DWORD flags;
    std::vector<DWORD> axes;
    std::vector<LONG> direction;
    std::vector<LONG> block;
};

class Conditions : public Devices {
protected:
    // Wine sets its desktop up on the first call that needs it; until then the cursor is
    // clamped to an empty screen. Asking for the screen size first brings it up.
    void SetUp() override;
    // Moves the cursor and checks that it is there.
    void move_cursor(LONG x, LONG y);
    // The last CreateEffect compared with the expectation.
    void expect_created(const Created& expected);
    // The block words of the last SetParameters, and its mask.
    std::vector<LONG> sent_block() { return block_words(last("SetParameters").params); }
    LONG sent_word(size_t index) { return block_word(last("SetParameters").params, index); }
    DWORD sent_mask() { return last("SetParameters").args[0]; }
    // The block a device holds now for its only live effect (the merge of all it was sent).
    std::vector<LONG> held_block();
    // The 1024 x 768 screen that the worked numbers assume.
    bool standard_screen() const {
        return GetSystemMetrics(SM_CXSCREEN) == 1024 && GetSystemMetrics(SM_CYSCREEN) == 768;
    }
};

}  // namespace fxtest
