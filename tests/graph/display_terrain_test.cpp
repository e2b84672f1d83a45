#include "graph/terrain/display_terrain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/support/terrain_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Testing::FakeDrawable;
using Testing::FakeIndexBuffer;
using Testing::FakeParameters;

class DisplayTerrainTest : public Testing::TerrainSceneFixture
{
protected:
    void AddFlatMaps(UInt8 base, UInt8 detail, UInt8 scale)
    {
        AddRedMap("p:base", 1, 1, [=](UInt32, UInt32) { return base; });
        AddRedMap("p:detail", 1, 1, [=](UInt32, UInt32) { return detail; });
        AddRedMap("p:scale", 1, 1, [=](UInt32, UInt32) { return scale; });
    }
    static std::string Maps()
    {
        return " baseHeightmapResourceId='p:base' detailHeightmapResourceId='p:detail' "
               "detailScalemapResourceId='p:scale'";
    }
    // A view whose camera is placed by PlaceCamera, and the terrain "t" with the maps and attributes.
    INamespace* TerrainScene(const std::string& attributes)
    {
        INamespace* scene = Scene("<View><PerspectiveCamera id='camera' fieldOfViewX='1'/><DisplayTerrain id='t'" +
                                  Maps() + " " + attributes + "/></View>");
        if (scene != nullptr)
            mTerrain = Find<DisplayTerrain>(scene, "t");
        return scene;
    }
    // Side of a patch at its level.
    Float PatchSide(const TerrainPatch& patch) const
    {
        const TerrainPatchSet& set = mTerrain->GetPatchSet(patch.mSet);
        return Float(set.mResolution * set.mCellSize) * patch.mScale;
    }
    // Active patches never overlap, and every patch is either active or in its pool.
    void ExpectDisjointPatchesAndFullPools()
    {
        const auto& active = mTerrain->GetActivePatches();
        UInt32 perSet[2] = {0, 0};
        for (SInt32 a = 0; a < active.GetCount(); ++a) {
            const TerrainPatch& p = *active.GetValue(a);
            ++perSet[p.mSet];
            for (SInt32 b = a + 1; b < active.GetCount(); ++b) {
                const TerrainPatch& q = *active.GetValue(b);
                const Float reach = (PatchSide(p) + PatchSide(q)) / 2.0f;
                EXPECT_FALSE(std::fabs(p.mCentreX - q.mCentreX) < reach && std::fabs(p.mCentreZ - q.mCentreZ) < reach)
                    << "levels " << p.mLevel << " and " << q.mLevel;
            }
        }
        for (UInt32 set = 0; set < 2; ++set)
            EXPECT_EQ(perSet[set] + mTerrain->GetNumberOfFreePatches(set), DisplayTerrain::kPatchesPerSet);
    }

    DisplayTerrain* mTerrain = nullptr;
};

TEST_F(DisplayTerrainTest, RefusesBadSettingsAndMissingMapsAndCreatesNothing)
{
    AddFlatMaps(1, 1, 1);
    AddRedMap("p:wide", 2, 1, [](UInt32, UInt32) { return 0; });
    const struct
    {
        std::string attributes;
        const char* line;
    } cases[] = {
        {"detailHeightmapResourceId='p:detail'", "InitSelf(t): No base heightmap specified"},
        {"baseHeightmapResourceId='p:base'", "InitSelf(t): No detail heightmap specified"},
        {Maps() + " numDetailLevels='0'", "numDetailLevels 0 is not from 1 to 13"},
        {Maps() + " numDetailLevels='14'", "numDetailLevels 14 is not from 1 to 13"},
        {Maps() + " gridResolution='12'", "gridResolution 12 is not a power of two from 8 to 128"},
        {Maps() + " gridResolution='4'", "gridResolution 4 is not a power of two"},
        {Maps() + " gridResolution='256'", "gridResolution 256 is not a power of two"},
        {Maps() + " gridSize='0'", "gridSize must not be 0"},
        {"baseHeightmapResourceId='p:none' detailHeightmapResourceId='p:detail'",
         "Failed to get base heightmap resource image \"p:none\""},
        {"baseHeightmapResourceId='p:base' detailHeightmapResourceId='p:detail'",
         "Failed to get detail scale map resource image \"\""},
        {"baseHeightmapResourceId='p:base' detailHeightmapResourceId='p:detail' detailScalemapResourceId='p:wide'",
         "Detail scale map is 2x1, the base heightmap 1x1"},
        {"baseHeightmapResourceId='p:base' detailHeightmapResourceId='p:none' detailScalemapResourceId='p:scale'",
         "Failed to get detail heightmap resource image \"p:none\""},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(DestroyScene());
        std::string log;
        EXPECT_FALSE(InitCapturing("<DisplayTerrain id='t' " + c.attributes + "/>", log)) << c.attributes;
        EXPECT_NE(log.find(std::string("Graph::DisplayTerrain::InitSelf(t): ")), std::string::npos) << log;
        EXPECT_NE(log.find(c.line), std::string::npos) << log;
        EXPECT_TRUE(mDisplay.mLiveObjects.empty()) << c.attributes;
    }
}

