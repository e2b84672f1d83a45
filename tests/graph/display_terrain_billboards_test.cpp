#include "graph/terrain/display_terrain_billboards.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "graph/terrain/display_terrain.h"
#include "tests/support/terrain_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Billboards = DisplayTerrainBillboards;
using Testing::FakeIndexBuffer;
using Testing::FakeParameters;
using Testing::FakeVertexBuffer;

class DisplayTerrainBillboardsTest : public Testing::TerrainSceneFixture
{
protected:
    DisplayTerrainBillboardsTest()
    {
        // A flat ground at 10 x 128 / 8 = 160.
        AddMap("p:base", 1, 1, [](UInt32, UInt32) { return 10u << 16; });
        AddMap("p:zero", 1, 1, [](UInt32, UInt32) { return 0u; });
        // Billboards on the left half of the map only, under a red light.
        AddMap("p:objects", 16, 16, [](UInt32 x, UInt32) { return x < 8 ? 0xFF0000u : 0u; });
        AddMap("p:full", 16, 16, [](UInt32, UInt32) { return 0xFF0000u; });
        AddMap("p:light", 16, 16, [](UInt32, UInt32) { return 0xFF0000u; });
        AddMap("p:smallLight", 8, 8, [](UInt32, UInt32) { return 0xFF0000u; });
    }
    static std::string Ground()
    {
        return "<DisplayTerrain id='ground' numDetailLevels='2' baseHeightmapResourceId='p:base' "
               "detailHeightmapResourceId='p:zero' detailScalemapResourceId='p:zero'/>";
    }
    INamespace* mScene = nullptr;

    // Billboards over a map of 4 x 4 tiles of 256 units, 4 x 4 object-map pixels each.
    static std::string Element(const char* id, const std::string& attributes)
    {
        std::string element = std::string("<DisplayTerrainBillboards id='") + id +
                              "' heightFieldId='ground' " + attributes;
        if (attributes.find("mapSize") == std::string::npos)
            element += " mapSize='1024'";
        if (attributes.find("tileSize") == std::string::npos)
            element += " tileSize='256'";
        if (attributes.find("lightMapResourceId") == std::string::npos)
            element += " lightMapResourceId='p:light'";
        return element + "/>";
    }
    // The ground, then a view with a camera and the body.
    INamespace* ViewScene(const std::string& body)
    {
        return Scene(Ground() + "<View><PerspectiveCamera id='camera' fieldOfViewX='1'/>" + body + "</View>");
    }
    static const Billboards::Slot* SlotOf(const Billboards* node, const Billboards::Tile* tile)
    {
        for (const Billboards::Slot* slot : node->GetActiveSlots())
            if (slot->mTile == tile)
                return slot;
        return nullptr;
    }
};

