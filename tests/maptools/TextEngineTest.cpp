// The text engine's suites through the module's wrapper classes, against the host's text
// frames: insertion, unique features, local features, runs, frames and reference counts.
#include "MapToolsHarness.h"

#include "frame/HostSuites.h"
#include "host/ate/TextObjects.h"
#include "host/geometry/Matrix.h"
#include "hostapi/wrappers/IText.h"

#include <numbers>

namespace {

using maptest::MapToolsTest;

class TextEngine : public MapToolsTest {
protected:
    void SetUp() override {
        MapToolsTest::SetUp();
        baseline_ = host::ate::liveObjects();
    }
    void TearDown() override {
        EXPECT_EQ(host::ate::liveObjects(), baseline_) << "a reference was not released";
        MapToolsTest::TearDown();
    }
    /** A new point text on the first layer, through the module's suite. */
    HostArtHandle NewText(HostRealPoint anchor = {100, 100}) {
        HostArtHandle text = nullptr;
        EXPECT_EQ(sTextFrame->NewPointText(kHostPlaceInsideOnTop, nullptr,
                                           kATEHorizontalOrientation, anchor, &text),
                  kHostNoErr);
        return text;
    }
    static ATE::ITextRange RangeOf(HostArtHandle text) {
        ATETextRangeRef ref = nullptr;
        EXPECT_EQ(sTextFrame->GetATETextRange(text, &ref), kHostNoErr);
        return ATE::ITextRange(ref);
    }
    host::TextData& Data(HostArtHandle text) { return *doc().art(text)->text(); }
    static HostErr ErrorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const ATE::Exception& e) {
            return e.error;
        }
        return kHostNoErr;
    }

    size_t baseline_ = 0;
};

TEST_F(TextEngine, InsertedTextGrowsTheRangeAndKeepsTheLineEndsOfTheHost) {
    const HostArtHandle text = NewText();
    ATE::ITextRange range = RangeOf(text);
    EXPECT_EQ(range.GetSize(), 0);
    range.InsertAfter(ATE::FromUTF8("地図𠮷\r\nA"));
    // CR LF is one line end; the character outside the basic plane takes two units.
    EXPECT_EQ(range.GetSize(), 6);
    EXPECT_EQ(range.GetContents(), u"地図𠮷\rA");
    EXPECT_EQ(Data(text).plainText(), "地図𠮷\rA");
    range.InsertAfter(u"!");
    EXPECT_EQ(range.GetEnd(), 7);
    EXPECT_EQ(RangeOf(text).GetContents(), u"地図𠮷\rA!");
}

TEST_F(TextEngine, BadInputIsRefusedWithItsCode) {
    const HostArtHandle text = NewText();
    ATE::ITextRange range = RangeOf(text);
    EXPECT_EQ(ErrorOf([&] { range.InsertAfter(std::u16string(1, u'\xD800')); }), kHostErrEncoding);
    EXPECT_EQ(ErrorOf([] { ATE::FromUTF8("\xC3\x28"); }), kHostErrEncoding);
    ATE::ICharFeatures features;
    EXPECT_EQ(ErrorOf([&] { features.SetFontSize(0); }), kHostErrBadParameter);
    EXPECT_EQ(ErrorOf([&] { features.SetHorizontalScale(-1); }), kHostErrBadParameter);
    ATE::IParaFeatures para;
    EXPECT_EQ(ErrorOf([&] { para.SetJustification(7); }), kHostErrBadParameter);
    doc().layerAt(0)->editable = false;
    EXPECT_EQ(ErrorOf([&] { range.InsertAfter(u"x"); }), kHostErrRefused);
}

TEST_F(TextEngine, LocalFeaturesChangeOnlyTheirRangeAndOnlyTheFieldsTheyAssign) {
    const HostArtHandle text = NewText();
    host::TextData& data = Data(text);
    host::CharFeatures plain, big;
    big.fontSize = 20;
    data.runs = {{"ab", plain}, {"cd", big}, {"ef", plain}};
    ATE::ITextRange all = RangeOf(text);
    ATE::ITextRunsIterator runs = all.GetTextRuns();
    ATE::ITextRange ab = runs.Item();
    runs.Next();
    ATE::ITextRange cd = runs.Item();

    ATE::ICharFeatures squeeze;
    squeeze.SetVerticalScale(0.5);
    cd.SetLocalCharFeatures(squeeze);
    ATE::ICharFeatures same = cd.GetUniqueCharFeatures().Clone();
    same.ClearFontSize(); // "ab" keeps its own size...
    ab.SetLocalCharFeatures(same);
    ASSERT_EQ(data.runs.size(), 3u);
    EXPECT_EQ(data.runs[0].features.fontSize, 12);
    EXPECT_EQ(data.runs[0].features.verticalScale, 0.5);
    same.SetFontSize(20); // ...until it is given too: then "abcd" is one run
    ab.SetLocalCharFeatures(same);
    ASSERT_EQ(data.runs.size(), 2u);
    EXPECT_EQ(data.runs[0].text, "abcd");
    EXPECT_EQ(data.runs[1].features, plain);

    bool assigned = true;
    const ATE::ICharFeatures unique = all.GetUniqueCharFeatures();
    unique.GetVerticalScale(&assigned);
    EXPECT_FALSE(assigned);
    EXPECT_EQ(unique.GetHorizontalScale(&assigned), 1.0);
    EXPECT_TRUE(assigned);
}

