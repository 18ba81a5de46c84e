// Shared by the text suites: the text behind an art handle and the objects behind
// references.
#pragma once

#include "host/ate/TextObjects.h"
#include "host/docsuites/DocSupport.h"

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

/** A new object as the reference type the suites hand out. */
template <class Ref, class T> Ref hand(std::unique_ptr<T> object) {
    return static_cast<Ref>(addObject(std::move(object)));
}

} // namespace host::ate
