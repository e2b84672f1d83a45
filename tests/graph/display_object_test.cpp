#include "graph/display/display_object.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Testing::FakeDrawable;
using Testing::FakeIndexBuffer;
using Testing::FakeVertexBuffer;

class DisplayObjectTest : public Testing::ViewSceneFixture
{
protected:
    // A DisplayObject "o" with the attributes in a view with a perspective camera; null when it
    // does not initialise.
    DisplayObject* Make(const std::string& attributes)
    {
        INamespace* scene = Scene("<View><PerspectiveCamera fieldOfViewX='1'/><DisplayObject id='o' " + attributes +
                                  "/></View>");
        return scene != nullptr ? Find<DisplayObject>(scene, "o") : nullptr;
    }
    FakeDrawable* Drawable() { return static_cast<FakeDrawable*>(mDisplay.mDrawables.at(0).drawable); }
    FakeVertexBuffer* VertexBuffer() { return static_cast<FakeVertexBuffer*>(Drawable()->mVertexBuffers.at(0)); }
    FakeIndexBuffer* IndexBuffer() { return static_cast<FakeIndexBuffer*>(Drawable()->mIndexBuffers.at(0)); }
};

TEST_F(DisplayObjectTest, LaysOutTheVertexByItsAttributes)
{
    const UInt32 absent = DisplayObject::kAbsent;
    struct Case
    {
        const char* attributes;
        UInt32 size;
        UInt32 normal;
        UInt32 texCoords0;
        UInt32 texCoords1;
    };
    const Case cases[] = {
        {"", 12, absent, absent, absent},
        {"hasNormals='true'", 24, 12, absent, absent},
        {"hasTexCoords0='true'", 20, absent, 12, absent},
        {"hasNormals='true' hasTexCoords0='true'", 32, 12, 24, absent},
        {"hasTexCoords0='true' hasTexCoords1='true'", 28, absent, 12, 20},
        {"hasNormals='true' hasTexCoords0='true' hasTexCoords1='true'", 40, 12, 24, 32},
        // Stored, but nothing is declared for them.
        {"hasBinormals='true' hasTangents='true' hasColors='true' hasTexCoords2='true' hasTexCoords3='true'", 12,
         absent, absent, absent},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        DisplayObject* object = Make(std::string("maxNumberOfIndices='6' maxNumberOfVertices='4' ") + c.attributes);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->GetVertexSize(), c.size);
        EXPECT_EQ(object->GetAttributeOffset((Enums::VertexAttribute::COORD)), 0u);
        EXPECT_EQ(object->GetAttributeSize((Enums::VertexAttribute::COORD)), 12u);
        EXPECT_EQ(object->GetAttributeOffset((Enums::VertexAttribute::NORMAL)), c.normal);
        EXPECT_EQ(object->GetAttributeOffset((Enums::VertexAttribute::TEXCOORD_0)), c.texCoords0);
        EXPECT_EQ(object->GetAttributeOffset((Enums::VertexAttribute::TEXCOORD_1)), c.texCoords1);
        EXPECT_EQ(object->GetAttributeSize((Enums::VertexAttribute::TEXCOORD_1)),
                  c.texCoords1 == absent ? absent : 8u);
        EXPECT_EQ(object->GetAttributeOffset((Enums::VertexAttribute::BINORMAL)), absent);
        EXPECT_EQ(object->GetAttributeOffset(Enums::VertexAttribute(15)), absent);
        EXPECT_EQ(object->GetAttributeSize(Enums::VertexAttribute(0xFFFFFFFFu)), absent);
        EXPECT_EQ(object->GetIndexSize(), 2u);
        EXPECT_EQ(object->GetPrimitiveType(), Enums::PrimitiveType::TRIANGLES);
        ASSERT_TRUE(RunFrame());
        EXPECT_EQ(VertexBuffer()->mVertexSize, c.size);
        EXPECT_EQ(VertexBuffer()->mCapacity, 4u);
        EXPECT_EQ(IndexBuffer()->mCapacity, 6u);
        ASSERT_TRUE(DestroyScene());
    }
    EXPECT_TRUE(mDisplay.mLiveObjects.empty());
}

TEST_F(DisplayObjectTest, RefusesAZeroMaxOrABlockPastThirtyTwoBits)
{
    const struct
    {
        const char* attributes;
        const char* line;
    } cases[] = {
        {"maxNumberOfIndices='0' maxNumberOfVertices='0'",
         "Graph::DisplayObject::InitSelf(o): Max number of indices cannot be 0"},
        {"maxNumberOfIndices='3' maxNumberOfVertices='0'",
         "Graph::DisplayObject::InitSelf(o): Max number of vertices cannot be 0"},
        {"maxNumberOfIndices='3' maxNumberOfVertices='429496730' hasNormals='true' hasTexCoords0='true'",
         "Graph::DisplayObject::InitSelf(o): Cannot allocate 429496730 vertices of 32 bytes"},
        {"maxNumberOfIndices='2147483648' maxNumberOfVertices='3'",
         "Graph::DisplayObject::InitSelf(o): Cannot allocate 2147483648 indices"},
    };
    for (const auto& c : cases) {
        ASSERT_NE(Build(std::string("<View><DisplayObject id='o' ") + c.attributes + "/></View>"), nullptr);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Init());
        EXPECT_THAT(::testing::internal::GetCapturedStderr(), ::testing::HasSubstr(c.line));
        // A failed Init is undone by DeInit.
        EXPECT_TRUE(DeInit());
        ASSERT_TRUE(DestroyScene());
        EXPECT_TRUE(mDisplay.mLiveObjects.empty());
    }
}

