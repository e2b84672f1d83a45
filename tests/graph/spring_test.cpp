#include "graph/physics/spring.h"

#include <gtest/gtest.h>

#include <string>

#include "graph/node_class_info.h"
#include "tests/support/physics_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Testing::FakeSpring;

// A body node that registers its id but makes its physics body only after its children, as a
// body later in the Init order would.
class LateBody : public Body
{
public:
    static INode* Create() { return new LateBody(); }

protected:
    Bool InitSelf(IInitState* state) override { return Transform::InitSelf(state); }
};

const NodeClassInfo kLateBodyInfo(String("LateBody"), &LateBody::Create);

class SpringNodeTest : public Testing::PhysicsSceneFixture
{
protected:
    void SetUp() override { ASSERT_TRUE(mFactory.RegisterNodeClass(&kLateBodyInfo)); }
};

TEST_F(SpringNodeTest, AttachesTheNamedBodiesWithItsParameters)
{
    Scene("<Body id='a'/><Body id='b'/>"
          "<Spring id='s' body1Id='a' body1PosX='1' body1PosY='2' body1PosZ='3' body1Influence='false' body2Id='b' "
          "springConstant='5' dampingConstant='6' minimumLength='7' maximumLength='8' affectForce='false'/>");
    Spring* spring = dynamic_cast<Spring*>(mTop->GetChild(0)->GetChild(2));
    ASSERT_NE(spring, nullptr);
    FakeSpring* fake = dynamic_cast<FakeSpring*>(spring->GetSpringObject());
    ASSERT_NE(fake, nullptr);
    EXPECT_EQ(fake->mBodies[0], FindBody("a")->GetBodyObject());
    EXPECT_EQ(fake->mBodies[1], FindBody("b")->GetBodyObject());
    EXPECT_EQ(fake->mAttachments[0], Math::Vector<float>(1, 2, 3, 0));
    EXPECT_FALSE(fake->mInfluences[0]);
    EXPECT_TRUE(fake->mInfluences[1]);
    const Float parameters[4] = {5, 6, 7, 8};
    for (UInt32 i = 0; i < 4; ++i)
        EXPECT_EQ(fake->mParameters[i], parameters[i]) << i;
    EXPECT_FALSE(fake->mAffect[0]);
    EXPECT_TRUE(fake->mAffect[1]);
    EXPECT_EQ(ReferenceCount(FindBody("a")), 1u);
    ASSERT_TRUE(Traverse());
    ASSERT_EQ(mPhysics.mSprings.size(), 1u);
    EXPECT_EQ(mPhysics.mSprings[0], fake);
}

TEST_F(SpringNodeTest, OnlyTheFirstBodyNamedAttachesEndZeroOnly)
{
    Scene("<Body id='a'/><Spring body1Id='a'/>");
    Spring* spring = dynamic_cast<Spring*>(mTop->GetChild(0)->GetChild(1));
    FakeSpring* fake = dynamic_cast<FakeSpring*>(spring->GetSpringObject());
    EXPECT_EQ(fake->mBodies[0], FindBody("a")->GetBodyObject());
    EXPECT_EQ(fake->mBodies[1], nullptr);
    EXPECT_EQ(spring->GetBodyNode(1), nullptr);
}

TEST_F(SpringNodeTest, BodiesMustBeInitialisedBodyNodes)
{
    const struct
    {
        const char* nodes;
        const char* line;
    } cases[] = {
        {"<LateBody id='a'><Spring id='s' body1Id='a'/></LateBody>", "Graph::Spring::InitSelf(s): Failed to get body object from node \"a\""},
        {"<Transform id='t'/><Spring id='s' body2Id='t'/>", "Graph::Spring::InitSelf(s): Failed to get body node \"t\""},
        {"<Spring id='s' body1Id='missing'/>", "Graph::Spring::InitSelf(s): Failed to get body node \"missing\""},
    };
    for (const auto& c : cases) {
        const std::string log = InitLog(c.nodes);
        EXPECT_EQ(log.substr(0, log.find('\n')), c.line);
    }
}

TEST_F(SpringNodeTest, RefusedSpringFailsInitWithOneLine)
{
    mPhysics.mRefuseCreation = true;
    const std::string log = InitLog("<Spring id='s'/>");
    EXPECT_EQ(log.substr(0, log.find('\n')), "Graph::Spring::InitSelf(s): Failed to create spring object");
}

TEST_F(SpringNodeTest, DeInitReleasesTheBodyNodes)
{
    Scene("<Body id='a'/><Spring body1Id='a'/>");
    Body* body = FindBody("a");
    Spring* spring = dynamic_cast<Spring*>(mTop->GetChild(0)->GetChild(1));
    EXPECT_EQ(ReferenceCount(body), 1u);
    EXPECT_TRUE(spring->DeInit(&mDeInitState));
    EXPECT_EQ(ReferenceCount(body), 0u);
    EXPECT_EQ(spring->GetSpringObject(), nullptr);
}

} // namespace
} // namespace Graph
} // namespace Vorn
