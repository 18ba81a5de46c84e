// "AI Text Frame Suite" over the document's text frames.
#include "hostapi/suites/TextFrameSuite.h"

#include "host/ate/TextSuites.h"
#include "host/ate/TextSupport.h"

namespace host {
namespace {

using namespace docsuites;
using namespace ate;

bool isOrientation(int32_t orientation) {
    return orientation == kATEHorizontalOrientation || orientation == kATEVerticalOrientation;
}

HostErr NewPointText(int16_t paintOrder, HostArtHandle reference, int32_t orientation,
                     HostRealPoint anchor, HostArtHandle* newText) {
    HOST_OP(kHostTextFrameSuite, "NewPointText");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(newText);
        *newText = nullptr;
        const std::optional<PaintOrder> order = paintOrderFromInt(paintOrder);
        if (!order) return kHostErrBadParameter;
        if (!isOrientation(orientation)) return kHostErrBadParameter;
        Art* ref = reference == nullptr ? nullptr : &artOf(d, reference);
        Art* made = nullptr;
        if (HostErr err = d.newText(TextKind::Point, static_cast<Orientation>(orientation), *order,
                                    ref, anchor, nullptr, &made))
            return err;
        *newText = handleOf(made);
        return kHostNoErr;
    });
}

HostErr GetType(HostArtHandle text, int32_t* kind) {
    HOST_OP(kHostTextFrameSuite, "GetType");
    return answer(
        kind, [&](Document& d) { return static_cast<int32_t>(textArtOf(d, text).text()->kind); });
}

HostErr GetOrientation(HostArtHandle text, int32_t* orientation) {
    HOST_OP(kHostTextFrameSuite, "GetOrientation");
    return answer(orientation, [&](Document& d) {
        return static_cast<int32_t>(textArtOf(d, text).text()->orientation);
    });
}

HostErr SetOrientation(HostArtHandle text, int32_t orientation) {
    HOST_OP(kHostTextFrameSuite, "SetOrientation");
    return withDocument([&](Document& d) -> HostErr {
        Art& art = textArtOf(d, text);
        if (!isOrientation(orientation)) return kHostErrBadParameter;
        if (HostErr err = d.checkEditable(art)) return err;
        art.text()->orientation = static_cast<Orientation>(orientation);
        d.noteChange();
        return kHostNoErr;
    });
}

HostErr GetPointTextAnchor(HostArtHandle text, HostRealPoint* anchor) {
    HOST_OP(kHostTextFrameSuite, "GetPointTextAnchor");
    return answer(anchor, [&](Document& d) { return textAnchor(*textArtOf(d, text).text()); });
}

HostErr GetFramePath(HostArtHandle text, HostArtHandle* path) {
    HOST_OP(kHostTextFrameSuite, "GetFramePath");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(path);
        *path = nullptr;
        const TextData& data = *textArtOf(d, text).text();
        if (data.framePath == nullptr) return kHostErrWrongType;
        *path = handleOf(data.framePath);
        return kHostNoErr;
    });
}

HostErr GetATETextRange(HostArtHandle text, ATETextRangeRef* range) {
    HOST_OP(kHostTextFrameSuite, "GetATETextRange");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(range);
        *range = nullptr;
        Art& art = textArtOf(d, text);
        *range = newRange(art.handle(), 0, textLength(*art.text()));
        return kHostNoErr;
    });
}

HostErr GetATETextFrame(HostArtHandle text, ATETextFrameRef* frame) {
    HOST_OP(kHostTextFrameSuite, "GetATETextFrame");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(frame);
        *frame = nullptr;
        auto object = std::make_unique<FrameObject>();
        object->art = textArtOf(d, text).handle();
        *frame = hand<ATETextFrameRef>(std::move(object));
        return kHostNoErr;
    });
}

constexpr HostTextFrameSuite kTable = {
    NewPointText,       GetType,      GetOrientation,  SetOrientation,
    GetPointTextAnchor, GetFramePath, GetATETextRange, GetATETextFrame,
};

} // namespace

void installTextFrameSuite(SuiteRegistry& registry) {
    registry.provide(kHostTextFrameSuite, kHostTextFrameSuiteVersion, &kTable);
}

} // namespace host
