#include "layertools/NumberLayers.h"

#include "common/DialogValues.h"
#include "common/HostText.h"
#include "common/SettingsStore.h"
#include "frame/CommandOps.h"
#include "frame/HostSuites.h"
#include "layertools/TextSettings.h"

// The dialog's controls, named in the resource script.
using namespace layernumbering;

namespace {

constexpr const char* kSelfProp = "CNumberLayers";

} // namespace

void CNumberLayers::ReadSettings() {
    settings::ReadInteger("NL_Kind", kind);
    settings::ReadBoolean("NL_VisibleLayersOnly", visibleOnly);
    settings::ReadInteger("NL_InitialNum", initialNumber);
    settings::ReadInteger("NL_Step", step);
    settings::ReadBoolean("NL_AddStringBeforeNumber", addBefore);
    ReadTextSetting("NL_BeforeString", beforeText);
    settings::ReadBoolean("NL_AddStringAfterNumber", addAfter);
    ReadTextSetting("NL_AfterString", afterText);
    settings::ReadBoolean("NL_AddToCurrentTitle", addToCurrentTitle);
    settings::ReadInteger("NL_AddNumberPos", numberPosition);
}

void CNumberLayers::WriteSettings() const {
    settings::WriteInteger("NL_Kind", kind);
    settings::WriteBoolean("NL_VisibleLayersOnly", visibleOnly);
    settings::WriteInteger("NL_InitialNum", initialNumber);
    settings::WriteInteger("NL_Step", step);
    settings::WriteBoolean("NL_AddStringBeforeNumber", addBefore);
    WriteTextSetting("NL_BeforeString", beforeText);
    settings::WriteBoolean("NL_AddStringAfterNumber", addAfter);
    WriteTextSetting("NL_AfterString", afterText);
    settings::WriteBoolean("NL_AddToCurrentTitle", addToCurrentTitle);
    settings::WriteInteger("NL_AddNumberPos", numberPosition);
}

HostErr CNumberLayers::Run() {
    ReadSettings();
    if (const HostErr err = frame::RunModalDialog(pluginRef, kDialogId, DialogProc,
                                                  reinterpret_cast<WsLParam>(this)))
        return err;
    WriteSettings();
    int64_t n = initialNumber;
    return ForEachTargetLayer(kind, visibleOnly, [&](HostLayerHandle layer) {
        const HostErr err = NumberLayer(layer, n);
        if (err == kHostNoErr) n += step;
        return err;
    });
}

std::string CNumberLayers::NumberingText(int64_t n) const {
    std::string text;
    if (addBefore) text += beforeText;
    text += std::to_string(n);
    if (addAfter) text += afterText;
    return text;
}

HostErr CNumberLayers::NumberLayer(HostLayerHandle layer, int64_t n) const {
    if (sLayer == nullptr) return kHostErrSuiteNotFound;
    const std::string number = NumberingText(n);
    std::string title = number;
    if (addToCurrentTitle) {
        ai::UnicodeString present;
        if (const HostErr err = NewText({}, present)) return err;
        if (const HostErr err = sLayer->GetLayerTitle(layer, present.get())) return err;
        std::string presentText;
        if (const HostErr err = TextToUTF8(present.get(), presentText)) return err;
        title = numberPosition == 0 ? number + presentText : presentText + number;
    }
    ai::UnicodeString newTitle;
    if (const HostErr err = NewText(title, newTitle)) return err;
    return sLayer->SetLayerTitle(layer, newTitle.get());
}

// ---- dialog 125 ----

void CNumberLayers::ApplyEnabling(WsWindow dialog) {
    EnableField(dialog, kBeforeTextId, IsChecked(dialog, kAddBeforeId));
    EnableField(dialog, kAfterTextId, IsChecked(dialog, kAddAfterId));
    const bool joined = IsChecked(dialog, kAddToTitleId);
    EnableField(dialog, kNumberInFrontId, joined);
    EnableField(dialog, kNumberBehindId, joined);
}

void CNumberLayers::ShowInDialog(WsWindow dialog) const {
    FillTargetKindCombo(dialog, kTargetKindComboId, kind);
    SetChecked(dialog, kVisibleOnlyId, visibleOnly);
    SetFieldInt(dialog, kInitialNumberId, initialNumber);
    SetFieldInt(dialog, kStepId, step);
    SetChecked(dialog, kAddBeforeId, addBefore);
    SetFieldText(dialog, kBeforeTextId, beforeText);
    SetChecked(dialog, kAddAfterId, addAfter);
    SetFieldText(dialog, kAfterTextId, afterText);
    SetChecked(dialog, kAddToTitleId, addToCurrentTitle);
    SetChecked(dialog, kNumberInFrontId, numberPosition == 0);
    SetChecked(dialog, kNumberBehindId, numberPosition == 1);
    ApplyEnabling(dialog);
}

void CNumberLayers::ReadFromDialog(WsWindow dialog) {
    kind = ReadTargetKindCombo(dialog, kTargetKindComboId);
    visibleOnly = IsChecked(dialog, kVisibleOnlyId);
    initialNumber = ReadFieldInt(dialog, kInitialNumberId);
    step = ReadFieldInt(dialog, kStepId);
    addBefore = IsChecked(dialog, kAddBeforeId);
    beforeText = ReadFieldText(dialog, kBeforeTextId);
    addAfter = IsChecked(dialog, kAddAfterId);
    afterText = ReadFieldText(dialog, kAfterTextId);
    addToCurrentTitle = IsChecked(dialog, kAddToTitleId);
    numberPosition = IsChecked(dialog, kNumberInFrontId) ? 0 : 1;
}

intptr_t CNumberLayers::DialogProc(WsWindow dialog, uint32_t message, WsWParam wParam,
                                   WsLParam lParam) {
    if (message == WS_INITDIALOG) {
        auto* self = reinterpret_cast<CNumberLayers*>(lParam);
        WsSetProp(dialog, kSelfProp, self);
        if (self != nullptr) self->ShowInDialog(dialog);
        return 1;
    }
    auto* self = static_cast<CNumberLayers*>(WsGetProp(dialog, kSelfProp));
    if (message != WS_COMMAND || self == nullptr || WS_HIWORD(wParam) != WS_BN_CLICKED) return 0;
    switch (WS_LOWORD(wParam)) {
    case kAddBeforeId:
    case kAddAfterId:
    case kAddToTitleId:
        ApplyEnabling(dialog);
        return 1;
    case WS_IDOK:
        self->ReadFromDialog(dialog);
        WsEndDialog(dialog, kHostNoErr);
        return 1;
    case WS_IDCANCEL:
        WsEndDialog(dialog, kHostErrCancelled);
        return 1;
    default:
        return 0;
    }
}
