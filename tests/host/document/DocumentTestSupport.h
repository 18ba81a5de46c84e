// Small builders for document tests.
#pragma once

#include "host/document/Document.h"

#include <gtest/gtest.h>

namespace doctest {

/// A closed rectangle path, left/bottom at (x, y).
inline host::Art* addRect(host::Document& doc, host::Art& parent, double x, double y, double w,
                          double h, const char* name = "") {
    host::Art* a = doc.makeArt(host::ArtType::Path);
    a->name = name;
    auto& segs = a->path()->segments;
    for (HostRealPoint p : {HostRealPoint{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}})
        segs.push_back({p, p, p, 1});
    a->path()->closed = true;
    doc.appendChild(parent, *a);
    return a;
}

inline host::Art* addArt(host::Document& doc, host::Art& parent, host::ArtType type,
                         const char* name = "") {
    host::Art* a = doc.makeArt(type);
    a->name = name;
    doc.appendChild(parent, *a);
    return a;
}

/// Names of the children of a, front to back.
inline std::vector<std::string> childNames(const host::Art& a) {
    std::vector<std::string> out;
    for (const host::Art* c = a.firstChild(); c; c = c->nextSibling())
        out.push_back(c->name);
    return out;
}

inline std::vector<std::string> titles(const std::vector<host::Layer*>& layers) {
    std::vector<std::string> out;
    for (const host::Layer* l : layers)
        out.push_back(l->title);
    return out;
}

} // namespace doctest
