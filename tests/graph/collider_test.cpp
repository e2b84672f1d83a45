#include "graph/physics/collider.h"

#include <gtest/gtest.h>

#include <string>

#include "resource/collider.h"
#include "tests/support/physics_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Testing::FakeGeometry;

// Stand-ins for collider resources: the node only hands them on.
class StubCollider : public Resource::ICollider
{
public:
    const Float* GetVertices() const override { return nullptr; }
    const Resource::ColliderNode* GetNodes() const override { return nullptr; }
    const Resource::ColliderLeaf* GetLeaves() const override { return nullptr; }
};

class ColliderNodeTest : public Testing::PhysicsSceneFixture
{
protected:
    ColliderObject* FindCollider(const char* path)
    {
        return dynamic_cast<ColliderObject*>(Find(AsNamespace(mTop->GetChild(0)), path));
    }
    static FakeGeometry* FakeOf(ColliderObject* collider) { return dynamic_cast<FakeGeometry*>(collider->GetGeometry()); }

    StubCollider mEnglish;
    StubCollider mGerman;
};

TEST_F(ColliderNodeTest, RegistersRelativeToItsBodyAndWithoutOneOutside)
{
    Scene("<Body posZ='5'><Transform posX='3'><ColliderSphere id='s' posY='1' radius='2'/></Transform></Body>"
          "<ColliderPlane id='p'/>");
    FakeGeometry* sphere = FakeOf(FindCollider("s"));
    FakeGeometry* plane = FakeOf(FindCollider("p"));
    ASSERT_NE(sphere, nullptr);
    ASSERT_NE(plane, nullptr);
    EXPECT_EQ(sphere->mShape, 1u);
    EXPECT_EQ(sphere->mRadius, 2.0f);
    EXPECT_EQ(plane->mShape, 2u);
    ASSERT_TRUE(Traverse());
    ASSERT_EQ(mPhysics.mPushedGeometries.size(), 2u);
    EXPECT_EQ(mPhysics.mPushedGeometries[0], sphere);
    // Below the body's absolute push only the transforms under it count.
    EXPECT_EQ(mPhysics.mGeometryMatrices[0][12], 3.0f);
    EXPECT_EQ(mPhysics.mGeometryMatrices[0][13], 1.0f);
    EXPECT_EQ(mPhysics.mGeometryMatrices[0][14], 0.0f);
    EXPECT_EQ(mPhysics.mGeometryDepths[0], 1);
    EXPECT_EQ(mPhysics.mPushedGeometries[1], plane);
    EXPECT_EQ(mPhysics.mGeometryDepths[1], 0);
}

TEST_F(ColliderNodeTest, SphereRadiusDefaultsToOneHalf)
{
    Scene("<ColliderSphere id='s'/>");
    EXPECT_EQ(FakeOf(FindCollider("s"))->mRadius, 0.5f);
}

TEST_F(ColliderNodeTest, RefusesWhatItCannotMakeWithOneLine)
{
    mCollection.mColliders["pkg:floor"] = &mEnglish;
    const struct
    {
        const char* nodes;
        Bool refuseCreation;
        const char* line;
    } cases[] = {
        {"<ColliderPlane id='p'/>", true, "Graph::ColliderPlane::InitSelf(p): Failed to create collision geometry object"},
        {"<ColliderSphere id='s'/>", true, "Graph::ColliderSphere::InitSelf(s): Failed to create collision geometry object"},
        {"<ColliderMesh id='m'/>", false, "Graph::ColliderMesh::InitSelf(m): No resource ID specified"},
        {"<ColliderMesh id='m' colliderResourceId='pkg:none'/>", false,
         "Graph::ColliderMesh::InitSelf(m): Failed to get resource collider \"pkg:none\""},
        {"<ColliderMesh id='m' colliderResourceId='pkg:floor'/>", true,
         "Graph::ColliderMesh::InitSelf(m): Failed to create collision geometry object"},
    };
    for (const auto& c : cases) {
        mPhysics.mRefuseCreation = c.refuseCreation;
        const std::string log = InitLog(c.nodes);
        EXPECT_EQ(log.substr(0, log.find('\n')), c.line);
    }
}

TEST_F(ColliderNodeTest, LanguageChangeSwapsTheMeshColliderAndKeepsTheGeometry)
{
    mCollection.mColliders["pkg:floor"] = &mEnglish;
    Scene("<Body><ColliderMesh id='m' colliderResourceId='pkg:floor'/></Body>");
    ColliderMesh* mesh = dynamic_cast<ColliderMesh*>(FindCollider("m"));
    FakeGeometry* geometry = FakeOf(mesh);
    EXPECT_EQ(geometry->mCollider, &mEnglish);
    EXPECT_EQ(geometry->mShape, 4u);

    mCollection.mColliders["pkg:floor"] = &mGerman;
    ASSERT_TRUE(ConfigChanged());
    EXPECT_EQ(geometry->mCollider, &mEnglish); // the language did not change
    mConfiguration.SetLanguageChanged(true);
    ASSERT_TRUE(ConfigChanged());
    EXPECT_EQ(FakeOf(mesh), geometry);
    EXPECT_EQ(geometry->mCollider, &mGerman);
    EXPECT_EQ(mesh->GetCollider(), &mGerman);

    // A variant without a collider leaves the mesh without one rather than with the old one.
    mCollection.mColliders.erase("pkg:floor");
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(ConfigChanged());
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(geometry->mCollider, nullptr);
    EXPECT_EQ(mesh->GetCollider(), nullptr);
    EXPECT_EQ(log.rfind("Graph::ColliderMesh::ConfigChangedSelf(m): No resource collider \"pkg:floor\"", 0), 0u) << log;
}

} // namespace
} // namespace Graph
} // namespace Vorn
