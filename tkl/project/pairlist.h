#pragma once
// Lists of property pairs: key and value texts, each zero-terminated, back to back. The reader
// finds the end of every text of a list once, in one pass that also tells whether the list
// holds whole pairs; the pairs are then walked from those ends without reading the texts
// again.

#include "tkl/project/bytescan.h"

#include <cstddef>
#include <cstdint>

namespace tkl {
namespace project {

// A run of key/value texts, each zero-terminated, with no count or terminator of its own.
struct PairList {
    const char* data;
    size_t size;
};

// One pair of a list with the lengths of its texts.
struct Pair {
    const char* key;
    size_t keyLength;
    const char* value;
    size_t valueLength;
};

// The pair at `pos`, moving `pos` past it; false at the end of the list and at a pair that does
// not end inside it.
inline bool next_pair(const PairList& list, size_t& pos, Pair& pair) {
    if (pos >= list.size)
        return false;
    const ptrdiff_t k = text_length(list.data + pos, list.size - pos);
    if (k < 0 || pos + size_t(k) + 1 >= list.size)
        return false;
    const size_t v = pos + size_t(k) + 1;
    const ptrdiff_t vn = text_length(list.data + v, list.size - v);
    if (vn < 0)
        return false;
    pair = {list.data + pos, size_t(k), list.data + v, size_t(vn)};
    pos = v + size_t(vn) + 1;
    return true;
}

// Where the texts of a list end: its zero bytes, one bit per byte, over its first kCovered
// bytes. That is the whole of any usual list; a cursor reads on past them text by text.
struct PairEnds {
    static constexpr size_t kWords = 8;
    static constexpr size_t kCovered = kWords * 64;
    uint64_t zeros[kWords];  // bit b of word w: byte 64 w + b of the list is zero
    uint32_t words;          // the words that hold the list's covered bytes
};

// Finds the ends of the texts of a list and says whether the list is whole pairs: an even
// number of texts, the last one ending the list (an empty list is whole).
bool find_pair_ends(const PairList& list, PairEnds& ends);

// The offsets of the first zero bytes among `size` at p, at most `wanted` of them, in ends;
// returns how many there are.
size_t find_zero_bytes(const char* p, size_t size, size_t* ends, size_t wanted);

// Walks the pairs of a whole list from the ends of its texts, and past the covered bytes as
// next_pair does.
class PairCursor {
public:
    PairCursor(const PairList& list, const PairEnds& ends)
        : list_(list), ends_(ends), bits_(ends.words ? ends.zeros[0] : 0) {}

    // The next pair; false after the last.
    bool next(Pair& pair) {
        size_t keyEnd, valueEnd;
        if (!take_end(keyEnd) || !take_end(valueEnd))
            return next_pair(list_, pos_, pair);
        pair = {list_.data + pos_, keyEnd - pos_, list_.data + keyEnd + 1, valueEnd - keyEnd - 1};
        pos_ = valueEnd + 1;
        return true;
    }

private:
    // The next end among the covered bytes, or false.
    bool take_end(size_t& end) {
        while (!bits_) {
            if (word_ + 1 >= ends_.words)
                return false;
            bits_ = ends_.zeros[++word_];
        }
        end = size_t(word_) * 64 + size_t(__builtin_ctzll(bits_));
        bits_ &= bits_ - 1;
        return true;
    }

    const PairList& list_;
    const PairEnds& ends_;
    size_t pos_ = 0;      // where the next pair begins
    uint32_t word_ = 0;   // the word of ends being taken
    uint64_t bits_;       // its ends not taken yet
};

}  // namespace project
}  // namespace tkl
