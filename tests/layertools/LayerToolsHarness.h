// A stand-in host with an open document for the layer tools: the module's code runs in
// this process against the host's real suites, dialogs are answered by a scripted user and
// alerts by scripted answers (see ModuleCodeTest).
#pragma once

#include "support/ModuleCodeTest.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lt {

/** One layer of a document to build, in pre-order. */
struct LayerEntry {
    int depth;
    std::string title;
    bool visible = true;
};

/** Bytes of a file, as written or read. */
std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
/** text converted with the C library's iconv, as another program would write it. */
std::string Iconv(const std::string& text, const char* to, const char* from = "UTF-8");

class LayerToolsTest : public cartotest::ModuleCodeTest {
protected:
    /** Starts the host with a document of one layer, "Layer 1", open. */
    void StartHost() override;

    /** Replaces the open document with one holding these layers; the first layer is
     *  current. */
    void OpenDocument(const std::vector<LayerEntry>& layers);
    /** Every layer in pre-order as "depth:title" (hidden ones marked with "*"). */
    std::vector<std::string> Outline() const;
    std::vector<std::string> Titles() const;
    host::Layer* LayerNamed(const std::string& title) const;
    HostLayerHandle HandleOf(const std::string& title) const;
};

} // namespace lt
