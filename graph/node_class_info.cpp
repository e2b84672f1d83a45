#include "graph/node_class_info.h"

#include <cstring>
#include <new>

#include "foundation/attributes.h"
#include "graph/audio/audio_sequence.h"
#include "graph/audio/listener.h"
#include "graph/audio/sound.h"
#include "graph/display/bone.h"
#include "graph/display/display_bsp.h"
#include "graph/display/display_cube.h"
#include "graph/display/display_mesh.h"
#include "graph/display/display_object.h"
#include "graph/display/display_plane.h"
#include "graph/display/display_plane_sequence.h"
#include "graph/display/light.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/physics/body.h"
#include "graph/physics/collider.h"
#include "graph/physics/field.h"
#include "graph/physics/spring.h"
#include "graph/render/bitmap.h"
#include "graph/render/bone_slot.h"
#include "graph/render/cube_texture.h"
#include "graph/render/flat_text_texture.h"
#include "graph/render/flat_texture.h"
#include "graph/render/frame_buffer_texture.h"
#include "graph/render/material.h"
#include "graph/render/material_slot.h"
#include "graph/render/parameters.h"
#include "graph/render/parameters_slot.h"
#include "graph/render/program.h"
#include "graph/render/shader.h"
#include "graph/render/texture_slot.h"
#include "graph/structure/anchor.h"
#include "graph/structure/container.h"
#include "graph/structure/instance.h"
#include "graph/structure/reference.h"
#include "graph/switch.h"
#include "graph/terrain/display_terrain.h"
#include "graph/terrain/display_terrain_billboards.h"
#include "graph/display/bone.h"
#include "graph/display/display_cube.h"
#include "graph/display/display_object.h"
#include "graph/display/display_plane.h"
#include "graph/display/display_plane_sequence.h"
#include "graph/display/display_text.h"
#include "graph/display/light.h"
#include "graph/input/button.h"
#include "graph/time/timeline.h"
#include "graph/transform/scale.h"
#include "graph/transform/transform.h"
#include "graph/transform/transform_clone.h"
#include "graph/transform/transform_reset.h"
#include "graph/view/orthographic_camera.h"
#include "graph/view/perspective_camera.h"
#include "graph/view/view.h"

