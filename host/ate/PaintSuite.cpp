// "AIATE Paint Suite": the paint of characters as a path style and back.
#include "hostapi/suites/ATEPaintSuite.h"

#include "host/ate/TextSuites.h"
#include "host/ate/TextSupport.h"
#include "host/core/SuiteRegistry.h"
#include "host/document/PathStyle.h"

#include <cmath>

namespace host {
namespace {

using namespace docsuites;
using namespace ate;

HostErr GetPathStyleFromCharFeatures(ATECharFeaturesRef features, HostPathStyle* style) {
    HOST_OP(kHostATEPaintSuite, "GetPathStyleFromCharFeatures");
    return withTextObject<CharFeaturesObject>(features, [&](CharFeaturesObject& chars) -> HostErr {
        requireOut(style);
        const CharFeatureSet& set = chars.features;
        const CharFeatures plain;
        const Paint fill = set.fill.value_or(Paint{plain.fillPaint, plain.fill});
        const Paint stroke = set.stroke.value_or(Paint{plain.strokePaint, plain.stroke});
        *style = toHostPathStyle(PathStyle{});
        style->fillPaint = fill.paint ? 1 : 0;
        style->fill.color = fill.color;
        style->strokePaint = stroke.paint ? 1 : 0;
        style->stroke.color = stroke.color;
        style->stroke.width = set.strokeWidth.value_or(plain.strokeWidth);
        return kHostNoErr;
    });
}

/** A painted colour must be one the model can hold; an unpainted one is kept when it is
 *  valid and forgotten otherwise. */
bool takePaint(HostBool paint, const HostColor& colour, Paint& out) {
    const bool valid = isValidColour(colour);
    if (paint != 0 && !valid) return false;
    out = {paint != 0, valid ? colour : noColour()};
    return true;
}

HostErr SetCharFeaturesFromPathStyle(const HostPathStyle* style, ATECharFeaturesRef features) {
    HOST_OP(kHostATEPaintSuite, "SetCharFeaturesFromPathStyle");
    return withTextObject<CharFeaturesObject>(features, [&](CharFeaturesObject& chars) -> HostErr {
        CharFeatureSet& set = chars.features;
        if (style == nullptr) return kHostErrBadParameter;
        Paint fill, stroke;
        if (!takePaint(style->fillPaint, style->fill.color, fill) ||
            !takePaint(style->strokePaint, style->stroke.color, stroke) ||
            !std::isfinite(style->stroke.width) || style->stroke.width < 0.0)
            return kHostErrBadParameter;
        set.fill = fill;
        set.stroke = stroke;
        set.strokeWidth = style->stroke.width;
        return kHostNoErr;
    });
}

constexpr HostATEPaintSuite kTable = {GetPathStyleFromCharFeatures, SetCharFeaturesFromPathStyle};

} // namespace

void installATEPaintSuite(SuiteRegistry& registry) {
    registry.provide(kHostATEPaintSuite, kHostATEPaintSuiteVersion, &kTable);
}

void installTextSuites(SuiteRegistry& registry) {
    installTextFrameSuite(registry);
    installTextEngineSuites(registry);
    installATEPaintSuite(registry);
}

} // namespace host