TEST_F(DisplayTerrainBillboardsTest, ScatterFollowsTheMapsAndIsTheSameEachTime)
{
    INamespace* scene = Scene(Ground() + Element("a", "objectMapResourceId='p:objects'") +
                              Element("b", "objectMapResourceId='p:objects'") +
                              Element("c", "objectMapResourceId='p:objects' maxObjectsPerTile='1'"));
    ASSERT_NE(scene, nullptr);
    const Billboards* a = Find<Billboards>(scene, "a");
    const Billboards* b = Find<Billboards>(scene, "b");
    const Billboards* c = Find<Billboards>(scene, "c");
    ASSERT_EQ(a->GetTilesPerSide(), 4u);
    UInt32 placed = 0;
    for (UInt32 row = 0; row < 4; ++row) {
        for (UInt32 column = 0; column < 4; ++column) {
            const Billboards::Tile* tile = a->GetTile(column, row);
            const Billboards::Tile* same = b->GetTile(column, row);
            // Object-map bytes of 0 place nothing: the right half stays empty.
            if (column >= 2) {
                EXPECT_EQ(tile, nullptr);
                continue;
            }
            if (tile == nullptr) {
                EXPECT_EQ(same, nullptr);
                continue;
            }
            const UInt32 count = UInt32(tile->mBillboards.GetCount());
            placed += count;
            EXPECT_EQ(tile->mCentreX, Float(column * 256 + 128));
            EXPECT_EQ(tile->mCentreZ, Float(row * 256 + 128));
            ASSERT_NE(same, nullptr);
            ASSERT_EQ(UInt32(same->mBillboards.GetCount()), count);
            EXPECT_EQ(std::memcmp(tile->mBillboards.GetItems(), same->mBillboards.GetItems(),
                                  count * sizeof(Billboards::Billboard)),
                      0);
            for (const Billboards::Billboard& billboard : tile->mBillboards) {
                EXPECT_EQ(billboard.mPosition[1], 160.0f);
                EXPECT_EQ(billboard.mPosition[3], 1.0f);
                EXPECT_EQ(std::fmod(billboard.mPosition[0], 64.0f), 0.0f);
                EXPECT_GE(billboard.mPosition[0], -128.0f);
                EXPECT_LE(billboard.mPosition[2], 64.0f);
                EXPECT_GE(billboard.mHalfWidth, 20.0f);
                EXPECT_LE(billboard.mHalfWidth, 50.0f);
                EXPECT_EQ(billboard.mHeight, billboard.mHalfWidth * 2.6f);
                // Red light: (2, 0, 0) halved plus their sum / 4.
                EXPECT_EQ(billboard.mColor[0], 1.5f);
                EXPECT_EQ(billboard.mColor[1], 0.5f);
                EXPECT_EQ(billboard.mColor[2], 0.5f);
            }
            // Back to front along +x, -x, +z and -z.
            for (UInt32 order = 0; order < 4; ++order) {
                const std::vector<UInt32>& list = tile->mOrders[order];
                ASSERT_EQ(list.size(), count);
                EXPECT_EQ(list, same->mOrders[order]);
                const UInt32 axis = order < 2 ? 0 : 2;
                for (UInt32 k = 1; k < count; ++k) {
                    const Float before = tile->mBillboards[SInt32(list[k - 1])].mPosition[axis];
                    const Float after = tile->mBillboards[SInt32(list[k])].mPosition[axis];
                    EXPECT_TRUE(order % 2 == 0 ? before >= after : before <= after) << order;
                }
            }
            // One billboard at most: the first one of the same draws.
            const Billboards::Tile* capped = c->GetTile(column, row);
            if (column == 0 && row == 0) {
                ASSERT_NE(capped, nullptr);
                ASSERT_EQ(capped->mBillboards.GetCount(), 1);
                EXPECT_EQ(std::memcmp(&capped->mBillboards[0], &tile->mBillboards[0], sizeof(Billboards::Billboard)), 0);
            }
            if (capped != nullptr) {
                EXPECT_EQ(capped->mBillboards.GetCount(), 1);
            }
        }
    }
    // About 0.15 of the 128 pixels that may hold one.
    EXPECT_GT(placed, 5u);
    EXPECT_LT(placed, 50u);
}