TEST_F(DisplayTerrainTest, BaseSamplesAverageTheEightWrappedNeighboursAndTheQueryWraps)
{
    // Only texel (1, 1) is raised: the samples around it (and their repeats) carry 64 x 128 / 8.
    AddRedMap("p:base", 4, 4, [](UInt32 x, UInt32 y) { return x == 1 && y == 1 ? 64 : 0; });
    AddRedMap("p:scale", 4, 4, [](UInt32, UInt32) { return 0; });
    AddRedMap("p:detail", 2, 2, [](UInt32 x, UInt32) { return x * 100; });
    AddRedMap("p:one", 1, 1, [](UInt32, UInt32) { return 10; });
    AddRedMap("p:oneDetail", 1, 1, [](UInt32, UInt32) { return 48; });
    AddRedMap("p:oneScale", 1, 1, [](UInt32, UInt32) { return 24; });
    INamespace* scene = Scene("<DisplayTerrain id='t'" + Maps() +
                              "/><DisplayTerrain id='flat' baseHeightmapResourceId='p:one' "
                              "detailHeightmapResourceId='p:oneDetail' detailScalemapResourceId='p:oneScale'/>");
    ASSERT_NE(scene, nullptr);
    const DisplayTerrain* t = Find<DisplayTerrain>(scene, "t");
    const UInt16 expected[5][5] = {
        {1024, 1024, 1024, 0, 1024}, {1024, 0, 1024, 0, 1024}, {1024, 1024, 1024, 0, 1024},
        {0, 0, 0, 0, 0},             {1024, 1024, 1024, 0, 1024},
    };
    for (UInt32 y = 0; y <= 4; ++y)
        for (UInt32 x = 0; x <= 4; ++x)
            EXPECT_EQ(t->GetBaseSample(x, y), expected[y][x]) << x << ", " << y;

    const Float e = t->GetSizeX();
    EXPECT_EQ(e, 131072.0f);
    EXPECT_EQ(t->GetSizeZ(), e);
    EXPECT_FLOAT_EQ(t->GetHeight(-e / 2, -e / 2), 1024.0f / 8);
    // Half a texel left of the terrain: between texel 3 (0) and texel 0 (1024) of the repeat.
    const Float halfTexel = e / 4096 / 2;
    EXPECT_FLOAT_EQ(t->GetHeight(-e / 2 - halfTexel, -e / 2), 512.0f / 8);
    // A whole terrain to the right is the same place.
    EXPECT_FLOAT_EQ(t->GetHeight(e / 2, -e / 2), t->GetHeight(-e / 2, -e / 2));

    // One texel: flat at red x 128, the detail weighted by scale / 24 on top.
    const DisplayTerrain* flat = Find<DisplayTerrain>(scene, "flat");
    EXPECT_EQ(flat->GetBaseSample(0, 0), 1280);
    EXPECT_EQ(flat->GetBaseSample(1, 1), 1280);
    for (const Float x : {-e / 2, -1234.5f, 0.0f, 77777.0f})
        EXPECT_FLOAT_EQ(flat->GetHeight(x, x / 3), (1280.0f + 48.0f) / 8) << x;
}

