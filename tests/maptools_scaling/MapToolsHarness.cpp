#include "MapToolsHarness.h"

#include "frame/HostSuites.h"
#include "host/core/Menus.h"
#include "host/docsuites/DocumentSuites.h"
#include "hostapi/suites/LayerSuite.h"

#include <random>

namespace maptest {

void MapToolsTest::SetUp() {
    std::random_device seed;
    dir_ = std::filesystem::temp_directory_path() /
           ("maptools-" + std::to_string(seed()) + "-" + std::to_string(seed()));
    std::filesystem::create_directories(dir_);
    prefs_ = dir_ / "preferences.json";
    StartHost();
}

void MapToolsTest::TearDown() {
    StopHost();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

void MapToolsTest::StartHost() {
    host::ApplicationOptions options;
    options.preferencesFolder = dir_;
    options.preferencesFile = prefs_;
    options.documentsFolder = dir_;
    app_ = std::make_unique<host::Application>(options);
    if (app_->suites().isEmpty(kHostLayerSuite, kHostLayerSuiteVersion))
        host::installDocumentSuites(app_->suites());
    module_ = &app_->loadModule(CARTOVEL_MODULE_PATH);
    responder_ = std::make_unique<host::ScriptedResponder>();
    app_->user().setResponder(responder_.get());
    Script({});
    // The module's code in this process reaches the host the way the module does.
    sBasic = app_->basicSuite();
    suites_ = std::make_unique<SuiteHolder>();
    ASSERT_EQ(suites_->Error(), kHostNoErr);
    NewDocument();
}

void MapToolsTest::StopHost() {
    suites_.reset();
    session_.reset();
    agent_.reset();
    if (app_) app_->user().setResponder(nullptr);
    app_.reset();
}

void MapToolsTest::RestartHost() {
    StopHost();
    StartHost();
}

host::Document& MapToolsTest::NewDocument() {
    session_.reset();
    session_ = std::make_unique<host::DocumentSession>(*app_, host::Document::createDefault());
    return doc();
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

void MapToolsTest::Script(std::vector<ws::ScriptedUser::Action> actions) {
    agent_.reset();
    user_ = std::make_unique<ws::ScriptedUser>(std::move(actions));
    agent_ = std::make_unique<ws::ScopedUserAgent>(*user_);
}

void MapToolsTest::Answers(std::vector<host::Answer> answers) {
    for (host::Answer a : answers)
        responder_->addAnswer(a);
}

HostErr MapToolsTest::ChooseMenu(const std::string& text) {
    if (module_->state() == host::ModuleState::Loaded) {
        const HostErr started = app_->startModules();
        if (started != kHostNoErr) return started;
    }
    for (host::MenuItem* item : app_->menus().items())
        if (item->owner == module_ && item->text == text)
            return app_->chooseMenuItem(item->handle());
    ADD_FAILURE() << "no menu item " << text;
    return kHostErrNotFound;
}

std::vector<std::string> MapToolsTest::Messages() const {
    std::vector<std::string> out;
    for (const host::AlertRecord& alert : app_->user().alerts())
        if (alert.kind == host::AlertRecord::Kind::Message) out.push_back(alert.text);
    return out;
}

std::vector<std::string> MapToolsTest::Questions() const {
    std::vector<std::string> out;
    for (const host::AlertRecord& alert : app_->user().alerts())
        if (alert.kind != host::AlertRecord::Kind::Message) out.push_back(alert.text);
    return out;
}

} // namespace maptest
