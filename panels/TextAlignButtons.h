// The six icon buttons of the text origin panel, each standing for one orientation and one
// paragraph justification.
#pragma once

#include "platform/ws.h"
#include "resources/CartovelResources.h"

#include <array>
#include <cstdint>

class CTextAlignPanel;

struct TextOrigin {
    int32_t orientation;   // 0 horizontal, 1 vertical
    int32_t justification; // 0 left (top), 1 right (bottom), 2 centre
    int32_t iconId;
    /** The button's window text: an icon button shows its icon, and a host may offer the
     *  text as the button's tip. */
    const char* meaning;
};

/** Left to right: left, centre, right of horizontal text; top, middle, bottom of
 *  vertical text. */
inline constexpr std::array<TextOrigin, 6> kTextOrigins = {{
    {0, 0, textalign::kHorizontalLeftIcon, "横書き・左揃え"},
    {0, 2, textalign::kHorizontalCentreIcon, "横書き・中央揃え"},
    {0, 1, textalign::kHorizontalRightIcon, "横書き・右揃え"},
    {1, 0, textalign::kVerticalTopIcon, "縦書き・上揃え"},
    {1, 2, textalign::kVerticalMiddleIcon, "縦書き・中央揃え"},
    {1, 1, textalign::kVerticalBottomIcon, "縦書き・下揃え"},
}};

class TextAlignButtons {
public:
    static constexpr int32_t kFirstButtonId = 1101;

    explicit TextAlignButtons(CTextAlignPanel& owner) noexcept : owner_(owner) {}
    /** Destroys the icons: the buttons are gone by now. */
    ~TextAlignButtons();
    TextAlignButtons(const TextAlignButtons&) = delete;
    TextAlignButtons& operator=(const TextAlignButtons&) = delete;

    /** Makes the six buttons in parent with the icons of module, all disabled. */
    void Create(WsWindow parent, WsModule module);
    void EnableAll(bool enable);
    /** A click on one of the buttons runs its alignment. */
    bool HandleMessage(WsLResult& result, WsWindow window, uint32_t message, WsWParam wParam,
                       WsLParam lParam);

private:
    CTextAlignPanel& owner_;
    WsWindow parent_ = nullptr;
    WsModule module_ = nullptr;
    double scale_ = 1.0;
    std::array<WsWindow, 6> buttons_{};
    std::array<WsIcon, 6> icons_{};
};
