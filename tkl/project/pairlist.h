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

// The offsets of the zero bytes that end the texts of a list, for its first pairs (every pair
// of any list a writer makes).
struct PairEnds {
    static constexpr uint32_t kKept = 48;
    uint32_t kept;                 // ends kept: an even number, two per pair
    uint32_t at[kKept + 16];       // the scan stores a span's ends before it counts them
};

// Finds the ends of the texts of a list and says whether the list is whole pairs: an even
// number of texts, the last one ending the list (an empty list is whole).
bool find_pair_ends(const PairList& list, PairEnds& ends);

// Walks the pairs of a whole list from its ends, and past the kept ones as next_pair does.
class PairCursor {
public:
    PairCursor(const PairList& list, const PairEnds& ends) : list_(list), ends_(ends) {}

    // The next pair; false after the last.
    bool next(Pair& pair) {
        if (end_ >= ends_.kept)
            return next_pair(list_, pos_, pair);
        const uint32_t keyEnd = ends_.at[end_];
        const uint32_t valueEnd = ends_.at[end_ + 1];
        pair = {list_.data + pos_, keyEnd - pos_, list_.data + keyEnd + 1, valueEnd - keyEnd - 1};
        pos_ = size_t(valueEnd) + 1;
        end_ += 2;
        return true;
    }

private:
    const PairList& list_;
    const PairEnds& ends_;
    size_t pos_ = 0;
    uint32_t end_ = 0;
};

}  // namespace project
}  // namespace tkl
