// Shared by the text suites: the text behind an art handle, the objects behind
// references, and the lookups every operation on them starts with.
#pragma once

#include "host/ate/TextObjects.h"
#include "host/docsuites/DocSupport.h"
#include "hostapi/ATETypes.h"

namespace host::ate {

/** The art of a text frame (or legacy text); kHostErrWrongType for other art. */
inline Art& textArtOf(Document& document, HostArtHandle handle) {
    Art& art = docsuites::artOf(document, handle);
    if (!isTextType(art.type()) || art.text() == nullptr)
        throw HostError(kHostErrWrongType, "not text");
    return art;
}

/** The live object of kind T behind ref; throws kHostErrBadHandle. */
template <class T> T& objectOf(const void* ref) {
    T* object = find<T>(ref);
    if (object == nullptr) throw HostError(kHostErrBadHandle, "no such text object");
    return *object;
}

/** Runs body with the object of kind T behind ref, or answers kHostErrBadHandle for a
 *  null, stale, foreign or other kind of reference. Exceptions become codes. */
template <class T, class Body> HostErr withTextObject(const void* ref, Body&& body) noexcept {
    return guarded([&]() -> HostErr { return body(objectOf<T>(ref)); });
}

/** Runs body with the open document, the text art that the object of kind T behind ref
 *  names, and the object: kHostErrNoDocument without a document, kHostErrBadHandle for a
 *  bad reference or text that has gone, kHostErrWrongType when the art is no longer text. */
template <class T, class Body> HostErr withObjectText(const void* ref, Body&& body) noexcept {
    return docsuites::withDocument([&](Document& d) -> HostErr {
        T& object = objectOf<T>(ref);
        return body(d, textArtOf(d, object.art), object);
    });
}

/** A new object as the reference type the suites hand out. */
template <class Ref, class T> Ref hand(std::unique_ptr<T> object) {
    return static_cast<Ref>(addObject(std::move(object)));
}

/** A new range over [start, end) of the text of art. */
inline ATETextRangeRef newRange(HostArtHandle art, std::int32_t start, std::int32_t end) {
    auto object = std::make_unique<RangeObject>();
    object->art = art;
    object->start = start;
    object->end = end;
    return hand<ATETextRangeRef>(std::move(object));
}

} // namespace host::ate
