#include "panels/TextAlignButtons.h"

#include "frame/CommandOps.h"
#include "panels/PanelSupport.h"
#include "panels/TextAlignPanel.h"

TextAlignButtons::~TextAlignButtons() {
    for (WsIcon icon : icons_)
        if (icon != nullptr) WsDestroyIcon(icon);
}

void TextAlignButtons::Create(WsWindow parent, WsModule module) {
    parent_ = parent;
    module_ = module;
    scale_ = InterfaceScale();
    const int size = static_cast<int>(24 * scale_);
    for (size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i] =
            WsCreateWindow("BUTTON", kTextOrigins[i].meaning, WS_BS_PUSHBUTTON | WS_BS_ICON,
                           static_cast<int>(24 * scale_ * static_cast<double>(i)), 0, size, size,
                           parent, kFirstButtonId + static_cast<int32_t>(i), nullptr);
        icons_[i] = WsLoadIcon(module, kTextOrigins[i].iconId);
        if (buttons_[i] != nullptr && icons_[i] != nullptr)
            WsSendMessage(buttons_[i], WS_BM_SETIMAGE, WS_IMAGE_ICON,
                          reinterpret_cast<WsLParam>(icons_[i]));
    }
    EnableAll(false);
}

void TextAlignButtons::EnableAll(bool enable) {
    for (WsWindow button : buttons_)
        if (button != nullptr) WsEnableWindow(button, enable ? 1 : 0);
}

bool TextAlignButtons::HandleMessage(WsLResult& result, WsWindow, uint32_t message, WsWParam,
                                     WsLParam lParam) {
    if (message != WS_COMMAND) return false;
    const auto control = reinterpret_cast<WsWindow>(lParam);
    for (size_t i = 0; i < buttons_.size(); ++i) {
        if (control == nullptr || control != buttons_[i]) continue;
        {
            AppContextScope context(owner_.PluginRef());
            if (context.Result() == kHostNoErr)
                static_cast<void>(owner_.AlignSelectedText(kTextOrigins[i].orientation,
                                                           kTextOrigins[i].justification));
            else
                frame::MessageAlert(kPanelErrorMessage);
        }
        FocusMainWindow();
        result = 0;
        return true;
    }
    return false;
}
