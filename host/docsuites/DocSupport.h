// Shared by the document suites: the open document and the lookups every operation
// starts with.
#pragma once

#include "host/core/Errors.h"
#include "host/core/Faults.h"
#include "host/core/SuiteContext.h"
#include "host/docsuites/DocumentSession.h"

namespace host::docsuites {

/// The open document's session; null when none is open.
inline DocumentSession* session() {
    SuiteContext* app = SuiteContext::current();
    return app == nullptr ? nullptr : DocumentSession::of(*app);
}

/// Runs body with the open document's session, or answers kHostErrNoDocument. Exceptions
/// become codes (see guarded).
template <class Body> HostErr withSession(Body&& body) noexcept {
    return guarded([&]() -> HostErr {
        DocumentSession* s = session();
        if (s == nullptr) return kHostErrNoDocument;
        return body(*s);
    });
}

/// The same with the open document.
template <class Body> HostErr withDocument(Body&& body) noexcept {
    return withSession([&](DocumentSession& s) -> HostErr { return body(s.document()); });
}

/// Out-parameters must be given.
template <class... Pointers> void requireOut(Pointers*... out) {
    if ((!out || ...)) throw HostError(kHostErrBadParameter, "missing result place");
}

/// A question about the open document: get(document) is stored in *out. *out is left as it
/// was when there is no document or get throws.
template <class Out, class Get> HostErr answer(Out* out, Get&& get) noexcept {
    return withDocument([&](Document& d) -> HostErr {
        requireOut(out);
        *out = get(d);
        return kHostNoErr;
    });
}

/// The same for a handle, which is null until get has found it.
template <class Out, class Get> HostErr answerHandle(Out* out, Get&& get) noexcept {
    return withDocument([&](Document& d) -> HostErr {
        requireOut(out);
        *out = nullptr;
        *out = get(d);
        return kHostNoErr;
    });
}

/// The live art behind a handle; throws kHostErrBadHandle for null, stale or foreign ones.
inline Art& artOf(Document& document, HostArtHandle handle) {
    Art* art = document.art(handle);
    if (art == nullptr) throw HostError(kHostErrBadHandle, "no such art");
    return *art;
}

inline Layer& layerOf(Document& document, HostLayerHandle handle) {
    Layer* layer = document.layer(handle);
    if (layer == nullptr) throw HostError(kHostErrBadHandle, "no such layer");
    return *layer;
}

inline HostLayerHandle handleOf(const Layer* layer) {
    return layer == nullptr ? nullptr : layer->handle();
}

inline HostArtHandle handleOf(const Art* art) {
    return art == nullptr ? nullptr : art->handle();
}

/// The text of a host string the caller lends.
inline std::string& stringOf(HostUString string) {
    SuiteContext* app = SuiteContext::current();
    HostUStringOpaque* s = app == nullptr ? nullptr : app->strings().find(string);
    if (s == nullptr) throw HostError(kHostErrBadHandle, "no such string");
    return s->utf8;
}

} // namespace host::docsuites
