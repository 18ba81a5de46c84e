// A stand-in host with an open document for the map tools: the module's code runs in this
// process against the host's real suites, dialogs are answered by a scripted user and
// questions by scripted answers (see ModuleCodeTest).
#pragma once

#include "support/ModuleCodeTest.h"

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace maptest {

/** The controls of a dialog as it was seen, by id. */
std::map<std::int32_t, ws::ControlInfo> ControlsById(const ws::DialogSnapshot& seen);

/** Art a command must leave where it is, all but the first layer's made by AddClosedArt. */
struct ClosedArt {
    host::Art& inLockedGroup;
    host::Art& hidden;
    host::Art& onHiddenLayer;
    host::Art& onLockedLayer;
};

class MapToolsTest : public cartotest::ModuleCodeTest {
protected:
    /** Starts the host with a new empty document open. */
    void StartHost() override;

    /** A new empty document (one layer, "Layer 1", current) replaces the open one. */
    host::Document& NewDocument();

    // Building documents.
    host::Layer& AddLayer(const std::string& title);
    host::Art& Group(host::Art& parent);
    host::Art& Path(host::Art& parent, std::vector<HostRealPoint> points, bool closed = false);
    void SetAttributes(host::Art& art, std::uint32_t mask, std::uint32_t value);
    void Select(host::Art& art) { SetAttributes(art, host::kAttrSelected, host::kAttrSelected); }
    /** A path in a new locked group and a hidden path on the first layer, then a path on a
     *  new hidden layer and one on a new locked layer, through these points. */
    ClosedArt AddClosedArt(std::vector<HostRealPoint> inLockedGroup,
                           std::vector<HostRealPoint> hidden,
                           std::vector<HostRealPoint> onHiddenLayer,
                           std::vector<HostRealPoint> onLockedLayer);
    host::Art& LayerGroup(int index = 0) { return *doc().layerAt(index)->group(); }

    // Reading documents.
    static std::vector<HostRealPoint> Points(const host::Art& path);

    /** The controls of the dialog run opens, by id; the user cancels it. */
    std::map<std::int32_t, ws::ControlInfo> ControlsOnOpening(const std::function<HostErr()>& run);
};

} // namespace maptest
