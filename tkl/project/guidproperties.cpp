#include "tkl/project/guidproperties.h"

#include "tkl/platform/guidtext.h"

#include <cstdint>
#include <cstring>

namespace tkl {
namespace project {
namespace {

const char kIdKey[] = "ID";
const char kContainedKey[] = "ContainedObjects";

template <size_t N>
bool is_key(const Pair& pair, const char (&key)[N]) {
    return pair.keyLength == N - 1 && std::memcmp(pair.key, key, N - 1) == 0;
}

// The end of the piece of a list that starts at `piece`: the next ";" or the end of the value.
const char* piece_end(const char* piece, const char* end) {
    // A piece that can be an identifier is one of exactly kGuidTextLength characters; when
    // such a run holds a ";" it fails to parse, as its true, shorter piece would.
    const size_t left = size_t(end - piece);
    if (left >= size_t(kGuidTextLength) && piece[0] == '{' &&
        (left == size_t(kGuidTextLength) || piece[kGuidTextLength] == ';'))
        return piece + kGuidTextLength;
    const void* semicolon = std::memchr(piece, ';', left);
    return semicolon ? static_cast<const char*>(semicolon) : end;
}

// One GUID per ";"-separated piece of the `length` characters at value, in the arena; null
// with a count of 0 when a piece doesn't parse or the list can't be allocated.
GUID* read_guid_list(const char* value, size_t length, ProjectArena& arena, LONG& count) {
    count = 0;
    const size_t pieces = 1 + count_byte(value, length, ';');
    if (pieces > 0x7FFFFFFF || pieces > SIZE_MAX / sizeof(GUID))
        return nullptr;
    GUID* list = static_cast<GUID*>(arena.allocate(pieces * sizeof(GUID)));
    if (!list)
        return nullptr;
    const char* const end = value + length;
    const char* piece = value;
    for (size_t i = 0; i < pieces; ++i) {
        const char* stop = piece_end(piece, end);
        const size_t pieceLength = size_t(stop - piece);
        // A list that can't be read stays in the arena until the project goes: no list.
        if (pieceLength > kMaxGuidText || !parse_guid_text(piece, pieceLength, list[i]))
            return nullptr;
        piece = stop + 1;
    }
    count = LONG(pieces);
    return list;
}

}  // namespace

// Both keys are looked for in one walk over the pairs.
void read_object_properties(const PairList& pairs, const PairEnds& ends, ProjectArena& arena,
                            TVXObject& object) {
    Pair id = {}, contained = {};
    bool hasId = false, hasContained = false;
    PairCursor cursor(pairs, ends);
    Pair pair;
    while (!(hasId && hasContained) && cursor.next(pair)) {
        if (!hasId && is_key(pair, kIdKey)) {
            id = pair;
            hasId = true;
        } else if (!hasContained && is_key(pair, kContainedKey)) {
            contained = pair;
            hasContained = true;
        }
    }
    std::memset(&object.guidID, 0, sizeof object.guidID);
    // An identifier that doesn't parse leaves the object without one; it still loads.
    if (hasId && id.valueLength <= kMaxGuidText)
        parse_guid_text(id.value, id.valueLength, object.guidID);
    object.cContainedObjects = 0;
    object.paContainedObjects =
        hasContained ? read_guid_list(contained.value, contained.valueLength, arena,
                                      object.cContainedObjects)
                     : nullptr;
}

}  // namespace project
}  // namespace tkl
