#include "DeskHost.h"

#include "host/core/Errors.h"
#include "host/loader/ModuleLocation.h"
#include "host/svg/SvgFile.h"

#include <utility>

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
    // A kept copy of the document going would pass for one of its successor.
    spare_.reset();
    pending_.reset();
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

std::unique_ptr<host::Document> DeskHost::takeCopy() {
    const host::Document* doc = document();
    if (doc == nullptr) return nullptr;
    if (spare_ && spare_->revision() == doc->revision()) return std::move(spare_);
    spare_.reset();
    return doc->copy();
}

void DeskHost::keepCopy(std::unique_ptr<host::Document> copy) {
    if (copy && !changedSince(*copy)) spare_ = std::move(copy);
}

bool DeskHost::changedSince(const host::Document& copy) const {
    const host::Document* doc = document();
    return doc != nullptr && doc->revision() != copy.revision();
}

void DeskHost::restore(std::unique_ptr<host::Document> state) {
    // Links in the copy are relative to the folder the map was read from, which a save
    // elsewhere does not change.
    if (const host::Document* current = document()) state->filePath = current->filePath;
    replaceDocument(std::move(state));
}

void DeskHost::pushUndo(std::string name, std::unique_ptr<host::Document> before) {
    undo_.push_back({std::move(name), std::move(before), modified_});
    redo_.clear();
    modified_ = true;
}

HostErr DeskHost::runMenuItem(host::MenuItem& item) {
    std::unique_ptr<host::Document> before = takeCopy();
    app_->user().clearFailure();
    const HostErr result = app_->chooseMenuItem(item.handle());
    // A command that opened or closed a document leaves nothing to compare with.
    if (!before || !changedSince(*before)) {
        keepCopy(std::move(before));
        return result;
    }
    if (result != kHostNoErr) {
        // Nothing of a command that did not finish stays in the document.
        restore(std::move(before));
        return result;
    }
    std::string name = item.text;
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.pop_back();
    pushUndo(std::move(name), std::move(before));
    return result;
}

void DeskHost::beginChange() {
    pending_ = takeCopy();
}

void DeskHost::endChange(std::string name) {
    std::unique_ptr<host::Document> before = std::move(pending_);
    if (!before || !changedSince(*before)) {
        keepCopy(std::move(before));
        return;
    }
    pushUndo(std::move(name), std::move(before));
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
    const bool modified = undo_.back().modified;
    return step(undo_, redo_, modified);
}

bool DeskHost::redo() {
    return step(redo_, undo_, true);
}

bool DeskHost::step(std::vector<Snapshot>& from, std::vector<Snapshot>& to, bool modified) {
    if (from.empty() || document() == nullptr) return false;
    Snapshot step = std::move(from.back());
    from.pop_back();
    to.push_back({step.name, document()->copy(), modified_});
    restore(std::move(step.state));
    modified_ = modified;
    return true;
}

} // namespace desk
