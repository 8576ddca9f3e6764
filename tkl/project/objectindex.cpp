#include "tkl/project/objectindex.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace tkl {
namespace project {
namespace {

struct GuidWords {
    uint64_t low, high;
};

GuidWords words(const GUID& id) {
    static_assert(sizeof(GUID) == sizeof(GuidWords), "a GUID is two words");
    GuidWords w;
    std::memcpy(&w, &id, sizeof w);
    return w;
}

bool same_id(const GUID& a, const GUID& b) {
    const GuidWords x = words(a), y = words(b);
    return x.low == y.low && x.high == y.high;
}

// Identifiers are mostly random, but any may be chosen: every bit takes part.
size_t hash(const GUID& id) {
    const GuidWords w = words(id);
    uint64_t h = w.low * 0x9E3779B97F4A7C15ull ^ w.high;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    return size_t(h ^ h >> 32);
}

}  // namespace

ObjectIdIndex::ObjectIdIndex(TVXProject& project) : project_(project), slots_(nullptr), mask_(0) {
    // At least twice the objects, so that probes stay short.
    size_t slots = 16;
    while (slots < size_t(project.cObjects) * 2) {
        if (slots > SIZE_MAX / 2 / sizeof(LONG))
            return;
        slots *= 2;
    }
    slots_ = static_cast<LONG*>(std::calloc(slots, sizeof(LONG)));
    if (!slots_)
        return;
    mask_ = slots - 1;
    for (LONG i = 0; i < project.cObjects; ++i) {
        const GUID& id = project.paObjects[i].guidID;
        size_t s = hash(id) & mask_;
        // An identifier already indexed belongs to an earlier object, which is the one found.
        while (slots_[s] && !same_id(project.paObjects[slots_[s] - 1].guidID, id))
            s = (s + 1) & mask_;
        if (!slots_[s])
            slots_[s] = i + 1;
    }
}

ObjectIdIndex::~ObjectIdIndex() { std::free(slots_); }

TVXObject* ObjectIdIndex::find(const GUID& id) const {
    if (!slots_)
        return find_object_by_id(&project_, id);
    for (size_t s = hash(id) & mask_; slots_[s]; s = (s + 1) & mask_) {
        TVXObject& object = project_.paObjects[slots_[s] - 1];
        if (same_id(object.guidID, id))
            return &object;
    }
    return nullptr;
}

}  // namespace project
}  // namespace tkl