TEST_F(DisplayTerrainTest, LevelsDoubleTheirRangeOnePastTheCoarsest)
{
    AddFlatMaps(0, 0, 0);
    ASSERT_NE(TerrainScene("numDetailLevels='3' gridResolution='8' detailRange='100'"), nullptr);
    const Array<Float>& ranges = mTerrain->GetRanges();
    ASSERT_EQ(ranges.GetCount(), 4);
    EXPECT_EQ(ranges[0], 100.0f);
    EXPECT_EQ(ranges[3], 800.0f);
}

TEST_F(DisplayTerrainTest, PatchSetsShareAStripAndThePlanarVertices)
{
    AddFlatMaps(0, 0, 0);
    ASSERT_NE(TerrainScene("gridResolution='8'"), nullptr);
    const TerrainPatchSet& full = mTerrain->GetPatchSet(0);
    const TerrainPatchSet& half = mTerrain->GetPatchSet(1);
    // One run of 8 columns, four row pairs of 40 indices; the half set has no whole run.
    ASSERT_EQ(full.mIndices.size(), 160u);
    EXPECT_TRUE(half.mIndices.empty());
    const UInt16 start[] = {9, 9, 0, 10, 1, 11, 2};
    for (UInt32 i = 0; i < 7; ++i)
        EXPECT_EQ(full.mIndices[i], start[i]) << i;
    // The last index of the first row pair closes it on row 2, column 0.
    EXPECT_EQ(full.mIndices[39], 18);
    EXPECT_EQ(full.mIndices[40], 27);
    const FakeIndexBuffer* indices = static_cast<const FakeIndexBuffer*>(full.mIndexBuffer.Get());
    EXPECT_EQ(indices->mPrimitiveType, Enums::PrimitiveType::TRIANGLE_STRIP);
    EXPECT_EQ(indices->mCapacity, 160u);
    // Vertex (1, 1) of cell size 4: its place and that of the even corner it morphs to.
    const Float* vertex = &full.mVertices[(1 * 9 + 1) * 4];
    EXPECT_EQ(vertex[0], -12.0f);
    EXPECT_EQ(vertex[1], -12.0f);
    EXPECT_EQ(vertex[2], -16.0f);
    EXPECT_EQ(vertex[3], -16.0f);
    EXPECT_EQ(half.mVertices[(4 * 5 + 4) * 4], 16.0f);
}

TEST_F(DisplayTerrainTest, PatchHeightsMatchTheHeightQueryAndMorphToTheirEvenCorner)
{
    AddRedMap("p:base", 8, 8, [](UInt32 x, UInt32 y) { return (x * 37 + y * 11) & 255; });
    AddRedMap("p:detail", 4, 4, [](UInt32 x, UInt32 y) { return x * 50 + y * 7; });
    // A scale of 24 weighs the detail exactly, so patch and query agree to the unit.
    AddRedMap("p:scale", 8, 8, [](UInt32, UInt32) { return 24; });
    INamespace* scene = TerrainScene("numDetailLevels='10' detailRange='16'");
    ASSERT_NE(scene, nullptr);
    PlaceCamera(scene, 0, 50, 0, 1, 0);
    ASSERT_TRUE(RunFrame());

    const Float e = mTerrain->GetSizeX();
    UInt32 spreadPatches = 0;
    UInt32 coarsePatches = 0;
    const auto& active = mTerrain->GetActivePatches();
    ASSERT_GT(active.GetCount(), 0);
    for (SInt32 a = 0; a < active.GetCount(); ++a) {
        const TerrainPatch& patch = *active.GetValue(a);
        const UInt32 r = mTerrain->GetPatchSet(patch.mSet).mResolution;
        const UInt32 n = DisplayTerrain::kTexelsAcross >> (10 - patch.mLevel - 1);
        const UInt32 spread = n >= r ? 1 : r / n;
        const UInt32 step = n >= r ? n / r : 1;
        spreadPatches += spread > 1 ? 1 : 0;
        coarsePatches += patch.mSet;
        const UInt16* vertices = patch.mVertices[patch.mCurrent].data();
        for (UInt32 j = 0; j <= r; ++j) {
            for (UInt32 i = 0; i <= r; ++i) {
                const UInt16* v = vertices + 2 * (j * (r + 1) + i);
                EXPECT_EQ(v[1], vertices[2 * ((j & ~1u) * (r + 1) + (i & ~1u))]);
                if (i % spread != 0 || j % spread != 0)
                    continue;
                const Float column = Float(patch.mOriginColumn + i / spread * step);
                const Float row = Float(patch.mOriginRow + j / spread * step);
                const Float x = (column / 4096 - 0.5f) * e;
                const Float z = (row / 4096 - 0.5f) * e;
                ASSERT_EQ(Float(v[0]) * 0.125f, mTerrain->GetHeight(x, z))
                    << "level " << patch.mLevel << " set " << patch.mSet << " vertex " << i << ", " << j;
            }
        }
    }
    EXPECT_GT(spreadPatches, 0u);
    EXPECT_GT(coarsePatches, 0u);
}

