#include "DialogFields.h"

#include <array>

namespace cartovel {
namespace {

// The about box (107) has only buttons, so it takes no fields. The commands' dialogs add
// their tables here as they are wired to `cartovel run`.
constexpr std::array<DialogFieldTable, 0> kTables{};

} // namespace

const DialogFieldTable* dialogFields(std::int32_t templateId) {
    for (const DialogFieldTable& table : kTables)
        if (table.templateId == templateId) return &table;
    return nullptr;
}

std::span<const DialogFieldTable> allDialogFields() {
    return kTables;
}

} // namespace cartovel
