#include "LayerToolsHarness.h"

#include "frame/HostSuites.h"
#include "host/core/Menus.h"
#include "host/docsuites/DocumentSuites.h"
#include "hostapi/suites/LayerSuite.h"

#include <fstream>
#include <iconv.h>
#include <iterator>
#include <random>
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

void LayerToolsTest::SetUp() {
    std::random_device seed;
    dir_ = std::filesystem::temp_directory_path() /
           ("layertools-" + std::to_string(seed()) + "-" + std::to_string(seed()));
    std::filesystem::create_directories(dir_);
    host::ApplicationOptions options;
    options.preferencesFolder = dir_ / "prefs";
    options.documentsFolder = dir_;
    app_ = std::make_unique<host::Application>(options);
    if (app_->suites().isEmpty(kHostLayerSuite, kHostLayerSuiteVersion))
        host::installDocumentSuites(app_->suites());
    module_ = &app_->loadModule(CARTOVEL_MODULE_PATH);
    responder_ = std::make_unique<host::ScriptedResponder>();
    app_->user().setResponder(responder_.get());
    user_ = std::make_unique<ws::ScriptedUser>();
    agent_ = std::make_unique<ws::ScopedUserAgent>(*user_);
    // The module's code in this process reaches the host the way the module does.
    sBasic = app_->basicSuite();
    suites_ = std::make_unique<SuiteHolder>();
    ASSERT_EQ(suites_->Error(), kHostNoErr);
    OpenDocument({{0, "Layer 1"}});
}

void LayerToolsTest::TearDown() {
    suites_.reset();
    session_.reset();
    agent_.reset();
    app_->user().setResponder(nullptr);
    app_.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

void LayerToolsTest::OpenDocument(const std::vector<LayerEntry>& layers) {
    session_.reset();
    auto doc = std::make_unique<host::Document>();
    std::vector<host::Layer*> parents;
    for (const LayerEntry& entry : layers) {
        parents.resize(static_cast<size_t>(entry.depth));
        host::Layer* parent = parents.empty() ? nullptr : parents.back();
        host::Layer* layer = doc->appendLayer(parent, entry.title);
        layer->visible = entry.visible;
        parents.push_back(layer);
    }
    if (host::Layer* first = doc->firstLayer()) doc->setCurrentLayer(*first);
    session_ = std::make_unique<host::DocumentSession>(*app_, std::move(doc));
}

std::vector<std::string> LayerToolsTest::Outline() const {
    std::vector<std::string> out;
    for (host::Layer* layer : document().allLayers()) {
        int depth = 0;
        for (host::Layer* p = document().parentLayer(*layer); p; p = document().parentLayer(*p))
            ++depth;
        out.push_back(std::to_string(depth) + ":" + layer->title + (layer->visible ? "" : "*"));
    }
    return out;
}

std::vector<std::string> LayerToolsTest::Titles() const {
    std::vector<std::string> out;
    for (host::Layer* layer : document().allLayers())
        out.push_back(layer->title);
    return out;
}

host::Layer* LayerToolsTest::LayerNamed(const std::string& title) const {
    for (host::Layer* layer : document().allLayers())
        if (layer->title == title) return layer;
    return nullptr;
}

HostLayerHandle LayerToolsTest::HandleOf(const std::string& title) const {
    host::Layer* layer = LayerNamed(title);
    return layer ? layer->handle() : nullptr;
}

void LayerToolsTest::Script(std::vector<ws::ScriptedUser::Action> actions) {
    agent_.reset();
    user_ = std::make_unique<ws::ScriptedUser>(std::move(actions));
    agent_ = std::make_unique<ws::ScopedUserAgent>(*user_);
}

void LayerToolsTest::Answer(std::vector<host::Answer> answers) {
    for (host::Answer a : answers)
        responder_->addAnswer(a);
}

std::vector<std::string> LayerToolsTest::Messages() const {
    std::vector<std::string> out;
    for (const host::AlertRecord& alert : app_->user().alerts())
        if (alert.kind == host::AlertRecord::Kind::Message) out.push_back(alert.text);
    return out;
}

void LayerToolsTest::StartModule() {
    ASSERT_EQ(app_->startModules(), kHostNoErr);
}

HostErr LayerToolsTest::ChooseMenu(const std::string& text) {
    for (host::MenuItem* item : app_->menus().items())
        if (item->text == text) return app_->chooseMenuItem(item->handle());
    ADD_FAILURE() << "no menu item " << text;
    return kHostErrNotFound;
}

} // namespace lt