TEST_F(DisplayTerrainTest, EachFrameDrawsTheChosenPatchesAndReturnsTheOthersToTheirPools)
{
    AddFlatMaps(3, 0, 0);
    INamespace* scene = TerrainScene("numDetailLevels='6' detailRange='64'");
    ASSERT_NE(scene, nullptr);
    const Float e = mTerrain->GetSizeX();
    ASSERT_EQ(e, 2048.0f);

    // Above the middle, looking along +x: nothing wholly behind the camera is chosen (an edge
    // through the camera is not behind it).
    PlaceCamera(scene, 0, 20, 0, 1, 0);
    ASSERT_TRUE(RunFrame());
    const auto& active = mTerrain->GetActivePatches();
    ASSERT_GT(active.GetCount(), 4);
    ExpectDisjointPatchesAndFullPools();
    ASSERT_EQ(mDisplay.mDrawables.size(), UInt32(active.GetCount()));
    EXPECT_EQ(mDisplay.mUpdates.size(), UInt32(active.GetCount()));
    for (SInt32 a = 0; a < active.GetCount(); ++a) {
        const TerrainPatch& patch = *active.GetValue(a);
        EXPECT_GE(patch.mCentreX + PatchSide(patch) / 2, 0.0f);
        const auto& record = mDisplay.mDrawables[a];
        ASSERT_EQ(record.drawable, patch.mDrawable.Get());
        EXPECT_EQ(static_cast<FakeDrawable*>(record.drawable)->mLevel, patch.mLevel);
        EXPECT_EQ(record.parameters.at(patch.mLevel), patch.mParameters.Get());
        EXPECT_EQ(record.vertexBuffers[0], mTerrain->GetPatchSet(patch.mSet).mVertexBuffer.Get());
        EXPECT_EQ(record.vertexBuffers[1], patch.mVertexBuffer.Get());
        // The patch matrix (a quarter turn about x at the centre) with its first two axes scaled.
        EXPECT_EQ(record.transform[0], patch.mScale);
        EXPECT_EQ(record.transform[6], patch.mScale);
        EXPECT_EQ(record.transform[9], -1.0f);
        EXPECT_EQ(record.transform[12], patch.mCentreX);
        EXPECT_EQ(record.transform[14], patch.mCentreZ);
        const auto* offset = static_cast<FakeParameters::Values<Float, 4>*>(patch.mCameraOffset);
        EXPECT_EQ(offset->mValues[0], patch.mCentreX / patch.mScale);
        EXPECT_EQ(offset->mValues[2], patch.mScale);
        EXPECT_EQ(offset->mValues[3], mTerrain->GetRanges()[SInt32(patch.mLevel + patch.mSet)] / patch.mScale);
    }

    // The same view again: the cached patches are drawn without being sent again.
    ASSERT_TRUE(RunFrame());
    EXPECT_TRUE(mDisplay.mUpdates.empty());
    EXPECT_EQ(mDisplay.mDrawables.size(), UInt32(active.GetCount()));

    // Turned round: what lies wholly ahead of the camera before is back in the pools.
    PlaceCamera(scene, 0, 20, 0, -1, 0);
    ASSERT_TRUE(RunFrame());
    ExpectDisjointPatchesAndFullPools();
    for (SInt32 a = 0; a < active.GetCount(); ++a)
        EXPECT_LE(active.GetValue(a)->mCentreX - PatchSide(*active.GetValue(a)) / 2, 0.0f);

    // From far away the whole terrain is one coarse patch; coming back, the first child under the
    // same key gets a patch of its own level.
    PlaceCamera(scene, -3 * e, 20, 0, 1, 0);
    ASSERT_TRUE(RunFrame());
    ASSERT_EQ(active.GetCount(), 1);
    EXPECT_EQ(active.GetValue(0)->mSet, 1u);
    EXPECT_EQ(active.GetValue(0)->mLevel, 5u);
    PlaceCamera(scene, -e / 4, 20, -e / 4, 1, 0);
    ASSERT_TRUE(RunFrame());
    ExpectDisjointPatchesAndFullPools();
    EXPECT_GT(active.GetCount(), 4);
}

