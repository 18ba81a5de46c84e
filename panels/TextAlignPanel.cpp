#include "panels/TextAlignPanel.h"

#include "frame/HostSuites.h"
#include "panels/PanelSupport.h"
#include "resources/CartovelResources.h"

namespace {

constexpr const char* kIdentifier = "MvCartovel1.5TextAlignPanelID";
constexpr const char* kTitle = "テキスト原点";

} // namespace

CTextAlignPanel::CTextAlignPanel(HostPluginRef pluginRef)
    : CMvPanel(pluginRef), buttons_(std::make_unique<TextAlignButtons>(*this)) {}

// The buttons go before their icons.
CTextAlignPanel::~CTextAlignPanel() {
    Detach();
}

void CTextAlignPanel::UpdateTheme() {
    UpdateThemeAndIcon(textalign::kLightIcon, textalign::kDarkIcon);
}

HostErr CTextAlignPanel::SetupPanel() {
    return SetupAs(kIdentifier, kTitle, {144.0, 24.0}, 0);
}

HostErr CTextAlignPanel::CreateControls() {
    buttons_->Create(window_, moduleInstance_);
    // Waiting for the first document change would leave the buttons dead on a document
    // that is already open.
    OnDocumentChanged();
    return kHostNoErr;
}

bool CTextAlignPanel::HandleMessage(WsLResult& result, WsWindow window, uint32_t message,
                                    WsWParam wParam, WsLParam lParam) {
    if (buttons_->HandleMessage(result, window, message, wParam, lParam)) return true;
    return CMvPanel::HandleMessage(result, window, message, wParam, lParam);
}

void CTextAlignPanel::OnDocumentChanged() {
    int32_t count = 0;
    if (sLayer == nullptr || sLayer->CountLayers(&count) != kHostNoErr) count = 0;
    buttons_->EnableAll(count > 0);
}
