// Straightening from the command line: `cartovel run straighten-text` on a small SVG with
// one rotated label, and the saved file read back.
#include "host/document/Document.h"
#include "host/geometry/Matrix.h"
#include "host/svg/SvgFile.h"

#include "support/CartovelRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// A label turned 30° counter-clockwise about its anchor (100, 300), with rotated
// characters in its second run and the rotation entry a drawing program leaves behind.
const std::string kRotatedLabel = R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:cv="urn:cartovel:svg:1" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" width="400pt" height="400pt" viewBox="0 0 400 400">
<g id="l1" inkscape:groupmode="layer" inkscape:label="labels">
<text id="label" x="100" y="100" font-size="12" transform="rotate(-30 100 100)">Map<tspan rotate="20">Label</tspan><cv:tag name="BBAccumRotation" value="0.52"/><cv:tag name="note" value="kept"/></text>
<path id="road" fill="none" stroke="#000000" d="M10 10L90 90"/>
</g>
</svg>
)svg";

const host::Art* findArt(const host::Document& doc, const std::string& id) {
    for (std::int32_t i = 0; i < doc.layerCount(); ++i)
        for (const host::Art* art : doc.layerArt(*doc.layerAt(i)))
            if (art->name == id) return art;
    return nullptr;
}

class ResetTransformCli : public cartotest::CartovelTest {};

TEST_F(ResetTransformCli, StraightenTextTurnsTheSelectedLabelBack) {
    cartotest::writeFile(at("in.svg"), kRotatedLabel);
    const cartotest::ProgramRun straighten =
        cartovel("run straighten-text in.svg -o out.svg --select label,road" + prefs_);
    ASSERT_EQ(straighten.status, 0) << straighten.out;

    const host::SvgLoadResult before = host::loadSvgFile(at("in.svg"));
    const host::SvgLoadResult after = host::loadSvgFile(at("out.svg"));
    ASSERT_TRUE(before.document) << before.message;
    ASSERT_TRUE(after.document) << after.message;
    const host::Art* was = findArt(*before.document, "label");
    const host::Art* label = findArt(*after.document, "label");
    ASSERT_NE(was, nullptr);
    ASSERT_NE(label, nullptr);
    const HostRealMatrix& m = label->text()->matrix;
    EXPECT_NEAR(std::atan2(was->text()->matrix.b, was->text()->matrix.a), std::acos(-1.0) / 6,
                1e-9);
    EXPECT_NEAR(m.b, 0, 1e-9);
    EXPECT_NEAR(m.a, 1, 1e-9);
    EXPECT_NEAR(m.tx, was->text()->matrix.tx, 1e-9);
    EXPECT_NEAR(m.ty, was->text()->matrix.ty, 1e-9);
    for (const host::TextRun& run : label->text()->runs)
        EXPECT_EQ(run.features.rotation, 0) << run.text;
    EXPECT_EQ(label->tags.find("BBAccumRotation"), nullptr);
    EXPECT_NE(label->tags.find("note"), nullptr);
    // The road is no text and stays where it was.
    const host::Art* road = findArt(*after.document, "road");
    ASSERT_NE(road, nullptr);
    EXPECT_EQ(road->path()->segments.size(), 2u);
}

} // namespace
