// "テキスト原点": a floating panel of six icon buttons that give the selected text one
// orientation and one paragraph justification, keeping the text where it stands when only
// the justification changes.
#pragma once

#include "panels/MvPanel.h"
#include "panels/TextAlignButtons.h"

#include <memory>

class CTextAlignPanel : public CMvPanel {
public:
    explicit CTextAlignPanel(HostPluginRef pluginRef);
    ~CTextAlignPanel() override;

    void UpdateTheme() override;
    HostErr SetupPanel() override;
    HostErr CreateControls() override;
    bool HandleMessage(WsLResult& result, WsWindow window, uint32_t message, WsWParam wParam,
                       WsLParam lParam) override;
    /** The buttons are enabled while the current document has layers. */
    void OnDocumentChanged();

    /** The work of one button on every selected text. A failing text is passed over and
     *  left as it was; the first failure's code is returned and reported by an alert. */
    HostErr AlignSelectedText(int32_t orientation, int32_t justification);

    HostPluginRef PluginRef() const noexcept { return pluginRef_; }

private:
    std::unique_ptr<TextAlignButtons> buttons_;
};