TEST_F(DisplayObjectTest, CountsInUseStayWithinTheMax)
{
    DisplayObject* object = Make("maxNumberOfIndices='6' maxNumberOfVertices='4'");
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->SetNumberOfVertices(4));
    EXPECT_FALSE(object->SetNumberOfVertices(5));
    EXPECT_EQ(object->GetNumberOfVertices(), 4u);
    EXPECT_TRUE(object->SetNumberOfIndices(6));
    EXPECT_FALSE(object->SetNumberOfIndices(7));
    EXPECT_EQ(object->GetNumberOfIndices(), 6u);
}

TEST_F(DisplayObjectTest, SendsOnlyWhatWasFlaggedAndEverythingAfterResume)
{
    DisplayObject* object = Make("maxNumberOfIndices='6' maxNumberOfVertices='4'");
    ASSERT_NE(object, nullptr);
    ASSERT_TRUE(RunFrame());
    // Both start flagged: the first frame sends the counts in use.
    EXPECT_EQ(VertexBuffer()->mModifiedCount, 1u);
    EXPECT_EQ(IndexBuffer()->mModifiedCount, 1u);
    EXPECT_EQ(mDisplay.mUpdates.size(), 1u);
    EXPECT_EQ(mDisplay.mDrawables.at(0).vertexBuffers[0], VertexBuffer());
    EXPECT_EQ(mDisplay.mDrawables.at(0).vertexBuffers[1], nullptr);

    ASSERT_TRUE(RunFrame());
    EXPECT_TRUE(mDisplay.mUpdates.empty());

    object->GetIndexData()[0] = 2;
    object->SetNumberOfIndices(3);
    object->SetIndicesChanged();
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(IndexBuffer()->mModifiedCount, 2u);
    EXPECT_EQ(IndexBuffer()->mNumberOfIndices, 3);
    EXPECT_EQ(VertexBuffer()->mModifiedCount, 1u);
    EXPECT_EQ(mDisplay.mUpdates.size(), 1u);

    ASSERT_TRUE(mRoot->Suspend(&mDeInitState));
    EXPECT_FALSE(VertexBuffer()->IsInitialized());
    ASSERT_TRUE(mRoot->Resume(&mInitState));
    ASSERT_TRUE(RunFrame());
    EXPECT_TRUE(VertexBuffer()->IsInitialized());
    EXPECT_EQ(IndexBuffer()->mModifiedCount, 3u);
    EXPECT_EQ(VertexBuffer()->mModifiedCount, 2u);
    EXPECT_EQ(mDisplay.mUpdates.size(), 1u);
}

TEST_F(DisplayObjectTest, ResizingKeepsWhatFitsAndLowersTheCountInUse)
{
    DisplayObject* object = Make("maxNumberOfIndices='4' maxNumberOfVertices='4'");
    ASSERT_NE(object, nullptr);
    ASSERT_TRUE(RunFrame());
    for (UInt16 i = 0; i < 4; ++i)
        object->GetIndexData()[i] = UInt16(10 + i);
    ASSERT_TRUE(object->SetNumberOfIndices(4));
    ASSERT_TRUE(object->SetNumberOfVertices(3));

    // The same max touches nothing.
    const UInt16* before = object->GetIndexData();
    EXPECT_TRUE(object->SetMaxNumberOfIndices(4, false));
    EXPECT_EQ(object->GetIndexData(), before);

    EXPECT_TRUE(object->SetMaxNumberOfIndices(2, true));
    EXPECT_EQ(object->GetMaxNumberOfIndices(), 2u);
    EXPECT_EQ(object->GetNumberOfIndices(), 2u);
    EXPECT_EQ(object->GetIndexData()[0], 10);
    EXPECT_EQ(object->GetIndexData()[1], 11);
    EXPECT_EQ(IndexBuffer()->mData, object->GetIndexData());
    EXPECT_EQ(IndexBuffer()->mCapacity, 2u);

    EXPECT_TRUE(object->SetMaxNumberOfIndices(8, true));
    EXPECT_EQ(object->GetIndexData()[1], 11);
    EXPECT_EQ(object->GetNumberOfIndices(), 2u);

    EXPECT_TRUE(object->SetMaxNumberOfVertices(16, false));
    EXPECT_EQ(VertexBuffer()->mCapacity, 16u);
    EXPECT_EQ(VertexBuffer()->mData, object->GetVertexData());
    EXPECT_EQ(object->GetNumberOfVertices(), 3u);
    EXPECT_TRUE(object->SetMaxNumberOfVertices(1, true));
    EXPECT_EQ(object->GetNumberOfVertices(), 1u);

    // Past 32 bits the old block stays.
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(object->SetMaxNumberOfVertices(0x40000000u, true));
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(object->GetMaxNumberOfVertices(), 1u);
}

} // namespace
} // namespace Graph
} // namespace Vorn
