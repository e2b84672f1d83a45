#include "graph/render/material.h"

#include <new>

#include "display/object.h"
#include "display/renderer.h"
#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "foundation/enum_table.h"
#include "graph/attribute_names.h"
#include "graph/backend_object.h"
#include "graph/node_class_info.h"
#include "graph/render/bound_node.h"
#include "graph/render/program.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

Material::Material()
    : mDisplayObject(nullptr),
      mDisplayMaterial(nullptr),
      mProgramObject(nullptr),
      mProgram(nullptr),
      mVisibleFaces(Enums::CullMode::FRONT_ONLY),
      mDepthBufferMode(Enums::DepthTestMode::READ_AND_WRITE),
      mBlendMode(Enums::AlphaMode::NONE),
      mColorBlendEquation(Enums::BlendEquation::ADD),
      mAlphaBlendEquation(Enums::BlendEquation::ADD),
      mSrcColorBlendFunction(Enums::BlendFactor::SRC_ALPHA),
      mSrcAlphaBlendFunction(Enums::BlendFactor::SRC_ALPHA),
      mDstColorBlendFunction(Enums::BlendFactor::ONE_MINUS_SRC_ALPHA),
      mDstAlphaBlendFunction(Enums::BlendFactor::ONE_MINUS_SRC_ALPHA)
{
}

Material::~Material() {}

INode* Material::Create()
{
    return new (std::nothrow) Material();
}

const NodeClassInfo& Material::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Material"));
    return info;
}

Bool Material::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                    Bool* error)
{
    const UInt32 attribute = MaterialAttributes::GetTable().FindAttribute(attributes, index);
    // The blend functions by attribute index: source colour, destination colour, source alpha,
    // destination alpha.
    Enums::BlendFactor* const functions[] = {&mSrcColorBlendFunction, &mDstColorBlendFunction,
                                             &mSrcAlphaBlendFunction, &mDstAlphaBlendFunction};
    switch (attribute) {
    case MaterialAttributes::kProgramId:
        attributes->GetValue(index, parameters, &mProgramId, error);
        return true;
    case MaterialAttributes::kVisibleFaces:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetCullModeTable(), mVisibleFaces);
        return true;
    case MaterialAttributes::kDepthBufferMode:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetDepthTestModeTable(), mDepthBufferMode);
        return true;
    case MaterialAttributes::kBlendMode:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetAlphaModeTable(), mBlendMode);
        return true;
    case MaterialAttributes::kColorBlendEquation:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetBlendEquationTable(), mColorBlendEquation);
        return true;
    case MaterialAttributes::kAlphaBlendEquation:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetBlendEquationTable(), mAlphaBlendEquation);
        return true;
    case MaterialAttributes::kSrcColorBlendFunction:
    case MaterialAttributes::kDstColorBlendFunction:
    case MaterialAttributes::kSrcAlphaBlendFunction:
    case MaterialAttributes::kDstAlphaBlendFunction:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetBlendFactorTable(),
                           *functions[attribute - MaterialAttributes::kSrcColorBlendFunction]);
        return true;
    default:
        return Node::DeserializeAttribute(index, attributes, parameters, error);
    }
}

void Material::Touch() {}

Display::IMaterial* Material::GetMaterialObject()
{
    return mDisplayMaterial;
}

Bool Material::InitSelf(IInitState* state)
{
    const char* id = mId.GetText();
    if (!Node::InitSelf(state)) {
        Debug::Trace("Graph::Material::InitSelf(%s): InitSelf() of superclass failed", id);
        return false;
    }
    mDisplayMaterial = BackEndObject::Create<Display::IMaterial>(state->GetDisplayRenderer(), "Material", mDisplayObject);
    if (mDisplayMaterial == nullptr) {
        Debug::Trace("Graph::Material::InitSelf(%s): Failed to create material object", id);
        return false;
    }
    mProgram = FindBoundNode<Program>(state, mProgramId);
    if (mProgram == nullptr) {
        Debug::Trace("Graph::Material::InitSelf(%s): Failed to get program node \"%s\"", id, mProgramId.GetText());
        return false;
    }
    mProgramObject = mProgram->GetProgramObject();
    if (mProgramObject == nullptr) {
        Debug::Trace("Graph::Material::InitSelf(%s): Failed to get program object from node \"%s\"", id,
                     mProgramId.GetText());
        return false;
    }
    mDisplayMaterial->SetProgram(mProgramObject);
    mDisplayMaterial->SetVisibleFaces(mVisibleFaces);
    mDisplayMaterial->SetDepthTestMode(mDepthBufferMode);
    mDisplayMaterial->SetBlendMode(mBlendMode);
    mDisplayMaterial->SetBlendEquations(mColorBlendEquation, mAlphaBlendEquation);
    mDisplayMaterial->SetBlendFactors(mSrcColorBlendFunction, mSrcAlphaBlendFunction, mDstColorBlendFunction,
                                      mDstAlphaBlendFunction);
    return BackEndObject::Init(mDisplayObject, LogSite{"Material", "InitSelf", mId},
                              "Failed to initialize material object");
}

Bool Material::DeInitSelf(IDeInitState* state)
{
    if (!BackEndObject::Destroy(state->GetDisplayRenderer(), mDisplayObject, LogSite{"Material", "DeInitSelf", mId},
                               "Failed to deinitialize material object"))
        return false;
    mDisplayMaterial = nullptr;
    mProgramObject = nullptr;
    if (!ReleaseBoundNode(mProgram)) {
        Debug::Trace("Graph::Material::DeInitSelf(%s): Failed to remove program node reference", mId.GetText());
        return false;
    }
    return Node::DeInitSelf(state);
}

Bool Material::SuspendSelf(IDeInitState* state)
{
    return BackEndObject::Suspend(mDisplayObject, state->GetConfiguration(), Enums::MemoryObjectType::OTHER,
                                 LogSite{"Material", "SuspendSelf", mId}, "Failed to deinitialize material object");
}

Bool Material::ResumeSelf(IInitState* state)
{
    return BackEndObject::Resume(mDisplayObject, state->GetConfiguration(), Enums::MemoryObjectType::OTHER,
                                LogSite{"Material", "ResumeSelf", mId}, "Failed to initialize material object");
}

} // namespace Graph
} // namespace Vorn
