#include "layertools/ReplaceLayerTitle.h"

#include "common/DialogValues.h"
#include "common/HostText.h"
#include "common/SettingsStore.h"
#include "frame/CommandOps.h"
#include "frame/HostSuites.h"
#include "layertools/TextSettings.h"

// The dialog's controls, named in the resource script.
using namespace layerreplace;

namespace {

constexpr const char* kSelfProp = "CReplaceLayerTitle";

bool IsDigit(uint32_t c) {
    return (c >= 0x30 && c <= 0x39) || (c >= 0xFF10 && c <= 0xFF19);
}

} // namespace

void CReplaceLayerTitle::ReadSettings() {
    settings::ReadInteger("RL_DestLayerKind", kind);
    settings::ReadBoolean("RL_VisibleLayersOnly", visibleOnly);
    settings::ReadInteger("RL_ReplaceType", operation);
    ReadTextSetting("RL_SearchString", searchText);
    ReadTextSetting("RL_ReplaceString", replaceText);
    ReadTextSetting("RL_InsertString", insertText);
    settings::ReadInteger("RL_InsertPos", insertPosition);
    ReadTextSetting("RL_Delimiter", delimiter);
    settings::ReadBoolean("RL_DeleteWithDelimiter", deleteWithDelimiter);
}

void CReplaceLayerTitle::WriteSettings() const {
    settings::WriteInteger("RL_DestLayerKind", kind);
    settings::WriteBoolean("RL_VisibleLayersOnly", visibleOnly);
    settings::WriteInteger("RL_ReplaceType", operation);
    WriteTextSetting("RL_SearchString", searchText);
    WriteTextSetting("RL_ReplaceString", replaceText);
    WriteTextSetting("RL_InsertString", insertText);
    settings::WriteInteger("RL_InsertPos", insertPosition);
    WriteTextSetting("RL_Delimiter", delimiter);
    settings::WriteBoolean("RL_DeleteWithDelimiter", deleteWithDelimiter);
}

HostErr CReplaceLayerTitle::Run() {
    ReadSettings();
    if (const HostErr err = frame::RunModalDialog(pluginRef, kDialogId, DialogProc,
                                                  reinterpret_cast<WsLParam>(this)))
        return err;
    WriteSettings();
    return ForEachTargetLayer(kind, visibleOnly,
                              [this](HostLayerHandle layer) { return EditLayerTitle(layer); });
}

HostErr CReplaceLayerTitle::EditLayerTitle(HostLayerHandle layer) const {
    if (sLayer == nullptr) return kHostErrSuiteNotFound;
    ai::UnicodeString title;
    if (const HostErr err = NewText({}, title)) return err;
    if (const HostErr err = sLayer->GetLayerTitle(layer, title.get())) return err;
    if (const HostErr err = EditTitle(title)) return err;
    return sLayer->SetLayerTitle(layer, title.get());
}

HostErr CReplaceLayerTitle::EditTitle(ai::UnicodeString& title) const {
    switch (operation) {
    case kReplaceText:
        return ReplaceAll(title);
    case kInsertText:
        return Insert(title);
    case kDeleteLeadingDigits:
        return DeleteLeadingDigits(title);
    case kDeleteUpToText:
        return DeleteUpToDelimiter(title);
    default:
        return kHostNoErr;
    }
}

HostErr CReplaceLayerTitle::ReplaceAll(ai::UnicodeString& title) const {
    // An empty search text would match at every position without ever moving on.
    if (searchText.empty()) return kHostNoErr;
    ai::UnicodeString search, replacement;
    if (const HostErr err = NewText(searchText, search)) return err;
    if (const HostErr err = NewText(replaceText, replacement)) return err;
    bool same = false;
    if (const HostErr err = TextEquals(search.get(), replacement.get(), same)) return err;
    if (same) return kHostNoErr;
    size_t searchLength = 0, replacementLength = 0;
    if (const HostErr err = TextLength(search.get(), searchLength)) return err;
    if (const HostErr err = TextLength(replacement.get(), replacementLength)) return err;

    size_t p = 0;
    if (const HostErr err = TextFind(title.get(), search.get(), 0, p)) return err;
    while (p != kHostUStringNotFound) {
        ai::UnicodeString edited, tail;
        if (const HostErr err = TextSubstring(title.get(), 0, p, edited)) return err;
        if (const HostErr err = TextAppend(edited.get(), replacement.get())) return err;
        if (const HostErr err =
                TextSubstring(title.get(), p + searchLength, kHostUStringNotFound, tail))
            return err;
        if (const HostErr err = TextAppend(edited.get(), tail.get())) return err;
        title = std::move(edited);
        // Resuming after the inserted text never finds the search text inside it.
        if (const HostErr err = TextFind(title.get(), search.get(), p + replacementLength, p))
            return err;
    }
    return kHostNoErr;
}

HostErr CReplaceLayerTitle::Insert(ai::UnicodeString& title) const {
    ai::UnicodeString inserted;
    if (const HostErr err = NewText(insertText, inserted)) return err;
    if (insertPosition != 0) return TextAppend(title.get(), inserted.get());
    if (const HostErr err = TextAppend(inserted.get(), title.get())) return err;
    title = std::move(inserted);
    return kHostNoErr;
}