TEST_F(DisplayTerrainBillboardsTest, EachBillboardStandsOnTheHeightFieldAtItsOwnPlace)
{
    AddRedMap("p:hills", 4, 4, [](UInt32 x, UInt32 y) { return x * 60 + y * 5; });
    AddRedMap("p:flat", 4, 4, [](UInt32, UInt32) { return 0; });
    // A terrain 131072 units wide: the 64 units between billboards are two base texels.
    INamespace* scene = Scene("<DisplayTerrain id='ground' baseHeightmapResourceId='p:hills' "
                              "detailHeightmapResourceId='p:zero' detailScalemapResourceId='p:flat'/>" +
                              Element("b", "objectMapResourceId='p:full'"));
    ASSERT_NE(scene, nullptr);
    const IHeightField* ground = Find<DisplayTerrain>(scene, "ground");
    const Billboards* b = Find<Billboards>(scene, "b");
    UInt32 checked = 0;
    for (UInt32 row = 0; row < 4; ++row) {
        for (UInt32 column = 0; column < 4; ++column) {
            const Billboards::Tile* tile = b->GetTile(column, row);
            if (tile == nullptr)
                continue;
            for (const Billboards::Billboard& billboard : tile->mBillboards) {
                EXPECT_EQ(billboard.mPosition[1], ground->GetHeight(tile->mCentreX + billboard.mPosition[0],
                                                                    tile->mCentreZ + billboard.mPosition[2]));
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 5u);
}

TEST_F(DisplayTerrainBillboardsTest, RefusesBadSettingsMapsAndHeightFields)
{
    const struct
    {
        std::string body;
        const char* line;
    } cases[] = {
        {Element("x", ""), "InitSelf(x): No object map specified"},
        {"<DisplayTerrainBillboards id='x' objectMapResourceId='p:objects'/>", "InitSelf(x): No height field specified"},
        {Element("x", "objectMapResourceId='p:objects' tileSize='0'"), "tileSize must not be 0"},
        {Element("x", "objectMapResourceId='p:objects' mapSize='100'"), "mapSize 100 is below tileSize 256"},
        {Element("x", "objectMapResourceId='p:objects' maxObjectsPerTile='16385'"), "maxObjectsPerTile 16385 is above 16384"},
        {"<DisplayTerrainBillboards id='x' objectMapResourceId='p:objects' heightFieldId='nowhere'/>",
         "Failed to get height field node \"nowhere\""},
        {"<Transform id='plain'/><DisplayTerrainBillboards id='x' objectMapResourceId='p:objects' heightFieldId='plain'/>",
         "Node \"plain\" is not a height field"},
        {Element("x", "objectMapResourceId='p:objects' lightMapResourceId='p:none'"),
         "Failed to get light map resource image \"p:none\""},
        {Element("x", "objectMapResourceId='p:none'"), "Failed to get object map resource image \"p:none\""},
        {Element("x", "objectMapResourceId='p:objects' lightMapResourceId='p:smallLight'"),
         "Light map is 8x8, the object map 16x16"},
        {Element("x", "objectMapResourceId='p:objects' tileSize='32'"),
         "Object map of 16 pixels is narrower than the 32 tiles across the map"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(DestroyScene());
        std::string log;
        mScene = Build(Ground() + c.body);
        ASSERT_NE(mScene, nullptr);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Init()) << c.body;
        log = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(log.find("Graph::DisplayTerrainBillboards::InitSelf(x): "), std::string::npos) << log;
        EXPECT_NE(log.find(c.line), std::string::npos) << log;
        EXPECT_EQ(mDisplay.CountLive("Drawable"), 2 * 256u) << "only the ground's";
        // A node of another kind gets its reference back.
        if (Graph::Node* plain = Find<Graph::Node>(mScene, "plain")) {
            EXPECT_EQ(plain->GetReferenceCount(), 0u);
        }
        // What the failed Init made goes at DeInit.
        EXPECT_TRUE(DeInit());
        EXPECT_TRUE(mDisplay.mLiveObjects.empty());
    }
}

TEST_F(DisplayTerrainBillboardsTest, DrawsEachSlotAtItsTileWithItsOwnParametersAndReleasesAllAtDeInit)
{
    INamespace* scene = ViewScene("<Transform yw='7'>" +
                                  Element("b", "objectMapResourceId='p:full' maxRange='300' depthOrder='3'") +
                                  "</Transform>");
    ASSERT_NE(scene, nullptr);
    const Billboards* b = Find<Billboards>(scene, "b");
    PlaceCamera(scene, 128, 10, 128, 1, 0);
    ASSERT_TRUE(RunFrame());
    const auto& slots = b->GetActiveSlots();
    ASSERT_GT(slots.GetCount(), 1);
    ASSERT_EQ(mDisplay.mDrawables.size(), UInt32(slots.GetCount()));
    EXPECT_EQ(mDisplay.mUpdates.size(), UInt32(slots.GetCount()));
    for (SInt32 k = 0; k < slots.GetCount(); ++k) {
        const Billboards::Slot* slot = slots[k];
        const auto& record = mDisplay.mDrawables[k];
        EXPECT_EQ(record.drawable, slot->mDrawable.Get());
        EXPECT_EQ(record.transform[12], slot->mTileMatrix[12]);
        EXPECT_EQ(record.transform[13], 7.0f);
        EXPECT_EQ(record.transform[14], slot->mTileMatrix[14]);
        EXPECT_EQ(record.scaleFactor, nullptr);
        EXPECT_EQ(record.depthOrder, 3);
        EXPECT_EQ(record.parameters.at(0), slot->mParameters.Get());
        EXPECT_EQ(record.vertexBuffers[0], slot->mVertexBuffer.Get());
        EXPECT_EQ(record.vertexBuffers[1], nullptr);
        const Float* side = static_cast<const FakeParameters::Values<Float, 4>*>(slot->mViewSide)->mValues;
        EXPECT_EQ(side[0], 0.0f);
        EXPECT_EQ(side[1], -1.0f);
        const Float* instance = static_cast<const FakeParameters::Values<Float, 4>*>(slot->mInstance)->mValues;
        EXPECT_EQ(instance[0], slot->mTileMatrix[12]);
        EXPECT_EQ(instance[2], slot->mTileMatrix[14]);
        // Written in the tile's own order: the first billboard's top-left corner.
        const Billboards::Billboard& first = slot->mTile->mBillboards[0];
        const Float top[7] = {first.mPosition[0], first.mPosition[1], first.mPosition[2], -first.mHalfWidth,
                              first.mHeight, 0.0f, 0.0f};
        for (UInt32 i = 0; i < 7; ++i)
            EXPECT_EQ(slot->mVertices[i], top[i]) << i;
    }
    Graph::Node* ground = Find<Graph::Node>(scene, "ground");
    EXPECT_EQ(ground->GetReferenceCount(), 1u);
    ASSERT_TRUE(DeInit());
    EXPECT_EQ(ground->GetReferenceCount(), 0u);
    EXPECT_TRUE(mDisplay.mLiveObjects.empty());
    EXPECT_EQ(mDisplay.mDestroyedInitializedCount, 0u);
}

TEST_F(DisplayTerrainBillboardsTest, TheMapRepeatsAndATileIsDrawnWhereTheCameraMeetsIt)
{
    INamespace* scene = ViewScene(Element("b", "objectMapResourceId='p:full' maxRange='300'"));
    ASSERT_NE(scene, nullptr);
    const Billboards* b = Find<Billboards>(scene, "b");
    const Billboards::Tile* lastColumn = b->GetTile(3, 0);
    ASSERT_NE(lastColumn, nullptr);

    PlaceCamera(scene, 924, 10, 128, -1, 0);
    ASSERT_TRUE(RunFrame());
    const Billboards::Slot* slot = SlotOf(b, lastColumn);
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(slot->mTileMatrix[12], 896.0f);

    // Across the seam: the last column's copy left of the map, in the same slot and vertices.
    const UInt32 written = static_cast<const FakeVertexBuffer*>(slot->mVertexBuffer.Get())->mModifiedCount;
    PlaceCamera(scene, -100, 10, 128, -1, 0);
    ASSERT_TRUE(RunFrame());
    ASSERT_EQ(SlotOf(b, lastColumn), slot);
    EXPECT_EQ(slot->mTileMatrix[12], -128.0f);
    EXPECT_EQ(static_cast<const FakeVertexBuffer*>(slot->mVertexBuffer.Get())->mModifiedCount, written);
    Bool drawn = false;
    for (const auto& record : mDisplay.mDrawables)
        drawn = drawn || (record.drawable == slot->mDrawable.Get() && record.transform[12] == -128.0f);
    EXPECT_TRUE(drawn);
}

TEST_F(DisplayTerrainBillboardsTest, TurningRoundSwapsTheOrderWithoutRewritingVertices)
{
    INamespace* scene = ViewScene(Element("b", "objectMapResourceId='p:full' maxRange='300'"));
    ASSERT_NE(scene, nullptr);
    const Billboards* b = Find<Billboards>(scene, "b");
    const Billboards::Tile* home = b->GetTile(0, 0);
    ASSERT_NE(home, nullptr);

    PlaceCamera(scene, 128, 10, 128, 1, 0);
    ASSERT_TRUE(RunFrame());
    const Billboards::Slot* slot = SlotOf(b, home);
    ASSERT_NE(slot, nullptr);
    const auto* indices = static_cast<const FakeIndexBuffer*>(slot->mIndexBuffer.Get());
    const auto* vertices = static_cast<const FakeVertexBuffer*>(slot->mVertexBuffer.Get());
    EXPECT_EQ(indices->mSelection, home->mOrders[0]);
    const UInt32 written = vertices->mModifiedCount;
    EXPECT_EQ(written, 1u);

    PlaceCamera(scene, 128, 10, 128, -1, 0);
    ASSERT_TRUE(RunFrame());
    ASSERT_EQ(SlotOf(b, home), slot);
    EXPECT_EQ(indices->mSelection, home->mOrders[1]);
    EXPECT_EQ(vertices->mModifiedCount, written);
    EXPECT_NE(std::find(mDisplay.mUpdates.begin(), mDisplay.mUpdates.end(), slot->mDrawable.GetObject()),
              mDisplay.mUpdates.end());
}

TEST_F(DisplayTerrainBillboardsTest, AFullPoolKeepsItsTilesFromFrameToFrame)
{
    INamespace* scene = ViewScene(Element("b", "objectMapResourceId='p:full' maxRange='300' maxTiles='1'"));
    ASSERT_NE(scene, nullptr);
    const Billboards* b = Find<Billboards>(scene, "b");
    PlaceCamera(scene, 128, 10, 128, 1, 0);
    ASSERT_TRUE(RunFrame());
    ASSERT_EQ(mDisplay.mDrawables.size(), 1u);
    const Billboards::Tile* shown = b->GetActiveSlots()[0]->mTile;
    for (UInt32 frame = 0; frame < 2; ++frame) {
        ASSERT_TRUE(RunFrame());
        ASSERT_EQ(mDisplay.mDrawables.size(), 1u) << frame;
        EXPECT_EQ(b->GetActiveSlots()[0]->mTile, shown);
        EXPECT_TRUE(mDisplay.mUpdates.empty());
    }
}

} // namespace
} // namespace Graph
} // namespace Vorn
