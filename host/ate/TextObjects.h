// The text engine's counted objects (ranges, frames, features, run iterators) behind the
// opaque references the suites hand out. Every reference is looked up before use, so a
// stale, foreign or wrong-kind reference gives kHostErrBadHandle and is never followed.
// Ranges, frames and iterators name their text by its art handle, checked against the
// open document on every use.
#pragma once

#include "host/ate/TextEdit.h"
#include "hostapi/HostTypes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace host::ate {

struct TextObject {
    virtual ~TextObject() = default;
    int count = 1;
};

struct RangeObject final : TextObject {
    HostArtHandle art = nullptr;
    std::int32_t start = 0;
    std::int32_t end = 0;
};

struct FrameObject final : TextObject {
    HostArtHandle art = nullptr;
};

struct CharFeaturesObject final : TextObject {
    CharFeatureSet features;
};

struct ParaFeaturesObject final : TextObject {
    ParaFeatureSet features;
};

struct RunsObject final : TextObject {
    HostArtHandle art = nullptr;
    std::vector<std::pair<std::int32_t, std::int32_t>> runs;
    std::size_t current = 0;
};

/** Registers a new object with one count and returns its reference value. */
void* addObject(std::unique_ptr<TextObject> object);
/** The live object behind ref; null for a reference that names none. */
TextObject* findObject(const void* ref);
/** The same when the object is a T. */
template <class T> T* find(const void* ref) {
    return dynamic_cast<T*>(findObject(ref));
}
/** One more count; false for an unknown reference. */
bool addRef(const void* ref);
/** One count less; the object goes with its last one. False for an unknown reference. */
bool release(const void* ref);
/** Objects still alive: references a module never released. */
std::size_t liveObjects();

} // namespace host::ate
