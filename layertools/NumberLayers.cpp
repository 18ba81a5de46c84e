#include "layertools/NumberLayers.h"

#include "common/DialogValues.h"
#include "common/FieldDialog.h"
#include "common/HostText.h"
#include "common/SettingsTable.h"
#include "frame/HostSuites.h"
#include "layertools/TargetLayerRun.h"

#include <array>

// The dialog's controls, named in the resource script.
using namespace layernumbering;

namespace {

constexpr const char* kSelfProp = "CNumberLayers";

// Read and written in this order.
constexpr std::array<settings::Entry<CNumberLayers>, 10> kSettings = {{
    {"NL_Kind", &CNumberLayers::kind},
    {"NL_VisibleLayersOnly", &CNumberLayers::visibleOnly},
    {"NL_InitialNum", &CNumberLayers::initialNumber},
    {"NL_Step", &CNumberLayers::step},
    {"NL_AddStringBeforeNumber", &CNumberLayers::addBefore},
    {"NL_BeforeString", &CNumberLayers::beforeText},
    {"NL_AddStringAfterNumber", &CNumberLayers::addAfter},
    {"NL_AfterString", &CNumberLayers::afterText},
    {"NL_AddToCurrentTitle", &CNumberLayers::addToCurrentTitle},
    {"NL_AddNumberPos", &CNumberLayers::numberPosition},
}};

} // namespace

void CNumberLayers::ReadSettings() {
    settings::ReadAll(kSettings, *this);
}

void CNumberLayers::WriteSettings() const {
    settings::WriteAll(kSettings, *this);
}

HostErr CNumberLayers::Run() {
    int64_t numbered = 0;
    return RunOnTargetLayers(*this, [&](HostLayerHandle layer) {
        // In 64 bits: the numbers go on past the 32-bit range.
        const HostErr err = NumberLayer(layer, initialNumber + numbered * step);
        if (err == kHostNoErr) ++numbered;
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

bool CNumberLayers::ReadFromDialog(WsWindow dialog) {
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
    // The numbering takes whatever was typed.
    return true;
}

intptr_t CNumberLayers::DialogProc(WsWindow dialog, uint32_t message, WsWParam wParam,
                                   WsLParam lParam) {
    static constexpr auto Enable = [](WsWindow window, int32_t) { ApplyEnabling(window); };
    static constexpr ControlAction kControls[] = {
        {kAddBeforeId, WS_BN_CLICKED, Enable},
        {kAddAfterId, WS_BN_CLICKED, Enable},
        {kAddToTitleId, WS_BN_CLICKED, Enable},
    };
    static constexpr FieldDialog<CNumberLayers> kDialog{
        kSelfProp, ShowBlock<CNumberLayers, &CNumberLayers::ShowInDialog>, kControls,
        ReadBlock<CNumberLayers, &CNumberLayers::ReadFromDialog>};
    return kDialog.Procedure(dialog, message, wParam, lParam);
}
