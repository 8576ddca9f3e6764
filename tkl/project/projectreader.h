#pragma once
// The project format's reader: the header, the bounds of each object record and of its parts,
// and the key/value pairs. It checks every length against the data it may read and says
// where the data is wrong. The loader builds on it; the tvx tool reads files with it too.

#include "tkl/platform/win32.h"
#include "tkl/project/pairlist.h"

#include <cstddef>
#include <cstdint>

namespace tkl {
namespace project {

// The four bytes "tvxp" that open a project.
inline constexpr char kProjectMagic[4] = {'t', 'v', 'x', 'p'};

// The pair at `pos` as next_pair (pairlist.h) finds it, for callers that need only its texts.
bool next_pair(const PairList& list, size_t& pos, const char*& key, const char*& value);

// The value of the first pair with exactly that key, or null.
const char* find_pair(const PairList& list, const char* key);

// The 32-bit little-endian value at p.
inline uint32_t read_u32le(const void* p) {
    const unsigned char* b = static_cast<const unsigned char*>(p);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

// One object record, pointing into the data it was read from.
struct ObjectRecordView {
    size_t offset;               // of the record's length field from the start of the data
    uint32_t length;             // the record length, its own 4 bytes included
    const char* name;
    const char* type;
    size_t nameLength;
    size_t typeLength;
    bool hasBlock;               // an object-property block follows the type name
    PairList objectProperties;   // the block's pairs ("ID", "ContainedObjects")
    PairList typeProperties;     // the rest of the record
    PairEnds objectEnds;         // the ends of their texts
    PairEnds typeEnds;
};

// Where reading stopped.
struct ReadFailure {
    LONG object;         // index of the record at fault, -1 for the header
    size_t offset;       // of the faulty field from the start of the data
    const char* name;    // the record's name when it was read (points into the data), or null
    const char* reason;  // a static text
};

class ProjectReader {
public:
    // `size` bytes at data; kUnknownSize bounds each record by its own length only.
    static constexpr size_t kUnknownSize = SIZE_MAX;
    ProjectReader(const void* data, size_t size);

    // Checks the magic and reads the object count; a negative count, or one the data can't
    // hold, is a failure.
    bool read_header(LONG& count);
    // Reads the object record at the current position and moves past it. Each name, block and
    // pair must lie inside the record, and the record inside the data.
    bool read_record(ObjectRecordView& record);

    size_t position() const { return pos_; }
    const ReadFailure& failure() const { return failure_; }

private:
    bool fail(size_t offset, const char* reason, const char* name = nullptr);
    // The name of the record at `start` when it lies terminated inside the data, for failures
    // found before the record's own bounds are known.
    const char* peek_name(size_t start) const;
    size_t available(size_t pos) const { return size_ == kUnknownSize ? kUnknownSize - pos : size_ - pos; }

    const char* data_;
    size_t size_;
    size_t pos_ = 0;
    LONG index_ = 0;
    ReadFailure failure_ = {-1, 0, nullptr, nullptr};
};

}  // namespace project
}  // namespace tkl
