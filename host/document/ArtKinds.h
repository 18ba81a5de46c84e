// The host's art facts as typed values: art types, user attribute bits, paint orders and
// the kinds of text frames. The numbers are the host interface's own.
#pragma once

#include "hostapi/suites/ArtSuite.h"

#include <cstdint>
#include <optional>

namespace host {

enum class ArtType : std::int16_t {
    Group = kHostGroupArt,
    Path = kHostPathArt,
    CompoundPath = kHostCompoundPathArt,
    Placed = kHostPlacedArt,
    Raster = kHostRasterArt,
    PluginGroup = kHostPluginArt,
    Mesh = kHostMeshArt,
    TextFrame = kHostTextFrameArt,
    SymbolInstance = kHostSymbolArt,
    Foreign = kHostForeignArt,
    LegacyText = kHostLegacyTextArt,
};

/// The art type for a number from outside; nothing for numbers that name no type.
std::optional<ArtType> artTypeFromInt(int value);

/// Art that holds other art as children.
constexpr bool isContainerType(ArtType t) {
    return t == ArtType::Group || t == ArtType::CompoundPath || t == ArtType::PluginGroup;
}

/// Art whose geometry is a Bezier outline with a paint style.
constexpr bool hasPathData(ArtType t) {
    return t == ArtType::Path || t == ArtType::Mesh || t == ArtType::Foreign;
}

constexpr bool isTextType(ArtType t) {
    return t == ArtType::TextFrame || t == ArtType::LegacyText;
}

constexpr bool isImageType(ArtType t) {
    return t == ArtType::Placed || t == ArtType::Raster;
}

/// User attribute bits.
enum : std::uint32_t {
    kAttrSelected = kHostArtSelected,
    kAttrLocked = kHostArtLocked,
    kAttrHidden = kHostArtHidden,
    kAttrFullySelected = kHostArtFullySelected,
    kAttrAll = kAttrSelected | kAttrLocked | kAttrHidden | kAttrFullySelected,
};

/// Where new, duplicated or moved art (or a new layer) goes relative to a reference.
enum class PaintOrder : std::int16_t {
    Above = kHostPlaceAbove,
    Below = kHostPlaceBelow,
    InsideOnTop = kHostPlaceInsideOnTop,
    InsideOnBottom = kHostPlaceInsideOnBottom,
    AboveAll = kHostPlaceAboveAll,
    BelowAll = kHostPlaceBelowAll,
};

std::optional<PaintOrder> paintOrderFromInt(int value);

enum class TextKind : std::int32_t { Point = 0, Area = 1, OnPath = 2 };
enum class Orientation : std::int32_t { Horizontal = 0, Vertical = 1 };

/// Paragraph justification; in vertical text left means top and right means bottom.
enum Justification : std::int32_t {
    kJustifyLeft = 0,
    kJustifyRight = 1,
    kJustifyCenter = 2,
};

} // namespace host