TEST_F(DisplayTerrainTest, AMovedAndTurnedTerrainDrawsItsPatchesWhereItStands)
{
    AddFlatMaps(3, 0, 0);
    INamespace* scene = Scene("<View><PerspectiveCamera id='camera' fieldOfViewX='1'/><Transform id='place'>"
                              "<DisplayTerrain id='t'" +
                              Maps() + " numDetailLevels='6' detailRange='64'/></Transform></View>");
    ASSERT_NE(scene, nullptr);
    mTerrain = Find<DisplayTerrain>(scene, "t");
    // A quarter turn about y, then a move.
    Math::Matrix<float>& place = Find<Transform>(scene, "place")->GetTransform();
    place.SetIdentity();
    place[0] = 0.0f;
    place[2] = -1.0f;
    place[8] = 1.0f;
    place[10] = 0.0f;
    place.SetTranslation(100.0f, 5.0f, -40.0f);
    PlaceCamera(scene, 0, 20, 0, 1, 0);
    ASSERT_TRUE(RunFrame());

    const auto& active = mTerrain->GetActivePatches();
    ASSERT_GT(active.GetCount(), 0);
    ASSERT_EQ(mDisplay.mDrawables.size(), UInt32(active.GetCount()));
    for (SInt32 a = 0; a < active.GetCount(); ++a) {
        const TerrainPatch& patch = *active.GetValue(a);
        // The node's place, then the patch's own matrix with its first two axes scaled.
        Math::Matrix<float> expected = place * patch.mPatchMatrix;
        for (UInt32 e = 0; e < 8; ++e)
            expected[e] *= patch.mScale;
        for (UInt32 e = 0; e < 16; ++e)
            EXPECT_FLOAT_EQ(mDisplay.mDrawables[a].transform[e], expected[e]) << "patch " << a << " element " << e;
    }
    // The centre of the first patch lands where the place puts it: turned, then moved.
    const TerrainPatch& first = *active.GetValue(0);
    EXPECT_FLOAT_EQ(mDisplay.mDrawables[0].transform[12], 100.0f + first.mCentreZ);
    EXPECT_FLOAT_EQ(mDisplay.mDrawables[0].transform[14], -40.0f - first.mCentreX);
}

TEST_F(DisplayTerrainTest, DeInitReleasesPatchesObjectsAndGrids)
{
    AddFlatMaps(3, 0, 0);
    INamespace* scene = TerrainScene("numDetailLevels='4'");
    ASSERT_NE(scene, nullptr);
    PlaceCamera(scene, 0, 20, 0, 0, 1);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(mDisplay.CountLive("Drawable"), 2 * DisplayTerrain::kPatchesPerSet);
    ASSERT_TRUE(DeInit());
    EXPECT_TRUE(mDisplay.mLiveObjects.empty());
    EXPECT_EQ(mDisplay.mDestroyedInitializedCount, 0u);
    EXPECT_EQ(mTerrain->GetActivePatches().GetCount(), 0);
    EXPECT_EQ(mTerrain->GetHeight(0, 0), 0.0f);
}

} // namespace
} // namespace Graph
} // namespace Vorn
