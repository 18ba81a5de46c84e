// "レイヤー通し番号作成...": renames a chosen set of layers with consecutive numbers.
#pragma once

#include "common/LayerTargets.h"
#include "hostapi/HostTypes.h"
#include "hostapi/wrappers/UnicodeString.h"
#include "platform/ws.h"
#include "resources/CartovelResources.h"

#include <cstdint>
#include <string>

class CNumberLayers {
public:
    explicit CNumberLayers(HostPluginRef pluginRef_) noexcept : pluginRef(pluginRef_) {}
    virtual ~CNumberLayers() = default;
    CNumberLayers(const CNumberLayers&) = delete;
    CNumberLayers& operator=(const CNumberLayers&) = delete;

    /** Reads the settings, shows dialog 125, stores the confirmed settings and numbers the
     *  target layers. 0, kHostErrCancelled when the dialog was cancelled, or the first host error;
     *  layers numbered before a failure keep their new names. */
    HostErr Run();

    /** The before text, n in signed decimal, the after text, each text only when its flag
     *  is set. The running number is 64-bit, so numbering past the 32-bit range goes on
     *  counting instead of wrapping to negative numbers. */
    std::string NumberingText(int64_t n) const;
    /** Renames one layer with the number text for n, alone or joined to its name. */
    HostErr NumberLayer(HostLayerHandle layer, int64_t n) const;

    void ReadSettings();
    void WriteSettings() const;

    static constexpr int32_t kDialogId = layernumbering::kDialogId;
    static intptr_t DialogProc(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam lParam);

    HostPluginRef pluginRef;
    // The settings the dialog edits. Texts are UTF-8 and reach the host as host strings.
    LayerTargetKind kind = kTargetAllLayers;
    int32_t initialNumber = 1;
    int32_t step = 1;
    bool visibleOnly = true;
    bool addBefore = false;
    std::string beforeText;
    bool addAfter = true;
    std::string afterText = ": ";
    bool addToCurrentTitle = true;
    /** 0: the number text goes in front of the name; any other value: behind it. */
    int32_t numberPosition = 0;

private:
    void ShowInDialog(WsWindow dialog) const;
    /** Reads the fields back; always true, the numbering checks nothing. */
    bool ReadFromDialog(WsWindow dialog);
    static void ApplyEnabling(WsWindow dialog);
};
