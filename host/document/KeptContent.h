// What a file said about an art object that the model does not represent, kept so that
// saving writes it back where it was. Art that came from nowhere has none; the reader
// allocates one only for elements that carry such content.
#pragma once

#include "host/document/PathStyle.h"
#include "hostapi/suites/PathSuite.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace host {

/// A paint reference (gradient or pattern) and the colour the model was given for it:
/// the reference is written only while the model's paint is still that colour.
struct KeptPaint {
    std::string value; // "url(#id) fallback" as written
    bool on = false;
    HostColor readAs{};
};

/// A <use> of an element drawn in place, read as a group holding a copy of it: written
/// back as the <use> while the copy is still the original moved by placement, and as the
/// copy once either has changed on its own.
struct KeptClone {
    /// The original's name as read (its id).
    std::string original;
    /// The original's document coordinates to the copy's.
    HostRealMatrix placement{1, 0, 0, 1, 0, 0};
    /// x, y and transform as read, and the matrix they make (the original's user space to
    /// the <use>'s parent's, in SVG coordinates): written as they were while that still fits.
    HostRealMatrix local{1, 0, 0, 1, 0, 0};
    std::string x, y, transform;
};

struct KeptContent {
    /// Element name when it is not the one the art type writes ("a", "switch").
    std::string element;
    /// Attributes in file order, values unescaped.
    std::vector<std::pair<std::string, std::string>> attributes;
    /// Style declarations the model does not use ("clip-path:url(#c)").
    std::string style;
    /// Child elements the model does not represent, as XML, written first inside.
    std::string children;
    KeptPaint fill, stroke;
    /// The element's user space in document coordinates: art that refers to definitions
    /// (clip paths, masks, filters, paint servers, markers) is written in it, so that
    /// the definitions still fit. Transformations of the art move it along.
    bool hasSpace = false;
    HostRealMatrix space{1, 0, 0, 1, 0, 0};
    /// For a container: the descendant whose transformations the space follows when the
    /// container itself is not transformed (0: none yet).
    std::uint64_t spaceLeader = 0;
    /// In a file with a style sheet, the style the path was read with: while the model's
    /// style is still that, the sheet's rules go on styling the element as they did;
    /// a style a command changed is written so that no rule overrides it.
    std::optional<PathStyle> readStyle;
    /// A shape the open-source editor draws from parameters of its own (an ellipse, a star,
    /// a spiral, a path effect): the points it was read with, so that a writer can tell
    /// whether the parameters still describe the path. Empty: they no longer do.
    bool editorShape = false;
    std::vector<HostPathSegment> editorShapeRead;
    /// The shape's user space (its parameters' coordinates) to the document, as read.
    HostRealMatrix editorShapeSpace{1, 0, 0, 1, 0, 0};
    /// The element's user space had the document's scale, so lengths the rules give
    /// still fit where the art is written.
    bool lengthsFit = true;
    std::optional<KeptClone> clone;
};

/// The file's content outside the art: the root element's own attributes and the
/// document-level elements (metadata, style sheets, definitions).
struct KeptDocument {
    std::vector<std::pair<std::string, std::string>> rootAttributes;
    std::string head;
    bool hasStyleSheet = false;
    /// Where in head the editor's view settings take the current layer's id, and the
    /// attribute's name; npos when the file had no view settings.
    std::size_t currentLayerAt = std::string::npos;
    std::string currentLayerAttribute;
};

} // namespace host
