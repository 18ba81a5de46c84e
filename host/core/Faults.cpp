#include "host/core/Faults.h"

#include "host/core/SuiteContext.h"

#include <map>
#include <mutex>

namespace host {
namespace {

struct OperationTable {
    std::mutex mutex;
    std::vector<std::pair<std::string, std::string>> names; // by OperationId
    std::map<std::pair<std::string, std::string>, OperationId, std::less<>> ids;
};

OperationTable& table() {
    static OperationTable instance;
    return instance;
}

bool matches(std::string_view rule, const std::pair<std::string, std::string>& op) {
    if (rule == kEveryOperation) return true;
    const auto slash = rule.find('/');
    if (slash == std::string_view::npos) return rule == op.second;
    return rule.substr(0, slash) == op.first && rule.substr(slash + 1) == op.second;
}

} // namespace

OperationId registerOperation(std::string_view suite, std::string_view operation) {
    OperationTable& t = table();
    std::lock_guard lock(t.mutex);
    auto key = std::make_pair(std::string(suite), std::string(operation));
    if (auto it = t.ids.find(key); it != t.ids.end()) return it->second;
    const auto id = static_cast<OperationId>(t.names.size());
    t.names.push_back(key);
    t.ids.emplace(std::move(key), id);
    return id;
}

std::string operationName(OperationId id) {
    OperationTable& t = table();
    std::lock_guard lock(t.mutex);
    if (id >= t.names.size()) return {};
    return t.names[id].first + "/" + t.names[id].second;
}

void Faults::failAcquisition(std::uint64_t nth, HostErr code) {
    acquisitionRules_.push_back({nth, code});
}

void Faults::failOperation(std::string_view name, HostErr code, std::uint64_t onCall) {
    operationRules_.push_back({std::string(name), code, onCall});
}

void Faults::failCall(std::uint64_t nth, HostErr code) {
    callRules_.push_back({nth, code});
}

void Faults::atCall(std::uint64_t nth, std::function<void()> action) {
    callActions_.push_back({nth, std::move(action)});
}

void Faults::clear() {
    callActions_.clear();
    operationRules_.clear();
    acquisitionRules_.clear();
    callRules_.clear();
}

std::uint64_t Faults::calls(std::string_view name) const {
    OperationTable& t = table();
    std::lock_guard lock(t.mutex);
    std::uint64_t total = 0;
    for (std::size_t id = 0; id < calls_.size() && id < t.names.size(); ++id)
        if (matches(name, t.names[id])) total += calls_[id];
    return total;
}

HostErr Faults::enterOperation(OperationId id) {
    if (id >= calls_.size()) calls_.resize(id + 1, 0);
    ++calls_[id];
    ++totalCalls_;
    if (operationRules_.empty() && callRules_.empty() && callActions_.empty()) return kHostNoErr;
    // Every suite call passes here: the rules are looked at out of line, so that the
    // common case sets up no frame for them.
    return applyRules(id);
}

HostErr Faults::applyRules(OperationId id) {
    for (CallAction& rule : callActions_)
        if (++rule.seen == rule.nth && rule.action) rule.action();
    HostErr result = kHostNoErr;
    for (AcquisitionRule& rule : callRules_) {
        ++rule.seen;
        if (rule.seen == rule.nth && result == kHostNoErr) result = rule.code;
    }
    std::pair<std::string, std::string> op;
    {
        OperationTable& t = table();
        std::lock_guard lock(t.mutex);
        op = t.names.at(id);
    }
    for (OperationRule& rule : operationRules_) {
        if (!matches(rule.name, op)) continue;
        ++rule.seen;
        const bool fires = rule.onCall == kEveryCall || rule.seen == rule.onCall;
        if (fires && result == kHostNoErr) result = rule.code;
    }
    if (result != kHostNoErr) {
        ++fired_;
        lastFired_ = op.first + "/" + op.second;
    }
    return result;
}

HostErr Faults::enterAcquisition() {
    ++acquisitions_;
    HostErr result = kHostNoErr;
    for (AcquisitionRule& rule : acquisitionRules_) {
        ++rule.seen;
        if (rule.seen == rule.nth && result == kHostNoErr) result = rule.code;
    }
    if (result != kHostNoErr) ++fired_;
    return result;
}

HostErr checkOperation(OperationId id) noexcept {
    SuiteContext* app = SuiteContext::current();
    if (app == nullptr) return kHostErrCant;
    try {
        return app->faults().enterOperation(id);
    } catch (...) {
        return kHostErrMemory;
    }
}

} // namespace host
