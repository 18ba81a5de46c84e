#include "layertools/ReplaceLayerTitle.h"

#include "common/DialogValues.h"
#include "common/FieldDialog.h"
#include "common/HostText.h"
#include "common/SettingsTable.h"
#include "frame/CommandOps.h"
#include "frame/HostSuites.h"
#include "layertools/TargetLayerRun.h"

#include <array>

// The dialog's controls, named in the resource script.
using namespace layerreplace;

namespace {

constexpr const char* kSelfProp = "CReplaceLayerTitle";

bool IsDigit(uint32_t c) {
    return (c >= 0x30 && c <= 0x39) || (c >= 0xFF10 && c <= 0xFF19);
}

// Read and written in this order.
constexpr std::array<settings::Entry<CReplaceLayerTitle>, 9> kSettings = {{
    {"RL_DestLayerKind", &CReplaceLayerTitle::kind},
    {"RL_VisibleLayersOnly", &CReplaceLayerTitle::visibleOnly},
    {"RL_ReplaceType", &CReplaceLayerTitle::operation},
    {"RL_SearchString", &CReplaceLayerTitle::searchText},
    {"RL_ReplaceString", &CReplaceLayerTitle::replaceText},
    {"RL_InsertString", &CReplaceLayerTitle::insertText},
    {"RL_InsertPos", &CReplaceLayerTitle::insertPosition},
    {"RL_Delimiter", &CReplaceLayerTitle::delimiter},
    {"RL_DeleteWithDelimiter", &CReplaceLayerTitle::deleteWithDelimiter},
}};

} // namespace

void CReplaceLayerTitle::ReadSettings() {
    settings::ReadAll(kSettings, *this);
}

void CReplaceLayerTitle::WriteSettings() const {
    settings::WriteAll(kSettings, *this);
}

HostErr CReplaceLayerTitle::Run() {
    return RunOnTargetLayers(*this,
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
    static constexpr auto Enable = [](WsWindow window, int32_t) { ApplyEnabling(window); };
    static constexpr ControlAction kControls[] = {
        {kReplaceRadioId, WS_BN_CLICKED, Enable},
        {kInsertRadioId, WS_BN_CLICKED, Enable},
        {kDigitsRadioId, WS_BN_CLICKED, Enable},
        {kDelimiterRadioId, WS_BN_CLICKED, Enable},
    };
    static constexpr FieldDialog<CReplaceLayerTitle> kDialog{
        kSelfProp, ShowBlock<CReplaceLayerTitle, &CReplaceLayerTitle::ShowInDialog>, kControls,
        ReadBlock<CReplaceLayerTitle, &CReplaceLayerTitle::ReadFromDialog>};
    return kDialog.Procedure(dialog, message, wParam, lParam);
}
