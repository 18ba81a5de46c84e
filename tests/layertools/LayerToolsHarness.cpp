#include "LayerToolsHarness.h"

#include <fstream>
#include <iconv.h>
#include <iterator>
#include <stdexcept>

namespace lt {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Iconv(const std::string& text, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no iconv");
    std::string in = text;
    std::string out(text.size() * 4 + 16, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<size_t>(-1)) throw std::runtime_error("iconv failed");
    out.resize(out.size() - outLeft);
    return out;
}

void LayerToolsTest::StartHost() {
    ModuleCodeTest::StartHost();
    if (!HasFatalFailure()) OpenDocument({{0, "Layer 1"}});
}

void LayerToolsTest::OpenDocument(const std::vector<LayerEntry>& layers) {
    auto built = std::make_unique<host::Document>();
    std::vector<host::Layer*> parents;
    for (const LayerEntry& entry : layers) {
        parents.resize(static_cast<size_t>(entry.depth));
        host::Layer* parent = parents.empty() ? nullptr : parents.back();
        host::Layer* layer = built->appendLayer(parent, entry.title);
        layer->visible = entry.visible;
        parents.push_back(layer);
    }
    if (host::Layer* first = built->firstLayer()) built->setCurrentLayer(*first);
    OpenSession(std::move(built));
}

std::vector<std::string> LayerToolsTest::Outline() const {
    std::vector<std::string> out;
    for (host::Layer* layer : doc().allLayers()) {
        int depth = 0;
        for (host::Layer* p = doc().parentLayer(*layer); p; p = doc().parentLayer(*p))
            ++depth;
        out.push_back(std::to_string(depth) + ":" + layer->title + (layer->visible ? "" : "*"));
    }
    return out;
}

std::vector<std::string> LayerToolsTest::Titles() const {
    std::vector<std::string> out;
    for (host::Layer* layer : doc().allLayers())
        out.push_back(layer->title);
    return out;
}

host::Layer* LayerToolsTest::LayerNamed(const std::string& title) const {
    for (host::Layer* layer : doc().allLayers())
        if (layer->title == title) return layer;
    return nullptr;
}

HostLayerHandle LayerToolsTest::HandleOf(const std::string& title) const {
    host::Layer* layer = LayerNamed(title);
    return layer ? layer->handle() : nullptr;
}

} // namespace lt
