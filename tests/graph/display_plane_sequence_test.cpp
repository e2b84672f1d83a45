#include "graph/display/display_plane_sequence.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Resource::AtlasRectangle;
using Testing::FakeDrawable;
using Testing::FakeVertexBuffer;

// Rectangle i spans u from i to i + 1 and x from 10 i to 10 i + 5.
std::vector<AtlasRectangle> Strip(UInt32 count)
{
    std::vector<AtlasRectangle> rectangles;
    for (UInt32 i = 0; i < count; ++i) {
        const Float f = Float(i);
        rectangles.push_back(AtlasRectangle{f, 0.0f, f + 1.0f, 1.0f, 10.0f * f, 1.0f, 10.0f * f + 5.0f, -1.0f});
    }
    return rectangles;
}

class DisplayPlaneSequenceTest : public Testing::ViewSceneFixture
{
protected:
    DisplayPlaneSequence* Make(const std::string& attributes)
    {
        INamespace* scene = Scene("<View><PerspectiveCamera fieldOfViewX='1' zw='100'/><DisplayPlaneSequence id='s' "
                                  "atlasResourceId='p:atlas' " +
                                  attributes + "/></View>");
        return scene != nullptr ? Find<DisplayPlaneSequence>(scene, "s") : nullptr;
    }
    static FakeVertexBuffer* VertexBuffer(DisplayPlaneSequence* sequence)
    {
        return static_cast<FakeVertexBuffer*>(
            static_cast<FakeDrawable*>(sequence->GetDisplayDrawable())->mVertexBuffers.at(0));
    }
};

TEST_F(DisplayPlaneSequenceTest, ClampsTheIndexToTheAtlas)
{
    mCollection.AddAtlas("p:atlas", Strip(5));
    DisplayPlaneSequence* sequence = Make("index='9'");
    ASSERT_NE(sequence, nullptr);
    EXPECT_EQ(sequence->GetIndex(), 4);
    EXPECT_EQ(sequence->GetNumberOfIndices(), 5u);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(sequence->GetVertexData()[0], 40.0f);

    const SInt32 cases[][2] = {{7, 4}, {-1, 0}, {4, 4}, {2, 2}};
    for (const auto& c : cases) {
        EXPECT_TRUE(sequence->SetIndex(c[0]));
        EXPECT_EQ(sequence->GetIndex(), c[1]) << c[0];
    }
    // Past the end the sizes read the last rectangle.
    EXPECT_EQ(sequence->GetSizeX(99), 5.0f);
}

TEST_F(DisplayPlaneSequenceTest, PlacesTheRectangleAndScalesIt)
{
    mCollection.AddAtlas("p:atlas", {AtlasRectangle{64.0f, 0.0f, 128.0f, 32.0f, 10.0f, 20.0f, 42.0f, -12.0f}});
    DisplayPlaneSequence* sequence = Make("textureSizeX='256' textureSizeY='64'");
    ASSERT_NE(sequence, nullptr);
    ASSERT_TRUE(RunFrame());
    const Float* v = sequence->GetVertexData();
    const Float expected[4][8] = {
        {10, 20, 0, 0.25f, 0, 0, 0, 1},
        {42, 20, 0, 0.5f, 0, 0, 0, 1},
        {10, -12, 0, 0.25f, 0.5f, 0, 0, 1},
        {42, -12, 0, 0.5f, 0.5f, 0, 0, 1},
    };
    for (UInt32 i = 0; i < 4; ++i)
        for (UInt32 j = 0; j < 8; ++j)
            EXPECT_FLOAT_EQ(v[i * 8 + j], expected[i][j]) << "vertex " << i << " float " << j;
    const FakeDrawable* drawable = static_cast<FakeDrawable*>(sequence->GetDisplayDrawable());
    EXPECT_FLOAT_EQ(drawable->mCentre.x, 26.0f);
    EXPECT_FLOAT_EQ(drawable->mCentre.y, 4.0f);
    EXPECT_EQ(sequence->GetCurrentSizeX(), 32.0f);
    EXPECT_EQ(sequence->GetCurrentSizeY(), 32.0f);
    FakeVertexBuffer* buffer = VertexBuffer(sequence);
    ASSERT_EQ(buffer->mAttributes.size(), 3u);
    EXPECT_EQ(buffer->mAttributes[1].first, Enums::VertexAttribute::TEXCOORD_0);
    EXPECT_EQ(buffer->mAttributes[2].second, 20u);

    sequence->SetScaleFactorY(0.5f);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(sequence->GetCurrentSizeY(), 16.0f);
    EXPECT_EQ(sequence->GetVertexData()[1], 10.0f);
}

