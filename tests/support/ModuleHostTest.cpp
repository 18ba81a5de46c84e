#include "support/ModuleHostTest.h"

#include "host/core/Menus.h"

namespace cartotest {

namespace {

/** Texts of the alerts that are messages (or, with messages false, questions). */
std::vector<std::string> AlertTexts(host::Application& app, bool messages) {
    std::vector<std::string> out;
    for (const host::AlertRecord& alert : app.user().alerts())
        if ((alert.kind == host::AlertRecord::Kind::Message) == messages) out.push_back(alert.text);
    return out;
}

} // namespace

void ModuleHostTest::SetUp() {
    prefs_ = dir() / "prefs" / "preferences.json";
    StartHost();
}

void ModuleHostTest::TearDown() {
    StopHost();
}

void ModuleHostTest::StartHost() {
    host::ApplicationOptions options;
    options.preferencesFolder = prefs_.parent_path();
    options.preferencesFile = prefs_;
    options.documentsFolder = dir();
    app_ = std::make_unique<host::Application>(options);
    module_ = &app_->loadModule(CARTOVEL_MODULE_PATH);
    responder_ = std::make_unique<host::ScriptedResponder>();
    app_->user().setResponder(responder_.get());
    Script({});
}

void ModuleHostTest::StopHost() {
    session_.reset();
    agent_.reset();
    if (app_) app_->user().setResponder(nullptr);
    app_.reset();
    module_ = nullptr;
}

void ModuleHostTest::RestartHost() {
    StopHost();
    StartHost();
}

host::Document& ModuleHostTest::OpenSession(std::unique_ptr<host::Document> document) {
    session_.reset();
    session_ = std::make_unique<host::DocumentSession>(*app_, std::move(document));
    return doc();
}

void ModuleHostTest::Script(std::vector<ws::ScriptedUser::Action> actions) {
    agent_.reset();
    user_ = std::make_unique<ws::ScriptedUser>(std::move(actions));
    agent_ = std::make_unique<ws::ScopedUserAgent>(*user_);
}

void ModuleHostTest::Answers(std::vector<host::Answer> answers) {
    for (host::Answer a : answers)
        responder_->addAnswer(a);
}

std::vector<std::string> ModuleHostTest::Messages() const {
    return AlertTexts(*app_, true);
}

std::vector<std::string> ModuleHostTest::Questions() const {
    return AlertTexts(*app_, false);
}

void ModuleHostTest::StartModule() {
    ASSERT_EQ(app_->startModules(), kHostNoErr);
}

HostErr ModuleHostTest::ChooseMenu(const std::string& text) {
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

} // namespace cartotest
