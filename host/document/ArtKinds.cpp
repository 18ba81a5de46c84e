#include "host/document/ArtKinds.h"

namespace host {

std::optional<ArtType> artTypeFromInt(int value) {
    switch (value) {
    case kHostGroupArt:
    case kHostPathArt:
    case kHostCompoundPathArt:
    case kHostPlacedArt:
    case kHostRasterArt:
    case kHostPluginArt:
    case kHostMeshArt:
    case kHostTextFrameArt:
    case kHostSymbolArt:
    case kHostForeignArt:
    case kHostLegacyTextArt:
        return static_cast<ArtType>(value);
    default:
        return std::nullopt;
    }
}

std::optional<PaintOrder> paintOrderFromInt(int value) {
    if (value >= kHostPlaceAbove && value <= kHostPlaceBelowAll)
        return static_cast<PaintOrder>(value);
    return std::nullopt;
}

} // namespace host
