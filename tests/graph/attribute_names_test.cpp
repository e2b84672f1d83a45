#include "graph/attribute_names.h"

#include <gtest/gtest.h>

#include <cstring>

#include "foundation/enum_table.h"
#include "foundation/enums.h"
#include "foundation/string.h"

namespace Vorn {
namespace Graph {
namespace {

UInt32 Find(const AttributeTable& table, const char* name)
{
    return table.FindAttribute(String(name).GetHash(), name);
}

TEST(AttributeNamesTest, NamesResolveToTheirClassesOwnIndices)
{
    struct Case
    {
        const AttributeTable& table;
        const char* name;
        UInt32 index;
    };
    const Case cases[] = {
        {NodeAttributes::GetTable(), "id", NodeAttributes::kId},
        {NodeAttributes::GetTable(), "animationResourceId", 4},
        {TransformAttributes::GetTable(), "depthOrder", 0},
        {TransformAttributes::GetTable(), "xw", 20},
        {ButtonAttributes::GetTable(), "enabled", 0},
        {ButtonAttributes::GetTable(), "maxNumberOfTouches", 19},
        {MaterialAttributes::GetTable(), "srcColorBlendFunction", 6},
        {MaterialAttributes::GetTable(), "dstColorBlendFunction", 7},
        {MaterialAttributes::GetTable(), "srcAlphaBlendFunction", 8},
        {MaterialAttributes::GetTable(), "dstAlphaBlendFunction", 9},
        {TransformCloneAttributes::GetTable(), "affectRotation", 2},
        {TransformResetAttributes::GetTable(), "affectRotation", 0},
        {MaterialSlotAttributes::GetTable(), "slot", 1},
        {BoneSlotAttributes::GetTable(), "slot", 1},
        {InstanceAttributes::GetTable(), "graphResourceId", InstanceAttributes::kGraphResourceId},
        {ShaderProgramAttributes::GetTable(), "uniform7Type", 17},
        {DisplayTextAttributes::GetTable(), "verticalAlignmentUnit", 20},
        // Unknown: other class's name, letter case, the controller's own names.
        {ButtonAttributes::GetTable(), "posX", ButtonAttributes::kCount},
        {ButtonAttributes::GetTable(), "radius", 20},
        {NodeAttributes::GetTable(), "ID", NodeAttributes::kCount},
        {NodeAttributes::GetTable(), "animationTimeScale", 5},
        {NodeAttributes::GetTable(), "", 5},
        {ContainerAttributes::GetTable(), "id", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Find(c.table, c.name), c.index) << c.name;
    EXPECT_EQ(NodeAttributes::GetTable().FindAttribute(0, nullptr), 5u);
}

TEST(AttributeNamesTest, TablesCarryNamesTypesAndCounts)
{
    struct Case
    {
        const AttributeTable& table;
        UInt32 count;
    };
    const Case cases[] = {
        {NodeAttributes::GetTable(), 5},         {TransformAttributes::GetTable(), 24},
        {CameraAttributes::GetTable(), 24},      {TextureAttributes::GetTable(), 11},
        {ShaderProgramAttributes::GetTable(), 18}, {ButtonAttributes::GetTable(), 20},
        {BodyAttributes::GetTable(), 17},        {SpringAttributes::GetTable(), 16},
        {DisplayTextAttributes::GetTable(), 21}, {PerspectiveCameraAttributes::GetTable(), 0},
        {AnchorAttributes::GetTable(), 0},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.table.GetNumberOfNames(), c.count);
        EXPECT_EQ(c.table.GetUnknownIndex(), c.count);
        for (UInt32 i = 0; i < c.count; ++i) {
            const AttributeName* row = c.table.GetRow(i);
            EXPECT_EQ(row->mIndex, i);
            EXPECT_EQ(Find(c.table, row->mName), i) << row->mName;
        }
        EXPECT_EQ(c.table.GetRow(c.count), nullptr);
    }
    EXPECT_STREQ(MaterialAttributes::GetTable().GetName(7), "dstColorBlendFunction");

    const AttributeName* active = NodeAttributes::GetTable().GetRow(NodeAttributes::kActive);
    EXPECT_EQ(active->mType, AttributeType::kFlagBit);
    EXPECT_EQ(active->mMask, 0x8u);
    const AttributeName* useMipMaps = TextureAttributes::GetTable().GetRow(TextureAttributes::kUseMipMaps);
    EXPECT_EQ(useMipMaps->mMask, 0x20u);
    const AttributeName* visibleFaces = MaterialAttributes::GetTable().GetRow(MaterialAttributes::kVisibleFaces);
    ASSERT_EQ(visibleFaces->mType, AttributeType::kEnumeration);
    EXPECT_EQ(&visibleFaces->mEnumTable(), &Enums::GetCullModeTable());
    EXPECT_EQ(TransformAttributes::GetTable().GetRow(TransformAttributes::kAngle)->mType, AttributeType::kAngle);
    EXPECT_EQ(BodyAttributes::GetTable().GetRow(BodyAttributes::kTriggerGroups)->mType, AttributeType::kBitMask);
    EXPECT_EQ(AudioSequenceAttributes::GetTable().GetRow(0)->mType, AttributeType::kStringList);
}

} // namespace
} // namespace Graph
} // namespace Vorn
