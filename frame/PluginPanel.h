// What the plug-in object needs of a floating panel: creation, the menu toggle and check
// mark, and the reactions to theme and document changes.
#pragma once

#include "hostapi/HostTypes.h"

#include <memory>
#include <utility>

class PluginPanel {
public:
    virtual ~PluginPanel() = default;
    /** Creates the host panel and its window and shows it. */
    virtual HostErr Create() = 0;
    virtual HostErr Show(bool shown) = 0;
    virtual bool IsShown() = 0;
    /** The host's interface brightness changed. */
    virtual void UpdateTheme() = 0;
    /** The current document, or what is in it, changed. */
    virtual void OnDocumentChanged() = 0;
};

/** Makes a panel class with Create, Show, IsShown, UpdateTheme and OnDocumentChanged a
 *  PluginPanel without giving it a base class. The panel lives inside the adapter, so
 *  its address stays fixed for as long as the plug-in object keeps it. */
template <class Panel> class PanelAdapter final : public PluginPanel {
public:
    template <class... Args>
    explicit PanelAdapter(Args&&... args) : panel_(std::forward<Args>(args)...) {}

    HostErr Create() override { return panel_.Create(); }
    HostErr Show(bool shown) override { return panel_.Show(shown); }
    bool IsShown() override { return panel_.IsShown(); }
    void UpdateTheme() override { panel_.UpdateTheme(); }
    void OnDocumentChanged() override { static_cast<void>(panel_.OnDocumentChanged()); }

    Panel& panel() noexcept { return panel_; }

private:
    Panel panel_;
};

/** Makes one of the module's panels for the plug-in reference; null when the module has
 *  no such panel. */
using PanelFactory = std::unique_ptr<PluginPanel> (*)(HostPluginRef pluginRef);
