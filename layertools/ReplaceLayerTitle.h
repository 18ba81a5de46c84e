// "レイヤー名置換...": edits the names of a chosen set of layers with one of four
// operations.
#pragma once

#include "common/LayerTargets.h"
#include "hostapi/HostTypes.h"
#include "hostapi/wrappers/UnicodeString.h"
#include "platform/ws.h"
#include "resources/CartovelResources.h"

#include <cstdint>
#include <string>

class CReplaceLayerTitle {
public:
    enum Operation : int32_t {
        kReplaceText = 0,
        kInsertText = 1,
        kDeleteLeadingDigits = 2,
        kDeleteUpToText = 3,
    };

    explicit CReplaceLayerTitle(HostPluginRef pluginRef_) noexcept : pluginRef(pluginRef_) {}
    virtual ~CReplaceLayerTitle() = default;
    CReplaceLayerTitle(const CReplaceLayerTitle&) = delete;
    CReplaceLayerTitle& operator=(const CReplaceLayerTitle&) = delete;

    /** Reads the settings, shows dialog 126, stores the confirmed settings and edits each
     *  target layer's name once. 0, kHostErrCancelled when the dialog was cancelled, or the first
     * host error; layers edited before a failure keep their new names. */
    HostErr Run();

    /** Applies the chosen operation to one layer's name and sets the result, also when the
     *  name did not change. */
    HostErr EditLayerTitle(HostLayerHandle layer) const;
    /** The operation on a name held in a host string, with the host's text operations. */
    HostErr EditTitle(ai::UnicodeString& title) const;

    void ReadSettings();
    void WriteSettings() const;

    static constexpr int32_t kDialogId = layerreplace::kDialogId;
    static intptr_t DialogProc(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam lParam);

    HostPluginRef pluginRef;
    // The settings the dialog edits. Texts are UTF-8 and reach the host as host strings.
    LayerTargetKind kind = kTargetTopLevel;
    bool visibleOnly = false;
    int32_t operation = kReplaceText;
    std::string searchText;
    /** May be empty: the search text is then deleted. */
    std::string replaceText;
    std::string insertText;
    /** 0 at the head, any other value at the tail. */
    int32_t insertPosition = 0;
    std::string delimiter;
    bool deleteWithDelimiter = false;

private:
    HostErr ReplaceAll(ai::UnicodeString& title) const;
    HostErr Insert(ai::UnicodeString& title) const;
    HostErr DeleteLeadingDigits(ai::UnicodeString& title) const;
    HostErr DeleteUpToDelimiter(ai::UnicodeString& title) const;

    void ShowInDialog(WsWindow dialog) const;
    /** Reads the fields back; false, after telling the user, when the chosen operation
     *  lacks its text. */
    bool ReadFromDialog(WsWindow dialog);
    static void ApplyEnabling(WsWindow dialog);
};
