#include "commands/PanelEffects.h"

#include "host/document/TextData.h"

namespace cartovel {
namespace {

bool sameMatrix(const HostRealMatrix& a, const HostRealMatrix& b) {
    return a.a == b.a && a.b == b.b && a.c == b.c && a.d == b.d && a.tx == b.tx && a.ty == b.ty;
}

} // namespace

SelectionRecord::SelectionRecord(const host::Document& doc) {
    for (const host::Art* art : doc.selectedArt()) {
        if (art->isLayerGroup()) continue;
        Entry entry{art, art->parent(), false, {}, 0, {}};
        if (const host::TextData* text = art->text()) {
            entry.text = true;
            entry.orientation = text->orientation;
            entry.justification = text->para.justification;
            entry.matrix = text->matrix;
        }
        entries_.push_back(entry);
    }
}

std::size_t SelectionRecord::texts() const {
    std::size_t count = 0;
    for (const Entry& entry : entries_)
        count += entry.text ? 1 : 0;
    return count;
}

SelectionRecord::Changes SelectionRecord::changes() const {
    Changes changes;
    for (const Entry& entry : entries_) {
        if (entry.art->parent() != entry.parent) ++changes.moved;
        const host::TextData* text = entry.text ? entry.art->text() : nullptr;
        if (text != nullptr && (text->orientation != entry.orientation ||
                                text->para.justification != entry.justification ||
                                !sameMatrix(text->matrix, entry.matrix)))
            ++changes.textsChanged;
    }
    return changes;
}

} // namespace cartovel