TEST_F(TextEngine, RunsFollowTheFeaturesAndCanBeChangedOneByOne) {
    const HostArtHandle text = NewText();
    host::TextData& data = Data(text);
    host::CharFeatures plain, rotated;
    rotated.rotation = 45;
    rotated.fontSize = 20;
    data.runs = {{"ab", plain}, {"cde", rotated}, {"f", plain}};

    ATE::ITextRange range = RangeOf(text);
    ATE::ICharFeatures unique = range.GetUniqueCharFeatures();
    bool assigned = true;
    unique.GetFontSize(&assigned);
    EXPECT_FALSE(assigned) << "the runs disagree";
    HostColor fill{};
    EXPECT_TRUE(unique.GetFillPaint(&assigned, &fill));
    EXPECT_TRUE(assigned) << "but all are filled alike";

    std::vector<std::pair<int32_t, int32_t>> seen;
    for (ATE::ITextRunsIterator runs = range.GetTextRuns(); runs.IsNotDone(); runs.Next()) {
        ATE::ITextRange run = runs.Item();
        seen.emplace_back(run.GetStart(), run.GetEnd());
        ATE::ICharFeatures f = run.GetUniqueCharFeatures();
        f.SetCharacterRotation(0);
        run.SetLocalCharFeatures(f);
    }
    EXPECT_EQ(seen, (std::vector<std::pair<int32_t, int32_t>>{{0, 2}, {2, 5}, {5, 6}}));
    for (const host::TextRun& run : data.runs)
        EXPECT_EQ(run.features.rotation, 0);
    EXPECT_EQ(data.runs.size(), 3u) << "font sizes still differ";
    EXPECT_EQ(data.runs[1].text, "cde");
}

TEST_F(TextEngine, FramesGiveKindMatrixInTheEnginesConventionAndTheWholeText) {
    const HostArtHandle text = NewText({10, 20});
    RangeOf(text).InsertAfter(u"label");
    HostRealMatrix m = host::rotationMatrix(std::numbers::pi / 6);
    host::concatTranslate(m, 10, 20);
    Data(text).matrix = m;

    ATETextFrameRef ref = nullptr;
    ASSERT_EQ(sTextFrame->GetATETextFrame(text, &ref), kHostNoErr);
    const ATE::ITextFrame frame(ref);
    EXPECT_EQ(frame.GetType(), kATEPointTextType);
    const HostRealMatrix engine = frame.GetMatrix();
    EXPECT_NEAR(engine.b, -0.5, 1e-12) << "y grows downwards in the engine";
    EXPECT_NEAR(engine.ty, -20, 1e-12);
    EXPECT_EQ(frame.GetTextRange().GetContents(), u"label");

    int32_t kind = -1;
    EXPECT_EQ(sTextFrame->GetType(text, &kind), kHostNoErr);
    EXPECT_EQ(kind, kATEPointTextType);
    HostArtHandle path = nullptr;
    EXPECT_EQ(sTextFrame->GetFramePath(text, &path), kHostErrWrongType);
    EXPECT_EQ(sTextFrame->SetOrientation(text, kATEVerticalOrientation), kHostNoErr);
    EXPECT_EQ(Data(text).orientation, host::Orientation::Vertical);
}

TEST_F(TextEngine, CopiesShareAReferenceAndAStaleOneIsRefused) {
    const HostArtHandle text = NewText();
    ATE::ITextRange range = RangeOf(text);
    {
        const ATE::ITextRange copy = range; // one more count
        ATE::ITextRange moved = std::move(range);
        EXPECT_EQ(moved.GetRef(), copy.GetRef());
        range = moved;
    }
    EXPECT_EQ(range.GetSize(), 0);
    ASSERT_EQ(sArt->DisposeArt(text), kHostNoErr);
    EXPECT_EQ(ErrorOf([&] { range.GetSize(); }), kHostErrBadHandle);
    ATE::ITextRange empty;
    EXPECT_EQ(ErrorOf([&] { empty.GetSize(); }), kHostErrBadHandle);
}

} // namespace
