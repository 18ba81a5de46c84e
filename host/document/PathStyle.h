// Paint of paths: fill and stroke, each with its on/off flag and colour, stroke geometry,
// overprint, the fill rule, and the transformations that the paint's patterns and
// gradients have undergone.
#pragma once

#include "host/geometry/Matrix.h"
#include "hostapi/suites/PathStyleSuite.h"

#include <vector>

namespace host {

HostColor greyColour(double level); // 0 white .. 1 black
HostColor cmykColour(double c, double m, double y, double k);
HostColor rgbColour(double r, double g, double b);
HostColor noColour();

/// Compares the fields that the colour's kind uses.
bool sameColour(const HostColor& a, const HostColor& b);
bool isValidColour(const HostColor& c);

struct PathStyle {
    bool fillPaint = true;
    HostColor fill = greyColour(0.0);
    bool fillOverprint = false;
    bool strokePaint = true;
    HostColor stroke = greyColour(1.0);
    bool strokeOverprint = false;
    double strokeWidth = 1.0;
    std::vector<double> dash; // empty: solid
    double dashOffset = 0.0;
    int cap = kHostButtCap;
    int join = kHostMiterJoin;
    double miterLimit = 4.0;
    bool evenOdd = false;
    // Accumulated transformations of the paint's gradients and patterns; identity until
    // a transformation asks for them to follow the object.
    HostRealMatrix fillGradientMatrix = kIdentityMatrix;
    HostRealMatrix fillPatternMatrix = kIdentityMatrix;
    HostRealMatrix strokePatternMatrix = kIdentityMatrix;
    HostRealMatrix strokeGradientMatrix = kIdentityMatrix;
};

bool operator==(const PathStyle& a, const PathStyle& b);
/// Colours in range, widths and dashes finite and not negative, known cap and join.
bool isValidPathStyle(const PathStyle& style);

/// The style as the host interface passes it. Dash arrays longer than the interface's
/// limit are cut.
HostPathStyle toHostPathStyle(const PathStyle& style);
/// Takes the interface's fields into style; the pattern and gradient matrices stay.
/// Returns false (style unchanged) for values the model cannot hold (unknown colour kind,
/// cap or join, negative or non-finite widths).
bool applyHostPathStyle(const HostPathStyle& from, PathStyle& style);

} // namespace host
