// The procedure the tools' field dialogs share. The run passes the address of the block
// the dialog edits as the procedure's parameter; the procedure keeps it in a window
// property while the dialog is open. OK reads the controls back and ends the dialog with
// 0, Cancel ends it with kHostErrCancelled and leaves the block as it was.
#pragma once

#include "hostapi/HostTypes.h"
#include "platform/ws.h"

#include <cstdint>
#include <span>

/** What one notification of one control does; act gets the dialog and the control's id. */
struct ControlAction {
    int32_t id;
    /** WS_BN_CLICKED, WS_EN_KILLFOCUS, ... */
    uint16_t code;
    void (*act)(WsWindow dialog, int32_t id);
};

/** The block of an open dialog whose procedure keeps it in property; null when the run
 *  gave none. */
template <class Block> Block* FieldBlock(WsWindow dialog, const char* property) {
    return static_cast<Block*>(WsGetProp(dialog, property));
}

template <class Block> struct FieldDialog {
    /** The window property that holds the block's address. */
    const char* property;
    /** Fills the controls when the dialog opens; block is null when the run gave none.
     *  The answer to the opening message: 0 when it has set the focus itself. */
    intptr_t (*show)(WsWindow dialog, const Block* block);
    /** The controls other than OK and Cancel that answer a notification; any other
     *  notification is left to the default handling. */
    std::span<const ControlAction> controls;
    /** Reads the controls back on OK; false keeps the dialog open (after telling the user
     *  why). Not called when the run gave no block: the dialog then ends all the same. */
    bool (*confirm)(WsWindow dialog, Block& block);

    intptr_t Procedure(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam lParam) const {
        switch (message) {
        case WS_INITDIALOG: {
            auto* block = reinterpret_cast<Block*>(lParam);
            WsSetProp(dialog, property, block);
            return show(dialog, block);
        }
        case WS_COMMAND:
            return Command(dialog, WS_LOWORD(wParam), WS_HIWORD(wParam));
        case WS_DESTROY:
            WsRemoveProp(dialog, property);
            return 0;
        default:
            return 0;
        }
    }

private:
    intptr_t Command(WsWindow dialog, int32_t id, uint16_t code) const {
        if (id != WS_IDOK && id != WS_IDCANCEL) {
            for (const ControlAction& action : controls) {
                if (action.id != id || action.code != code) continue;
                action.act(dialog, id);
                return 1;
            }
            return 0;
        }
        if (code != WS_BN_CLICKED) return 0;
        if (id == WS_IDCANCEL) {
            WsEndDialog(dialog, kHostErrCancelled);
            return 1;
        }
        Block* block = FieldBlock<Block>(dialog, property);
        if (block == nullptr || confirm(dialog, *block)) WsEndDialog(dialog, kHostNoErr);
        return 1;
    }
};

/** The show of a dialog whose block shows itself; a run without a block keeps the
 *  template's values. */
template <class Block, void (Block::*show)(WsWindow) const>
intptr_t ShowBlock(WsWindow dialog, const Block* block) {
    if (block != nullptr) (block->*show)(dialog);
    return 1;
}

/** The confirm of a dialog whose block reads itself back. */
template <class Block, bool (Block::*read)(WsWindow)>
bool ReadBlock(WsWindow dialog, Block& block) {
    return (block.*read)(dialog);
}
