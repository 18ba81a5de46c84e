#include "host/ate/TextObjects.h"

#include <unordered_map>

namespace host::ate {
namespace {

// Shared by every application of the process: the objects carry no document of their
// own, and the art they name is looked up in whichever document is open.
std::unordered_map<const void*, std::unique_ptr<TextObject>>& objects() {
    static std::unordered_map<const void*, std::unique_ptr<TextObject>> all;
    return all;
}

} // namespace

void* addObject(std::unique_ptr<TextObject> object) {
    TextObject* raw = object.get();
    objects().emplace(raw, std::move(object));
    return raw;
}

TextObject* findObject(const void* ref) {
    auto it = objects().find(ref);
    return it == objects().end() ? nullptr : it->second.get();
}

bool addRef(const void* ref) {
    TextObject* object = findObject(ref);
    if (object == nullptr) return false;
    ++object->count;
    return true;
}

bool release(const void* ref) {
    TextObject* object = findObject(ref);
    if (object == nullptr) return false;
    if (--object->count <= 0) objects().erase(ref);
    return true;
}

std::size_t liveObjects() {
    return objects().size();
}

} // namespace host::ate
