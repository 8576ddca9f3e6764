#include "tkl/project/projectreader.h"

#include "tkl/project/bytescan.h"

#include <cstdint>
#include <cstring>

namespace tkl {
namespace project {
namespace {

// Smallest object record: its length, an empty name and an empty type name.
constexpr size_t kMinRecord = 4 + 1 + 1;

// Offset of the first byte of a pair that does not end inside the list (one that is not whole
// pairs).
size_t first_broken_pair(const PairList& list) {
    size_t pos = 0;
    Pair pair;
    while (next_pair(list, pos, pair)) {
    }
    return pos;
}

}  // namespace

bool next_pair(const PairList& list, size_t& pos, const char*& key, const char*& value) {
    Pair pair;
    if (!next_pair(list, pos, pair))
        return false;
    key = pair.key;
    value = pair.value;
    return true;
}

const char* find_pair(const PairList& list, const char* key) {
    const size_t length = std::strlen(key);
    size_t pos = 0;
    Pair pair;
    while (next_pair(list, pos, pair))
        if (pair.keyLength == length && std::memcmp(pair.key, key, length) == 0)
            return pair.value;
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
    if (size_ == 0)
        return fail(0, "empty: no project data");
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
    // The name and the type name end at the record's first two zero bytes.
    size_t textEnds[2];
    const size_t texts = find_zero_bytes(data_ + pos, end - pos, textEnds, 2);
    if (texts < 1)
        return fail(pos, "object name not terminated inside the record");
    const char* name = data_ + pos;
    const size_t nameLength = textEnds[0];
    pos += nameLength + 1;
    if (texts < 2)
        return fail(pos, "type name not terminated inside the record", name);
    const char* type = data_ + pos;
    const size_t typeLength = textEnds[1] - nameLength - 1;
    pos += typeLength + 1;

    record.offset = start;
    record.length = length;
    record.name = name;
    record.type = type;
    record.nameLength = nameLength;
    record.typeLength = typeLength;
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
    PairEnds* ends[2] = {&record.objectEnds, &record.typeEnds};
    for (int i = 0; i < 2; ++i)
        if (!find_pair_ends(*lists[i], *ends[i]))
            return fail(size_t(lists[i]->data - data_) + first_broken_pair(*lists[i]),
                        "property pair runs past the end of its list", name);

    pos_ = end;
    ++index_;
    return true;
}

}  // namespace project
}  // namespace tkl
