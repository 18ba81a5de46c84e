#include "MapToolsHarness.h"

namespace maptest {

void MapToolsTest::StartHost() {
    ModuleCodeTest::StartHost();
    if (!HasFatalFailure()) NewDocument();
}

host::Document& MapToolsTest::NewDocument() {
    return OpenSession(host::Document::createDefault());
}

host::Layer& MapToolsTest::AddLayer(const std::string& title) {
    return *doc().appendLayer(nullptr, title);
}

host::Art& MapToolsTest::Group(host::Art& parent) {
    host::Art* group = doc().makeArt(host::ArtType::Group);
    doc().appendChild(parent, *group);
    return *group;
}

host::Art& MapToolsTest::Path(host::Art& parent, std::vector<HostRealPoint> points, bool closed) {
    host::Art* path = doc().makeArt(host::ArtType::Path);
    for (const HostRealPoint& p : points)
        path->path()->segments.push_back({p, p, p, 1});
    path->path()->closed = closed;
    doc().appendChild(parent, *path);
    return *path;
}

void MapToolsTest::SetAttributes(host::Art& art, std::uint32_t mask, std::uint32_t value) {
    ASSERT_EQ(doc().setUserAttributes(art, mask, value), kHostNoErr);
}

std::vector<HostRealPoint> MapToolsTest::Points(const host::Art& path) {
    std::vector<HostRealPoint> out;
    for (const HostPathSegment& s : path.path()->segments)
        out.push_back(s.p);
    return out;
}

} // namespace maptest