HostErr CReplaceLayerTitle::DeleteLeadingDigits(ai::UnicodeString& title) const {
    size_t length = 0;
    if (const HostErr err = TextLength(title.get(), length)) return err;
    size_t digits = 0;
    for (; digits < length; ++digits) {
        uint32_t c = 0;
        if (const HostErr err = TextCharAt(title.get(), digits, c)) return err;
        if (!IsDigit(c)) break;
    }
    return digits == 0 ? kHostNoErr : TextErase(title.get(), 0, digits);
}

HostErr CReplaceLayerTitle::DeleteUpToDelimiter(ai::UnicodeString& title) const {
    ai::UnicodeString text;
    if (const HostErr err = NewText(delimiter, text)) return err;
    size_t p = 0;
    if (const HostErr err = TextFind(title.get(), text.get(), 0, p)) return err;
    if (p == kHostUStringNotFound) return kHostNoErr;
    size_t count = p;
    if (deleteWithDelimiter) {
        size_t length = 0;
        if (const HostErr err = TextLength(text.get(), length)) return err;
        count += length;
    }
    return count == 0 ? kHostNoErr : TextErase(title.get(), 0, count);
}

// ---- dialog 126 ----

void CReplaceLayerTitle::ApplyEnabling(WsWindow dialog) {
    const bool replace = IsChecked(dialog, kReplaceRadioId);
    EnableField(dialog, kSearchTextId, replace);
    EnableField(dialog, kReplaceTextId, replace);
    const bool insert = IsChecked(dialog, kInsertRadioId);
    EnableField(dialog, kInsertTextId, insert);
    EnableField(dialog, kAtHeadId, insert);
    EnableField(dialog, kAtTailId, insert);
    const bool upTo = IsChecked(dialog, kDelimiterRadioId);
    EnableField(dialog, kDelimiterId, upTo);
    EnableField(dialog, kWithDelimiterId, upTo);
}

void CReplaceLayerTitle::ShowInDialog(WsWindow dialog) const {
    FillTargetKindCombo(dialog, kTargetKindComboId, kind);
    SetChecked(dialog, kVisibleOnlyId, visibleOnly);
    SetChecked(dialog, kReplaceRadioId, operation == kReplaceText);
    SetChecked(dialog, kInsertRadioId, operation == kInsertText);
    SetChecked(dialog, kDigitsRadioId, operation == kDeleteLeadingDigits);
    SetChecked(dialog, kDelimiterRadioId, operation == kDeleteUpToText);
    SetFieldText(dialog, kSearchTextId, searchText);
    SetFieldText(dialog, kReplaceTextId, replaceText);
    SetFieldText(dialog, kInsertTextId, insertText);
    SetChecked(dialog, kAtHeadId, insertPosition == 0);
    SetChecked(dialog, kAtTailId, insertPosition == 1);
    SetFieldText(dialog, kDelimiterId, delimiter);
    SetChecked(dialog, kWithDelimiterId, deleteWithDelimiter);
    ApplyEnabling(dialog);
}

bool CReplaceLayerTitle::ReadFromDialog(WsWindow dialog) {
    kind = ReadTargetKindCombo(dialog, kTargetKindComboId);
    visibleOnly = IsChecked(dialog, kVisibleOnlyId);
    if (IsChecked(dialog, kReplaceRadioId))
        operation = kReplaceText;
    else if (IsChecked(dialog, kInsertRadioId))
        operation = kInsertText;
    else if (IsChecked(dialog, kDigitsRadioId))
        operation = kDeleteLeadingDigits;
    else if (IsChecked(dialog, kDelimiterRadioId))
        operation = kDeleteUpToText;
    searchText = ReadFieldText(dialog, kSearchTextId);
    replaceText = ReadFieldText(dialog, kReplaceTextId);
    insertText = ReadFieldText(dialog, kInsertTextId);
    insertPosition = IsChecked(dialog, kAtHeadId) ? 0 : 1;
    delimiter = ReadFieldText(dialog, kDelimiterId);
    deleteWithDelimiter = IsChecked(dialog, kWithDelimiterId);

    if (operation == kReplaceText && searchText.empty()) {
        frame::MessageAlert("検索文字列を入力してください");
        return false;
    }
    if (operation == kInsertText && insertText.empty()) {
        frame::MessageAlert("挿入文字列を入力してください");
        return false;
    }
    if (operation == kDeleteUpToText && delimiter.empty()) {
        frame::MessageAlert("指定文字列を入力してください");
        return false;
    }
    return true;
}

intptr_t CReplaceLayerTitle::DialogProc(WsWindow dialog, uint32_t message, WsWParam wParam,
                                        WsLParam lParam) {
    if (message == WS_INITDIALOG) {
        auto* self = reinterpret_cast<CReplaceLayerTitle*>(lParam);
        WsSetProp(dialog, kSelfProp, self);
        if (self != nullptr) self->ShowInDialog(dialog);
        return 1;
    }
    auto* self = static_cast<CReplaceLayerTitle*>(WsGetProp(dialog, kSelfProp));
    if (message != WS_COMMAND || self == nullptr || WS_HIWORD(wParam) != WS_BN_CLICKED) return 0;
    switch (WS_LOWORD(wParam)) {
    case kReplaceRadioId:
    case kInsertRadioId:
    case kDigitsRadioId:
    case kDelimiterRadioId:
        ApplyEnabling(dialog);
        return 1;
    case WS_IDOK:
        if (self->ReadFromDialog(dialog)) WsEndDialog(dialog, kHostNoErr);
        return 1;
    case WS_IDCANCEL:
        WsEndDialog(dialog, kHostErrCancelled);
        return 1;
    default:
        return 0;
    }
}
