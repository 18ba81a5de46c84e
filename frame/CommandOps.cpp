#include "frame/CommandOps.h"

#include "frame/HostSuites.h"
#include "hostapi/wrappers/UnicodeString.h"

#include <string>

namespace frame {

namespace {

/** Owns a host file path made by the module. */
class FilePathOwner {
public:
    FilePathOwner() = default;
    FilePathOwner(const FilePathOwner&) = delete;
    FilePathOwner& operator=(const FilePathOwner&) = delete;
    ~FilePathOwner() {
        if (path_ != nullptr) sFilePath->DisposeFilePath(path_);
    }

    HostErr Make() { return sFilePath->NewFilePath(&path_); }
    HostFilePath get() const { return path_; }

private:
    HostFilePath path_ = nullptr;
};

/** The file name (with extension) of the module the host loaded for pluginRef. */
HostErr ModuleFileName(HostPluginRef pluginRef, std::string& fileName) {
    if (sPlugins == nullptr || sFilePath == nullptr) return kHostErrSuiteNotFound;
    HostPlatformFileSpec spec{};
    if (const HostErr err = sPlugins->GetPluginFileSpecification(pluginRef, &spec)) return err;
    spec.path[sizeof spec.path - 1] = '\0';
    FilePathOwner path;
    if (const HostErr err = path.Make()) return err;
    if (const HostErr err = sFilePath->SetFromPlatformFileSpec(path.get(), &spec)) return err;
    ai::UnicodeString name;
    if (const HostErr err = sFilePath->GetFileName(path.get(), 1, name.Receive(sUnicodeString)))
        return err;
    return name.GetUTF8(fileName);
}

HostErr MakeText(std::string_view text, ai::UnicodeString& out) {
    return ai::UnicodeString::Make(sUnicodeString, text, out);
}

/** Puts the question to the user with alert; answer is 0 unless the alert answered. */
template <class Alert> HostErr Ask(std::string_view text, int32_t& answer, Alert alert) {
    answer = 0;
    if (sUser == nullptr) return kHostErrSuiteNotFound;
    ai::UnicodeString string;
    if (const HostErr err = MakeText(text, string)) return err;
    int32_t result = 0;
    if (const HostErr err = alert(string.get(), &result)) return err;
    answer = result;
    return kHostNoErr;
}

} // namespace

HostErr FindDialogModule(HostPluginRef pluginRef, HostPlatformWindow& owner, WsModule& module) {
    owner = nullptr;
    module = nullptr;
    if (sContext == nullptr) return kHostErrSuiteNotFound;
    if (const HostErr err = sContext->GetPlatformAppWindow(&owner)) return err;
    std::string fileName;
    if (const HostErr err = ModuleFileName(pluginRef, fileName)) return err;
    module = WsGetModuleHandle(fileName.c_str());
    return module != nullptr ? kHostNoErr : kHostErrNotFound;
}

HostErr RunModalDialog(HostPluginRef pluginRef, int32_t dialogId, WsDialogProc procedure,
                       WsLParam parameter) {
    HostPlatformWindow owner = nullptr;
    WsModule module = nullptr;
    if (const HostErr err = FindDialogModule(pluginRef, owner, module)) return err;
    const intptr_t result = WsDialogBoxParam(module, dialogId, owner, procedure, parameter);
    // -1: the template is missing or the dialog could not be made.
    if (result == -1) return kHostErrNotFound;
    return static_cast<HostErr>(result);
}

void MessageAlert(std::string_view text) {
    ai::UnicodeString string;
    if (sUser == nullptr || MakeText(text, string) != kHostNoErr) return;
    sUser->MessageAlert(string.get());
}

HostErr OKCancelAlert(std::string_view text, int32_t& answer) {
    return Ask(text, answer, [](HostUString question, int32_t* result) {
        return sUser->OKCancelAlert(question, 1, result);
    });
}

HostErr YesNoAlert(std::string_view text, int32_t& answer) {
    return Ask(text, answer, [](HostUString question, int32_t* result) {
        return sUser->YesNoAlert(question, result);
    });
}

int32_t OKCancelAlert(std::string_view text) {
    int32_t answer = 0;
    return OKCancelAlert(text, answer) == kHostNoErr ? answer : 0;
}

int32_t YesNoAlert(std::string_view text) {
    int32_t answer = 0;
    return YesNoAlert(text, answer) == kHostNoErr ? answer : 0;
}

void SetProgressText(std::string_view text) {
    ai::UnicodeString string;
    if (sUser == nullptr || MakeText(text, string) != kHostNoErr) return;
    sUser->SetProgressText(string.get());
}

void SetProgressValue(int32_t current, int32_t maximum) {
    if (sUser != nullptr) sUser->UpdateProgress(current, maximum);
}

bool CancelRequested() {
    return sUser != nullptr && sUser->Cancel() != 0;
}

} // namespace frame
