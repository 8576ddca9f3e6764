#include "tkl/project/projectreader.h"

#include <cstdint>
#include <cstring>

namespace tkl {
namespace project {
namespace {

// Smallest object record: its length, an empty name and an empty type name.
constexpr size_t kMinRecord = 4 + 1 + 1;

// The length of the zero-terminated text at p within `limit` bytes, or -1 when unterminated.
// Names, keys and numbers are short: a plain loop finds their end sooner than a call of memchr,
// which takes over for long texts.
ptrdiff_t text_length(const char* p, size_t limit) {
    const size_t shortText = limit < 32 ? limit : 32;
    for (size_t i = 0; i < shortText; ++i)
        if (p[i] == 0)
            return ptrdiff_t(i);
    if (limit == shortText)
        return -1;
    const void* end = std::memchr(p + shortText, 0, limit - shortText);
    return end ? static_cast<const char*>(end) - p : -1;
}

// The zero bytes among `size` bytes at p, eight at a time.
size_t count_zero_bytes(const char* p, size_t size) {
    const uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
    size_t zeros = 0, i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t v;
        std::memcpy(&v, p + i, 8);
        // The top bit of each byte of `nonzero` is set exactly where that byte of v is not 0;
        // the multiplication adds up the eight 0-or-1 bytes in the top byte.
        const uint64_t nonzero = ((v & low7) + low7) | v;
        const uint64_t isZero = (~nonzero & ~low7) >> 7;
        zeros += size_t((isZero * 0x0101010101010101ull) >> 56);
    }
    for (; i < size; ++i)
        zeros += p[i] == 0;
    return zeros;
}

// Offset of the first byte of a pair that does not end inside the list, or -1.
ptrdiff_t first_broken_pair(const PairList& list) {
    // Whole pairs are an even number of texts, the last one ending the list; only a list that
    // is not needs the walk below to say where.
    if (list.size == 0 ||
        (list.data[list.size - 1] == 0 && count_zero_bytes(list.data, list.size) % 2 == 0))
        return -1;
    size_t pos = 0;
    while (pos < list.size) {
        const size_t start = pos;
        for (int text = 0; text < 2; ++text) {
            const ptrdiff_t n = text_length(list.data + pos, list.size - pos);
            if (n < 0)
                return ptrdiff_t(start);
            pos += size_t(n) + 1;
            if (text == 0 && pos >= list.size)
                return ptrdiff_t(start);
        }
    }
    return -1;
}

}  // namespace

bool next_pair(const PairList& list, size_t& pos, const char*& key, const char*& value) {
    if (pos >= list.size)
        return false;
    const ptrdiff_t k = text_length(list.data + pos, list.size - pos);
    if (k < 0 || pos + size_t(k) + 1 >= list.size)
        return false;
    const size_t v = pos + size_t(k) + 1;
    const ptrdiff_t vn = text_length(list.data + v, list.size - v);
    if (vn < 0)
        return false;
    key = list.data + pos;
    value = list.data + v;
    pos = v + size_t(vn) + 1;
    return true;
}

const char* find_pair(const PairList& list, const char* key) {
    size_t pos = 0;
    const char* k;
    const char* v;
    while (next_pair(list, pos, k, v))
        if (k[0] == key[0] && std::strcmp(k, key) == 0)
            return v;
    return nullptr;
}

ProjectReader::ProjectReader(const void* data, size_t size)
    : data_(static_cast<const char*>(data)), size_(size) {}

bool ProjectReader::fail(size_t offset, const char* reason, const char* name) {
    failure_ = {index_, offset, name, reason};
    return false;
}

const char* ProjectReader::peek_name(size_t start) const {
    if (size_ == kUnknownSize || available(start) <= 4)
        return nullptr;
    const size_t at = start + 4;
    return text_length(data_ + at, size_ - at) >= 0 ? data_ + at : nullptr;
}

bool ProjectReader::read_header(LONG& count) {
    index_ = -1;
    pos_ = 0;
    if (!data_)
        return fail(0, "no data");
    if (available(0) < 4 || std::memcmp(data_, kProjectMagic, 4) != 0)
        return fail(0, "not a project: the data does not begin with \"tvxp\"");
    if (available(4) < 4)
        return fail(4, "truncated before the object count");
    count = LONG(read_u32le(data_ + 4));
    if (count < 0)
        return fail(4, "negative object count");
    if (size_ != kUnknownSize && size_t(count) > (size_ - 8) / kMinRecord)
        return fail(4, "object count larger than the data can hold");
    pos_ = 8;
    index_ = 0;
    return true;
}

bool ProjectReader::read_record(ObjectRecordView& record) {
    const size_t start = pos_;
    if (available(start) < 4)
        return fail(start, "truncated before the record length");
    const uint32_t length = read_u32le(data_ + start);
    if (length > available(start))
        return fail(start, "record length runs past the end of the data", peek_name(start));
    if (length < kMinRecord)
        return fail(start, "record length shorter than a name and a type name", peek_name(start));

    const size_t end = start + length;
    size_t pos = start + 4;
    const ptrdiff_t nameLength = text_length(data_ + pos, end - pos);
    if (nameLength < 0)
        return fail(pos, "object name not terminated inside the record");
    const char* name = data_ + pos;
    pos += size_t(nameLength) + 1;
    const ptrdiff_t typeLength = pos < end ? text_length(data_ + pos, end - pos) : -1;
    if (typeLength < 0)
        return fail(pos, "type name not terminated inside the record", name);
    const char* type = data_ + pos;
    pos += size_t(typeLength) + 1;

    record.offset = start;
    record.length = length;
    record.name = name;
    record.type = type;
    record.hasBlock = pos < end && data_[pos] == 0;
    record.objectProperties = {data_ + pos, 0};
    if (record.hasBlock) {
        if (end - pos < 1 + 4)
            return fail(pos, "object-property block length runs past the record", name);
        const uint32_t blockLength = read_u32le(data_ + pos + 1);
        if (blockLength < 4)
            return fail(pos + 1, "object-property block length shorter than itself", name);
        if (blockLength > end - pos - 1)
            return fail(pos + 1, "object-property block runs past the record", name);
        record.objectProperties = {data_ + pos + 5, blockLength - 4};
        pos += 1 + size_t(blockLength);
    }
    record.typeProperties = {data_ + pos, end - pos};

    const PairList* lists[2] = {&record.objectProperties, &record.typeProperties};
    for (const PairList* list : lists) {
        const ptrdiff_t broken = first_broken_pair(*list);
        if (broken >= 0)
            return fail(size_t(list->data - data_) + size_t(broken),
                        "property pair runs past the end of its list", name);
    }

    pos_ = end;
    ++index_;
    return true;
}

}  // namespace project
}  // namespace tkl
