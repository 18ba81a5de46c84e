#include "DeskHost.h"

#include "host/core/Errors.h"
#include "host/loader/ModuleLocation.h"
#include "host/svg/SvgFile.h"

namespace desk {
DeskHost::DeskHost(DeskHostOptions options) : options_(std::move(options)) {
    host::ApplicationOptions appOptions;
    appOptions.preferencesFile = options_.preferencesFile;
    app_ = std::make_unique<host::Application>(std::move(appOptions));
}

DeskHost::~DeskHost() {
    // The module hears of the shut-down while its document is still open.
    app_->shutdown();
    session_.reset();
    app_.reset();
}

HostErr DeskHost::start(std::string* message) {
    // Panels read the scale when they make their controls, at the module's start-up.
    app_->setScaleFactors(options_.interfaceScale, 1.0);
    try {
        module_ = &app_->loadModule(host::locateModule(options_.pluginPath));
    } catch (const host::HostError& e) {
        if (message != nullptr) *message = e.what();
        return e.code();
    }
    const HostErr result = app_->startModules();
    if (result != kHostNoErr && message != nullptr) *message = host::describeCode(result);
    return result;
}

host::Document* DeskHost::document() const {
    return session_ ? &session_->document() : nullptr;
}

void DeskHost::replaceDocument(std::unique_ptr<host::Document> document) {
    session_.reset();
    session_ = std::make_unique<host::DocumentSession>(*app_, std::move(document));
    touch();
}

bool DeskHost::open(const std::filesystem::path& path, std::string* message) {
    host::SvgLoadResult loaded = host::loadSvgFile(path);
    if (!loaded.document) {
        if (message != nullptr) *message = loaded.message;
        return false;
    }
    loaded.document->filePath = path.string();
    replaceDocument(std::move(loaded.document));
    path_ = path;
    modified_ = false;
    undo_.clear();
    redo_.clear();
    return true;
}

bool DeskHost::save(const std::filesystem::path& path, std::string* message) {
    const host::Document* doc = document();
    if (doc == nullptr) return false;
    std::string error;
    if (host::saveSvgFile(*doc, path, error) != kHostNoErr) {
        if (message != nullptr) *message = error;
        return false;
    }
    path_ = path;
    modified_ = false;
    return true;
}

DeskHost::State DeskHost::snapshot() const {
    State state;
    std::string error;
    if (const host::Document* doc = document()) {
        if (host::writeSvgText(*doc, state.svg, error) != kHostNoErr) state.svg.clear();
        state.identity = doc->identity();
    }
    return state;
}

bool DeskHost::restore(const State& state) {
    if (state.svg.empty()) return false;
    host::SvgLoadResult loaded = host::loadSvgText(path_.string(), state.svg);
    if (!loaded.document) return false;
    // Links in the copy are relative to the folder the map was read from, which a save
    // elsewhere does not change.
    const host::Document* current = document();
    loaded.document->filePath = current != nullptr ? current->filePath : path_.string();
    // A copy that does not pair up keeps handles of its own: a stale one is then refused.
    loaded.document->adoptIdentity(state.identity);
    replaceDocument(std::move(loaded.document));
    return true;
}

HostErr DeskHost::runMenuItem(host::MenuItem& item) {
    const State before = session_ ? snapshot() : State();
    app_->user().clearFailure();
    const HostErr result = app_->chooseMenuItem(item.handle());
    touch();
    if (!session_) return result;
    if (snapshot().svg == before.svg) return result;
    if (result != kHostNoErr) {
        // Nothing of a command that did not finish stays in the document.
        restore(before);
        return result;
    }
    std::string name = item.text;
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.pop_back();
    undo_.push_back({std::move(name), before, modified_});
    redo_.clear();
    modified_ = true;
    return result;
}

void DeskHost::beginChange() {
    pending_ = snapshot();
}

void DeskHost::endChange(std::string name) {
    touch();
    State before = std::move(pending_);
    pending_ = State();
    if (before.svg.empty() || snapshot().svg == before.svg) return;
    undo_.push_back({std::move(name), std::move(before), modified_});
    redo_.clear();
    modified_ = true;
}

const std::string& DeskHost::undoName() const {
    static const std::string none;
    return undo_.empty() ? none : undo_.back().name;
}

const std::string& DeskHost::redoName() const {
    static const std::string none;
    return redo_.empty() ? none : redo_.back().name;
}

bool DeskHost::undo() {
    if (undo_.empty()) return false;
    Snapshot step = std::move(undo_.back());
    undo_.pop_back();
    Snapshot current{step.name, snapshot(), modified_};
    if (!restore(step.state)) return false;
    modified_ = step.modified;
    redo_.push_back(std::move(current));
    return true;
}

bool DeskHost::redo() {
    if (redo_.empty()) return false;
    Snapshot step = std::move(redo_.back());
    redo_.pop_back();
    Snapshot current{step.name, snapshot(), modified_};
    if (!restore(step.state)) return false;
    modified_ = true;
    undo_.push_back(std::move(current));
    return true;
}

} // namespace desk
