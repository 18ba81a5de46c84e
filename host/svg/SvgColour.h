// SVG colours and paints: #rgb, #rgba, #rrggbb, #rrggbbaa, rgb()/rgba() and hsl()/hsla()
// with commas or CSS's space-separated form, the named colours, none, currentColor and
// url(#id) with a fallback; and the exact colour notation of the project's own attributes.
#pragma once

#include "hostapi/suites/PathStyleSuite.h"

#include <string>
#include <string_view>

namespace host::svg {

/// An RGB colour (channels 0..1) from a CSS colour value; false for anything else. The
/// colour's own alpha (1 when it gives none) goes to alpha when asked for.
bool parseColour(std::string_view s, HostColor& rgb, double* alpha = nullptr);

struct Paint {
    enum Kind { None, Colour, CurrentColour, Url, Inherit } kind = None;
    HostColor colour{}; // Colour, and the fallback of Url when hasFallback
    bool hasFallback = false;
    std::string_view reference; // Url: the id without '#'
    double alpha = 1.0;         // Colour: the colour's own alpha, which multiplies the opacity
};

bool parsePaint(std::string_view s, Paint& paint);

/// The colour as a screen shows it, in RGB.
HostColor displayRgb(const HostColor& c);
/// "#rrggbb" of an RGB colour.
void appendHexColour(std::string& out, const HostColor& rgb);
/// The RGB colour that "#rrggbb" of c reads back as.
HostColor byteRgb(const HostColor& rgb);
/// True when the colour is RGB with channels that "#rrggbb" carries exactly.
bool isByteRgb(const HostColor& c);

/// "grey g", "cmyk c m y k", "rgb r g b" or "none", with "off " before it when the paint
/// is off.
void appendExactPaint(std::string& out, bool on, const HostColor& c);
bool parseExactPaint(std::string_view s, bool& on, HostColor& c);

} // namespace host::svg
