// Text of a text frame: runs of characters sharing character features, the paragraph
// features, the frame's kind and orientation, and its matrix.
//
// The text matrix, in the document's convention (y up), maps the text's own space into
// the document. The text's own space has its origin at the anchor point (the point on the
// first baseline that the justification refers to), x along the baseline of horizontal
// text, y upwards; vertical text runs down its own negative y axis from the origin. A
// text at its natural size and unrotated has a matrix (1, 0, 0, 1, ax, ay) for an anchor
// (ax, ay), so the anchor is always the matrix's translation, and the matrix's rotation
// angle is the rotation a user sees. The text engine's own convention has y growing
// downwards; textEngineMatrix() converts between the two (the conversion is its own
// inverse).
#pragma once

#include "host/document/ArtKinds.h"
#include "host/geometry/Matrix.h"
#include "hostapi/suites/PathStyleSuite.h"

#include <string>
#include <vector>

namespace host {

class Art;

struct CharFeatures {
    double fontSize = 12.0;       // points
    double horizontalScale = 1.0; // 1 is 100 %
    double verticalScale = 1.0;   // 1 is 100 %
    double rotation = 0.0;        // of each character, degrees counter-clockwise
    std::string fontFamily;       // empty: the host's default font
    bool fillPaint = true;
    HostColor fill{kHostGrayColor, 1.0, 0, 0, 0, 0, 0, 0, 0}; // black
    bool strokePaint = false;
    HostColor stroke{kHostNoneColor, 0, 0, 0, 0, 0, 0, 0, 0};
    double strokeWidth = 1.0;
    /// Character styling the model does not use (weight, slant, decoration, baseline
    /// shift, spacing) as CSS declarations, kept so a file's run comes back as written.
    std::string keptStyle;
};

bool operator==(const CharFeatures& a, const CharFeatures& b);

struct ParaFeatures {
    std::int32_t justification = kJustifyLeft;
    /// Distance from one line to the next in multiples of the line's type size; 0 is the
    /// host's automatic spacing.
    double lineSpacing = 0.0;
};

/// Characters (UTF-8) that share features. A CR ends a paragraph.
struct TextRun {
    std::string text;
    CharFeatures features;
};

struct TextData {
    TextKind kind = TextKind::Point;
    Orientation orientation = Orientation::Horizontal;
    HostRealMatrix matrix = kIdentityMatrix;
    std::vector<TextRun> runs;
    ParaFeatures para;
    /// The path that area text fills or path text follows; null for point text. It is
    /// owned by the document like any art, attached to its frame, and not a child.
    Art* framePath = nullptr;

    std::string plainText() const;
    /// Replaces the text with one run of the given features.
    void setText(std::string utf8, const CharFeatures& features);
    /// The canonical form every writer of text keeps: LF and CR LF become CR, control
    /// characters that XML cannot carry are dropped, a CR at the start of a run moves to
    /// the end of the run before it, empty runs go and neighbours with equal features
    /// merge.
    void normalize();
};

/// The frame's anchor: the translation of its matrix.
HostRealPoint textAnchor(const TextData& text);
void setTextAnchor(TextData& text, HostRealPoint anchor);

/// The same matrix in the text engine's convention (y down), and back.
HostRealMatrix textEngineMatrix(const HostRealMatrix& m);

} // namespace host
