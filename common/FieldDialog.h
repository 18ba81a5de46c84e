// The procedure the tools' field dialogs share. The run passes the address of the block
// the dialog edits as the procedure's parameter; the procedure keeps it in a window
// property while the dialog is open. OK reads the controls back and ends the dialog with
// 0, Cancel ends it with 'STOP' and leaves the block as it was.
#pragma once

#include "hostapi/HostTypes.h"
#include "platform/ws.h"

#include <cstdint>

template <class Block> struct FieldDialog {
    /** The window property that holds the block's address. */
    const char* property;
    /** Fills the controls when the dialog opens; block is null when the run gave none.
     *  The answer to the opening message: 0 when it has set the focus itself. */
    intptr_t (*show)(WsWindow dialog, const Block* block);
    /** A notification from a control other than OK and Cancel; 1 when it was handled. */
    intptr_t (*control)(WsWindow dialog, int32_t id, uint16_t code);
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
        if (id != WS_IDOK && id != WS_IDCANCEL) return control(dialog, id, code);
        if (code != WS_BN_CLICKED) return 0;
        if (id == WS_IDCANCEL) {
            WsEndDialog(dialog, kHostErrCancelled);
            return 1;
        }
        auto* block = static_cast<Block*>(WsGetProp(dialog, property));
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

/** The control handler of a dialog with nothing but its OK and Cancel buttons to answer. */
inline intptr_t NoControls(WsWindow, int32_t, uint16_t) {
    return 0;
}
