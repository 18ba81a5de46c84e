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

ClosedArt MapToolsTest::AddClosedArt(std::vector<HostRealPoint> inLockedGroup,
                                     std::vector<HostRealPoint> hidden,
                                     std::vector<HostRealPoint> onHiddenLayer,
                                     std::vector<HostRealPoint> onLockedLayer) {
    host::Art& lockedGroup = Group(LayerGroup());
    host::Art& inLocked = Path(lockedGroup, std::move(inLockedGroup));
    SetAttributes(lockedGroup, host::kAttrLocked, host::kAttrLocked);
    host::Art& hiddenPath = Path(LayerGroup(), std::move(hidden));
    SetAttributes(hiddenPath, host::kAttrHidden, host::kAttrHidden);
    host::Layer& hiddenLayer = AddLayer("Hidden");
    host::Art& onHidden = Path(*hiddenLayer.group(), std::move(onHiddenLayer));
    hiddenLayer.visible = false;
    host::Layer& lockedLayer = AddLayer("Locked");
    host::Art& onLocked = Path(*lockedLayer.group(), std::move(onLockedLayer));
    lockedLayer.editable = false;
    return {inLocked, hiddenPath, onHidden, onLocked};
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

std::map<std::int32_t, ws::ControlInfo>
MapToolsTest::ControlsOnOpening(const std::function<HostErr()>& run) {
    ws::DialogSnapshot opened;
    Script({ws::ScriptedUser::inspect([&](ws::DialogView& v) { opened = v.snapshot(); }),
            ws::ScriptedUser::cancel()});
    EXPECT_EQ(run(), kHostErrCancelled);
    return ControlsById(opened);
}

std::map<std::int32_t, ws::ControlInfo> ControlsById(const ws::DialogSnapshot& seen) {
    std::map<std::int32_t, ws::ControlInfo> control;
    for (const auto& info : seen.controls)
        control[info.id] = info;
    return control;
}

} // namespace maptest