namespace Vorn {
namespace Graph {
namespace {

struct BuiltInClass
{
    const char* mName;
    NodeCreateFunction mCreate;
};

// Every built-in class, in registration order; a class not provided by this build has no create
// function and is not registered.
const BuiltInClass kBuiltInClasses[] = {
    {"Anchor", &Anchor::Create},
    {"AudioSequence", &AudioSequence::Create},
    {"Bitmap", &Bitmap::Create},
    {"Body", &Body::Create},
    {"Bone", &Bone::Create},
    {"BoneSlot", &BoneSlot::Create},
    {"Button", &Button::Create},
    {"ColliderMesh", &ColliderMesh::Create},
    {"ColliderPlane", &ColliderPlane::Create},
    {"ColliderSphere", &ColliderSphere::Create},
    {"Container", &Container::Create},
    {"CubeFrameBufferTexture", &CubeFrameBufferTexture::Create},
    {"CubeTexture", &CubeTexture::Create},
    {"DisplayBsp", &DisplayBsp::Create},
    {"DisplayCube", &DisplayCube::Create},
    {"DisplayMesh", &DisplayMesh::Create},
    {"DisplayObject", &DisplayObject::Create},
    {"DisplayPlane", &DisplayPlane::Create},
    {"DisplayPlaneSequence", &DisplayPlaneSequence::Create},
    {"DisplayTerrain", &DisplayTerrain::Create},
    {"DisplayTerrainBillboards", &DisplayTerrainBillboards::Create},
    {"DisplayText", &DisplayText::Create},
    {"Field", &Field::Create},
    {"FixedProgram", &FixedProgram::Create},
    {"FlatFrameBufferTexture", &FlatFrameBufferTexture::Create},
    {"FlatTextTexture", &FlatTextTexture::Create},
    {"FlatTexture", &FlatTexture::Create},
    {"FragmentShader", &FragmentShader::Create},
    {"Instance", &Instance::Create},
    {"Light", &Light::Create},
    {"Listener", &Listener::Create},
    {"Material", &Material::Create},
    {"MaterialSlot", &MaterialSlot::Create},
    {"Namespace", &Namespace::Create},
    {"Node", &Node::Create},
    {"OrthographicCamera", &OrthographicCamera::Create},
    {"Parameters", &Parameters::Create},
    {"ParametersSlot", &ParametersSlot::Create},
    {"PerspectiveCamera", &PerspectiveCamera::Create},
    {"Reference", &Reference::Create},
    {"TextureSlot", &TextureSlot::Create},
    {"Scale", &Scale::Create},
    {"ShaderProgram", &ShaderProgram::Create},
    {"Sound", &Sound::Create},
    {"Spring", &Spring::Create},
    {"Switch", &Switch::Create},
    {"Timeline", &Timeline::Create},
    {"Transform", &Transform::Create},
    {"TransformClone", &TransformClone::Create},
    {"TransformReset", &TransformReset::Create},
    {"VertexShader", &VertexShader::Create},
    {"View", &View::Create},
};

constexpr UInt32 kNumberOfBuiltInClasses = UInt32(sizeof(kBuiltInClasses) / sizeof(kBuiltInClasses[0]));

const Array<NodeClassInfo*>& GetBuiltInRecords()
{
    struct Records
    {
        Records()
        {
            for (const BuiltInClass& builtIn : kBuiltInClasses)
                mRecords.Add(new NodeClassInfo(String(builtIn.mName), builtIn.mCreate));
        }
        ~Records()
        {
            for (NodeClassInfo* record : mRecords)
                delete record;
        }
        Array<NodeClassInfo*> mRecords;
    };
    static const Records records;
    return records.mRecords;
}

} // namespace

NodeClassInfo::NodeClassInfo(const String& className, NodeCreateFunction create)
    : mClassName(className), mCreate(create)
{
}

UInt32 GetNumberOfBuiltInNodeClasses()
{
    return kNumberOfBuiltInClasses;
}

const NodeClassInfo& GetBuiltInNodeClassInfo(UInt32 position)
{
    return *GetBuiltInRecords()[SInt32(position)];
}

const NodeClassInfo* FindBuiltInNodeClassInfo(const String& className)
{
    for (const NodeClassInfo* record : GetBuiltInRecords()) {
        if (record->mClassName == className)
            return record;
    }
    return nullptr;
}

AttributeTable::AttributeTable(const AttributeName* rows)
{
    for (const AttributeName* row = rows; row->mName != nullptr; ++row) {
        mRows.Add(row);
        mHashes.Add(String(row->mName).GetHash());
    }
    UInt32 slotCount = 1;
    while (slotCount < UInt32(mRows.GetCount()) * 2)
        slotCount *= 2;
    mSlots.SetCount(SInt32(slotCount));
    for (UInt32 i = 0; i < slotCount; ++i)
        mSlots[SInt32(i)] = 0;
    for (SInt32 position = 0; position < mRows.GetCount(); ++position) {
        UInt32 slot = mHashes[position] & (slotCount - 1);
        while (mSlots[SInt32(slot)] != 0)
            slot = (slot + 1) & (slotCount - 1);
        mSlots[SInt32(slot)] = UInt32(position) + 1;
    }
}

UInt32 AttributeTable::FindAttribute(UInt32 hash, const char* name) const
{
    if (name == nullptr || mRows.IsEmpty())
        return GetUnknownIndex();
    const UInt32 mask = UInt32(mSlots.GetCount()) - 1;
    for (UInt32 slot = hash & mask;; slot = (slot + 1) & mask) {
        const UInt32 entry = mSlots[SInt32(slot)];
        if (entry == 0)
            return GetUnknownIndex();
        const SInt32 position = SInt32(entry - 1);
        if (mHashes[position] == hash && std::strcmp(mRows[position]->mName, name) == 0)
            return mRows[position]->mIndex;
    }
}

UInt32 AttributeTable::FindAttribute(const IAttributes* attributes, UInt32 position) const
{
    return FindAttribute(attributes->GetAttributeHash(position), attributes->GetAttributeName(position));
}

const AttributeName* AttributeTable::GetRow(UInt32 index) const
{
    if (index >= UInt32(mRows.GetCount()))
        return nullptr;
    return mRows[SInt32(index)];
}

const char* AttributeTable::GetName(UInt32 index) const
{
    const AttributeName* row = GetRow(index);
    return row != nullptr ? row->mName : nullptr;
}

} // namespace Graph
} // namespace Vorn