TEST_F(DisplayPlaneSequenceTest, RebuildsOnceForANewIndexAndNotForTheSame)
{
    mCollection.AddAtlas("p:atlas", Strip(3));
    DisplayPlaneSequence* sequence = Make("");
    ASSERT_NE(sequence, nullptr);
    ASSERT_TRUE(RunFrame());
    FakeVertexBuffer* buffer = VertexBuffer(sequence);
    EXPECT_EQ(buffer->mModifiedCount, 1u);
    sequence->SetIndex(0);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(buffer->mModifiedCount, 1u);
    EXPECT_TRUE(mDisplay.mUpdates.empty());
    sequence->SetIndex(2);
    ASSERT_TRUE(RunFrame());
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(buffer->mModifiedCount, 2u);
    EXPECT_EQ(sequence->GetVertexData()[0], 20.0f);
}

TEST_F(DisplayPlaneSequenceTest, TakesAnotherAtlasOnlyWhenTheLanguageBringsOne)
{
    mCollection.AddAtlas("p:atlas", Strip(3));
    DisplayPlaneSequence* sequence = Make("index='2'");
    ASSERT_NE(sequence, nullptr);
    ASSERT_TRUE(RunFrame());
    FakeVertexBuffer* buffer = VertexBuffer(sequence);

    mConfiguration.SetLanguageChanged(true);
    ASSERT_TRUE(ConfigChanged());
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(buffer->mModifiedCount, 1u);

    // An empty variant fails the pass and keeps the atlas in use.
    mCollection.AddAtlas("p:atlas", {});
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(ConfigChanged());
    EXPECT_THAT(::testing::internal::GetCapturedStderr(),
                ::testing::HasSubstr("Graph::DisplayPlaneSequence::ConfigChangedSelf(s): Resource atlas \"p:atlas\" "
                                     "does not contain any rectangles"));
    EXPECT_EQ(sequence->GetNumberOfIndices(), 3u);

    mCollection.AddAtlas("p:atlas", Strip(2));
    ASSERT_TRUE(ConfigChanged());
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(sequence->GetIndex(), 1);
    EXPECT_EQ(buffer->mModifiedCount, 2u);
    EXPECT_EQ(sequence->GetVertexData()[0], 10.0f);
}

TEST_F(DisplayPlaneSequenceTest, FailsWithoutAUsableAtlas)
{
    const struct
    {
        const char* attributes;
        std::vector<AtlasRectangle> rectangles;
        const char* line;
    } cases[] = {
        {"", Strip(1), "Graph::DisplayPlaneSequence::InitSelf(s): No atlas resource ID specified"},
        {"atlasResourceId='p:other'", Strip(1),
         "Graph::DisplayPlaneSequence::InitSelf(s): Failed to get resource atlas \"p:other\""},
        {"atlasResourceId='p:atlas'", {},
         "Graph::DisplayPlaneSequence::InitSelf(s): Resource atlas \"p:atlas\" does not contain any rectangles"},
        {"atlasResourceId='p:atlas' textureSizeX='0'", Strip(1),
         "Graph::DisplayPlaneSequence::InitSelf(s): Texture size cannot be 0"},
    };
    for (const auto& c : cases) {
        mCollection.AddAtlas("p:atlas", c.rectangles);
        ASSERT_NE(Build(std::string("<View><DisplayPlaneSequence id='s' ") + c.attributes + "/></View>"), nullptr);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Init());
        EXPECT_THAT(::testing::internal::GetCapturedStderr(), ::testing::HasSubstr(c.line));
        EXPECT_TRUE(DeInit());
        ASSERT_TRUE(DestroyScene());
        EXPECT_TRUE(mDisplay.mLiveObjects.empty());
    }
}

} // namespace
} // namespace Graph
} // namespace Vorn
