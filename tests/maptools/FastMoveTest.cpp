// Fast move end to end: the selection, the two questions and what moves.
#include "MapToolsHarness.h"

#include "support/TextArt.h"

#include "maptools/FastMove.h"

namespace {

using host::Answer;
using maptest::MapToolsTest;

constexpr const char* kSelectOnePath = "移動先を示すパスを1つだけ選択して実行してください";
constexpr const char* kDeleteQuestion = "移動完了後に、移動先を示すパスを削除しますか？";
constexpr const char* kGuidesQuestion = "ガイドを無視しますか？";

class FastMove : public MapToolsTest {
protected:
    HostErr RunCommand() {
        CFastMove command;
        return command.Run();
    }
    static void ExpectAt(const host::Art& path, HostRealPoint first) {
        const HostRealPoint p = Points(path)[0];
        EXPECT_DOUBLE_EQ(p.h, first.h);
        EXPECT_DOUBLE_EQ(p.v, first.v);
    }
    bool Alive(HostArtHandle art) { return doc().art(art) != nullptr; }
};

TEST_F(FastMove, MovesVisibleUnlockedArtByTheVectorOfTheSelectedPath) {
    host::Art& group = Group(LayerGroup());
    host::Art& inGroup = Path(group, {{0, 0}, {5, 5}});
    host::Art& compound = *doc().makeArt(host::ArtType::CompoundPath);
    doc().appendChild(group, compound);
    host::Art& member = Path(compound, {{20, 20}, {30, 20}, {30, 30}}, true);
    // The destination sits inside the group that moves, and stays.
    host::Art& destination = Path(group, {{100, 100}, {150, 100}, {130, 140}});
    const HostArtHandle destinationHandle = destination.handle();
    const maptest::ClosedArt closed =
        AddClosedArt({{1, 1}, {2, 2}}, {{3, 3}, {4, 4}}, {{7, 7}, {8, 8}}, {{9, 9}, {8, 8}});
    host::Layer& other = AddLayer("Other");
    host::Art& onOther = Path(*other.group(), {{50, 50}, {60, 60}});
    Select(destination);
    Answers({Answer::No});

    ASSERT_EQ(RunCommand(), kHostNoErr);
    // From the first anchor (100, 100) to the last (130, 140).
    ExpectAt(inGroup, {30, 40});
    ExpectAt(member, {50, 60});
    ExpectAt(onOther, {80, 90});
    ExpectAt(destination, {100, 100});
    ExpectAt(closed.inLockedGroup, {1, 1});
    ExpectAt(closed.hidden, {3, 3});
    ExpectAt(closed.onHiddenLayer, {7, 7});
    ExpectAt(closed.onLockedLayer, {9, 9});
    EXPECT_TRUE(Alive(destinationHandle));
    EXPECT_EQ(Questions(), std::vector<std::string>{kDeleteQuestion}) << "no guide, no question";
}

TEST_F(FastMove, AClosedPathStillRunsFromItsFirstToItsLastAnchor) {
    host::Art& art = Path(LayerGroup(), {{0, 0}, {1, 1}});
    host::Art& destination = Path(LayerGroup(), {{10, 10}, {40, 10}, {40, 30}}, true);
    const HostArtHandle destinationHandle = destination.handle();
    Select(destination);
    Answers({Answer::Yes});
    ASSERT_EQ(RunCommand(), kHostNoErr);
    ExpectAt(art, {30, 20});
    EXPECT_FALSE(Alive(destinationHandle)) << "deleted after the move";
}

TEST_F(FastMove, ASingleAnchorGivesNoMovementAndCanStillBeDeleted) {
    host::Art& art = Path(LayerGroup(), {{5, 6}, {7, 8}});
    host::Art& destination = Path(LayerGroup(), {{10, 10}});
    const HostArtHandle destinationHandle = destination.handle();
    Select(destination);
    Answers({Answer::Yes});
    ASSERT_EQ(RunCommand(), kHostNoErr);
    ExpectAt(art, {5, 6});
    EXPECT_FALSE(Alive(destinationHandle));
}

TEST_F(FastMove, SelectionsWithoutExactlyOnePathAreRefused) {
    enum class Selection { Nothing, TwoPaths, PathAndText };
    for (const Selection selection :
         {Selection::Nothing, Selection::TwoPaths, Selection::PathAndText}) {
        SCOPED_TRACE(static_cast<int>(selection));
        NewDocument();
        app().user().clearRecords();
        host::Art& bystander = Path(LayerGroup(), {{50, 50}, {60, 60}});
        if (selection != Selection::Nothing) Select(Path(LayerGroup(), {{0, 0}, {1, 1}}));
        if (selection == Selection::TwoPaths) Select(Path(LayerGroup(), {{2, 2}, {3, 3}}));
        if (selection == Selection::PathAndText) {
            host::Art* text = cartotest::AddPointText(doc(), LayerGroup(), {5, 5});
            ASSERT_NE(text, nullptr);
            Select(*text);
        }
        EXPECT_EQ(RunCommand(), kHostNoErr);
        EXPECT_EQ(Messages(), std::vector<std::string>{kSelectOnePath});
        EXPECT_TRUE(Questions().empty());
        ExpectAt(bystander, {50, 50});
    }
}

TEST_F(FastMove, GuidesAreAskedAboutOnceAndTheAnswerHoldsForAll) {
    for (const host::Answer ignore : {Answer::Yes, Answer::No}) {
        SCOPED_TRACE(ignore == Answer::Yes ? "ignore" : "move");
        NewDocument();
        app().user().clearRecords();
        host::Art& first = Path(LayerGroup(), {{0, 0}, {1, 1}});
        first.path()->guide = true;
        host::Art& second = Path(LayerGroup(), {{2, 2}, {3, 3}});
        second.path()->guide = true;
        host::Art& plain = Path(LayerGroup(), {{4, 4}, {5, 5}});
        host::Art& destination = Path(LayerGroup(), {{0, 0}, {10, 0}});
        Select(destination);
        Answers({Answer::No, ignore});

        ASSERT_EQ(RunCommand(), kHostNoErr);
        EXPECT_EQ(Questions(), (std::vector<std::string>{kDeleteQuestion, kGuidesQuestion}));
        const double dx = ignore == Answer::Yes ? 0 : 10;
        ExpectAt(first, {dx, 0});
        ExpectAt(second, {2 + dx, 2});
        ExpectAt(plain, {14, 4});
    }
}

TEST_F(FastMove, TheDestinationIsDeletedOnlyAfterACleanWalk) {
    Path(LayerGroup(), {{0, 0}, {1, 1}});
    host::Art& stays = Path(LayerGroup(), {{2, 2}, {3, 3}});
    host::Art& destination = Path(LayerGroup(), {{0, 0}, {10, 0}});
    const HostArtHandle destinationHandle = destination.handle();
    Select(destination);
    Answers({Answer::Yes});
    app().faults().failOperation("AI Transform Art Suite/TransformArt", kHostErrMemory, 2);
    EXPECT_EQ(RunCommand(), kHostErrMemory);
    EXPECT_TRUE(Alive(destinationHandle));
    ExpectAt(stays, {2, 2});
}

// A failure to read what decides the move, or whether a layer takes part, ends the run
// with that error: the rest of the map never moves without the layer passed over.
TEST_F(FastMove, FailuresWhileMeasuringOrReadingLayersEndTheRun) {
    const char* operations[] = {"GetPathSegmentCount", "GetPathSegments", "GetLayerVisible",
                                "GetLayerEditable", "YesNoAlert"};
    for (const char* operation : operations) {
        SCOPED_TRACE(operation);
        app().user().clearRecords();
        OpenSession(host::Document::createDefault());
        host::Art& other = Path(*AddLayer("Other").group(), {{50, 50}, {60, 60}});
        host::Art& destination = Path(LayerGroup(), {{0, 0}, {10, 0}});
        Select(destination);
        Answers({Answer::No});
        app().faults().failOperation(operation, kHostErrMemory, 1);
        EXPECT_EQ(RunCommand(), kHostErrMemory);
        app().faults().clear();
        ExpectAt(other, {50, 50});
    }
}

TEST_F(FastMove, ASelectionThatCannotBeReadIsReportedWithItsError) {
    Select(Path(LayerGroup(), {{0, 0}, {10, 0}}));
    app().faults().failOperation("AI Art Suite/GetArtType", kHostErrBadHandle, 1);
    EXPECT_EQ(RunCommand(), kHostErrBadHandle);
    EXPECT_EQ(Messages(), std::vector<std::string>{kSelectOnePath});
}

} // namespace
