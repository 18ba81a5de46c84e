// The open document as the application's suites see it: owns the document, answers the
// menus' questions about it, and keeps the art sets that modules make while it is open.
#pragma once

#include "host/core/MenuEnabling.h"
#include "host/document/Document.h"
#include "host/pathfinder/ShapeCache.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace host {

class SuiteContext;

class DocumentSession final : public DocumentState {
public:
    /// Opens document in app and makes it the current one: the suites work on it until
    /// another one is opened or made current. The modules hear of the open, the close and
    /// every switch ("AI Document Changed Notifier").
    DocumentSession(SuiteContext& app, std::unique_ptr<Document> document);
    ~DocumentSession() override;
    DocumentSession(const DocumentSession&) = delete;
    DocumentSession& operator=(const DocumentSession&) = delete;

    /// The session of the application's open document; null when none is open.
    static DocumentSession* of(const SuiteContext& app);

    Document& document() const { return *document_; }
    /// Makes this open document the current one (a switch of windows in the host).
    void makeCurrent();

    [[nodiscard]] DocumentSession* session() const override {
        return const_cast<DocumentSession*>(this);
    }
    [[nodiscard]] std::uint32_t artKinds() const override;
    [[nodiscard]] std::uint32_t selectedArtKinds() const override;
    [[nodiscard]] std::uint32_t properties() const override;

    // Art sets: ordered lists of art handles. The handles are checked when they are read,
    // so a set that outlives its art hands out nothing stale.
    HostArtSetHandle newArtSet();
    std::vector<HostArtHandle>* artSet(HostArtSetHandle handle);
    bool disposeArtSet(HostArtSetHandle handle);
    [[nodiscard]] std::size_t liveArtSets() const { return artSets_.size(); }

    /// The pathfinder's memory of the outlines it has united in this document.
    pathfinder::ShapeCache& uniteCache() { return uniteCache_; }

private:
    SuiteContext& app_;
    std::unique_ptr<Document> document_;
    std::unordered_map<std::uint64_t, std::vector<HostArtHandle>> artSets_;
    pathfinder::ShapeCache uniteCache_;
};

} // namespace host
