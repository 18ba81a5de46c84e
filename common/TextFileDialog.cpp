#include "common/TextFileDialog.h"

#include "common/MvFile.h"
#include "frame/CommandOps.h"

#include <array>
#include <string>

namespace {

struct EncodingEntry {
    const char* text;
    int32_t code;
};

constexpr std::array<EncodingEntry, 3> kEncodings = {{
    {"シフトJIS", kEncodingShiftJIS},
    {"UTF-8", kEncodingUTF8},
    {"UTF-16", kEncodingUTF16},
}};

/** Room for the chosen path: 66 560 characters of up to four UTF-8 bytes. */
constexpr size_t kFileBufferBytes = 66560 * 4;

/** "Text Files(*.txt)\0*.txt\0...\0\0" */
std::string FilterText(std::span<const FileFilter> filters) {
    std::string out;
    for (const FileFilter& f : filters) {
        out.append(f.description).push_back('\0');
        out.append(f.pattern).push_back('\0');
    }
    out.push_back('\0');
    return out;
}

/** The remembered folder's full path when that folder exists; empty otherwise. */
std::string StartFolder(HostFilePath folder) {
    if (folder == nullptr) return {};
    std::string text;
    if (FullPathOf(folder, text) != kHostNoErr || text.empty()) return {};
    CFilePath copy;
    bool exists = false;
    bool isFolder = false;
    if (copy.MakeFrom(text) != kHostNoErr || copy.Exists(exists, &isFolder) != kHostNoErr ||
        !isFolder)
        return {};
    return text;
}

} // namespace

intptr_t TextFileDialogHook(WsWindow dialog, uint32_t message, WsWParam, WsLParam lParam) {
    if (message == WS_INITDIALOG) {
        WsSendDlgItemMessage(dialog, kEncodingListId, WS_CB_RESETCONTENT, 0, 0);
        for (const EncodingEntry& e : kEncodings) {
            const WsLResult at = WsSendDlgItemMessage(dialog, kEncodingListId, WS_CB_ADDSTRING, 0,
                                                      reinterpret_cast<WsLParam>(e.text));
            if (at >= 0)
                WsSendDlgItemMessage(dialog, kEncodingListId, WS_CB_SETITEMDATA,
                                     static_cast<WsWParam>(at), e.code);
        }
        WsSendDlgItemMessage(dialog, kEncodingListId, WS_CB_SETCURSEL, 0, 0);
        return 0;
    }
    if (message == WS_NOTIFY && lParam != 0) {
        const auto* notify = reinterpret_cast<const WsOfNotify*>(lParam);
        if (notify->code != WS_CDN_FILEOK || notify->ofn == nullptr) return 0;
        auto* encoding = reinterpret_cast<int32_t*>(notify->ofn->customData);
        const WsLResult selected =
            WsSendDlgItemMessage(dialog, kEncodingListId, WS_CB_GETCURSEL, 0, 0);
        if (encoding != nullptr && selected >= 0)
            *encoding = static_cast<int32_t>(WsSendDlgItemMessage(
                dialog, kEncodingListId, WS_CB_GETITEMDATA, static_cast<WsWParam>(selected), 0));
        return 0;
    }
    return 0;
}

HostErr ShowTextFileDialog(HostPluginRef pluginRef, bool save, std::string_view title,
                           std::string_view defaultName, std::span<const FileFilter> filters,
                           std::string_view defaultExt, HostFilePath folder,
                           std::vector<CFilePath>& chosen, int32_t& encoding) {
    HostPlatformWindow owner = nullptr;
    WsModule module = nullptr;
    if (const HostErr err = frame::FindDialogModule(pluginRef, owner, module)) return err;

    std::string file(kFileBufferBytes, '\0');
    file.replace(0, std::min(defaultName.size(), file.size() - 1), defaultName);
    const std::string titleText(title);
    const std::string filterText = FilterText(filters);
    const std::string extension(defaultExt);
    const std::string startFolder = StartFolder(folder);
    int32_t chosenEncoding = kEncodingShiftJIS;

    WsOpenFileName ofn{};
    ofn.owner = owner;
    ofn.module = module;
    ofn.templateId = kTextFileDialogTemplate;
    ofn.filter = filterText.c_str();
    ofn.filterIndex = 1;
    ofn.file = file.data();
    ofn.fileSize = file.size();
    ofn.initialDir = startFolder.empty() ? nullptr : startFolder.c_str();
    ofn.title = titleText.c_str();
    ofn.defaultExt = extension.empty() ? nullptr : extension.c_str();
    ofn.flags = WS_OFN_HIDEREADONLY | WS_OFN_PATHMUSTEXIST | WS_OFN_FILEMUSTEXIST |
                WS_OFN_EXPLORER | WS_OFN_ENABLESIZING | WS_OFN_ENABLETEMPLATE | WS_OFN_ENABLEHOOK;
    ofn.customData = reinterpret_cast<WsLParam>(&chosenEncoding);
    ofn.hook = TextFileDialogHook;

    const int ok = save ? WsGetSaveFileName(&ofn) : WsGetOpenFileName(&ofn);
    if (!ok) return kHostErrCancelled;

    CFilePath path;
    if (const HostErr err = path.MakeFrom(file.c_str())) return err;
    chosen.push_back(std::move(path));
    encoding = chosenEncoding;
    return kHostNoErr;
}
