// A stand-in host with an open document for the map tools: the module's code runs in this
// process against the host's real suites, dialogs are answered by a scripted user and
// questions by scripted answers (see ModuleCodeTest).
#pragma once

#include "support/ModuleCodeTest.h"

#include <cstdint>
#include <vector>

namespace maptest {

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

    // Reading documents.
    static std::vector<HostRealPoint> Points(const host::Art& path);
};

} // namespace maptest
