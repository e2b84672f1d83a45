#include "graph/render/program.h"

#include <cstdio>
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
#include "graph/render/shader.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {
namespace {

struct BuiltInUniform
{
    const char* mName;
    UInt32 mVariable;
    Enums::ShaderUniformType mType;
};

// The renderer's built-in values, in declaration order.
const BuiltInUniform kBuiltInUniforms[] = {
    {"uModelMatrix", 0, Enums::ShaderUniformType::FLOAT_MATRIX_4},
    {"uCameraViewMatrix", 1, Enums::ShaderUniformType::FLOAT_MATRIX_4},
    {"uCameraProjectionMatrix", 2, Enums::ShaderUniformType::FLOAT_MATRIX_4},
    {"uCameraViewProjectionMatrix", 3, Enums::ShaderUniformType::FLOAT_MATRIX_4},
    {"uCameraPosition", 4, Enums::ShaderUniformType::FLOAT_VECTOR_4},
    {"uCameraDirection", 5, Enums::ShaderUniformType::FLOAT_VECTOR_4},
    {"uLightViewMatrix", 6, Enums::ShaderUniformType::FLOAT_MATRIX_4},
    {"uLightProjectionMatrix", 7, Enums::ShaderUniformType::FLOAT_MATRIX_4},
    {"uLightViewProjectionMatrix", 8, Enums::ShaderUniformType::FLOAT_MATRIX_4},
    {"uLightPosition", 9, Enums::ShaderUniformType::FLOAT_VECTOR_4},
    {"uLightDirection", 10, Enums::ShaderUniformType::FLOAT_VECTOR_4},
    {"uTexture0", 11, Enums::ShaderUniformType::INT},
    {"uTexture1", 12, Enums::ShaderUniformType::INT},
    {"uTexture2", 13, Enums::ShaderUniformType::INT},
    {"uTexture3", 14, Enums::ShaderUniformType::INT},
};

struct BuiltInAttribute
{
    const char* mName;
    UInt32 mAttribute;
    Enums::AttributeType mType;
};

const BuiltInAttribute kBuiltInAttributes[] = {
    {"aPosition", 0, Enums::AttributeType::FLOAT_VECTOR_4},
    {"aColor", 4, Enums::AttributeType::FLOAT_VECTOR_4},
    {"aNormal", 1, Enums::AttributeType::FLOAT_VECTOR_3},
    {"aBinormal", 2, Enums::AttributeType::FLOAT_VECTOR_3},
    {"aTangent", 3, Enums::AttributeType::FLOAT_VECTOR_3},
    {"aTexCoord0", 5, Enums::AttributeType::FLOAT_VECTOR_2},
    {"aTexCoord1", 6, Enums::AttributeType::FLOAT_VECTOR_2},
    {"aBoneIndices", 13, Enums::AttributeType::UINT8_VECTOR_4},
    {"aBoneWeights", 14, Enums::AttributeType::FLOAT_VECTOR_4},
};

constexpr UInt32 kNumberOfBoneMatrices = 24;

} // namespace

Program::Program(const char* className)
    : mClassName(className), mDisplayObject(nullptr), mDisplayProgram(nullptr)
{
}

Program::~Program() {}

Display::IProgram* Program::GetProgramObject()
{
    return mDisplayProgram;
}

Bool Program::CreateProgramObject(IInitState* state, const char* objectClassName)
{
    mDisplayProgram =
        BackEndObject::Create<Display::IProgram>(state->GetDisplayRenderer(), objectClassName, mDisplayObject);
    if (mDisplayProgram == nullptr) {
        Debug::Trace("Graph::%s::InitSelf(%s): Failed to create program object", mClassName, mId.GetText());
        return false;
    }
    return true;
}

Bool Program::DestroyProgramObject(IDeInitState* state)
{
    if (!BackEndObject::Destroy(state->GetDisplayRenderer(), mDisplayObject, LogSite{mClassName, "DeInitSelf", mId},
                               "Failed to deinitialize program object"))
        return false;
    mDisplayProgram = nullptr;
    return true;
}

Bool Program::DeInitSelf(IDeInitState* state)
{
    return DestroyProgramObject(state) && Node::DeInitSelf(state);
}

Bool Program::SuspendSelf(IDeInitState* state)
{
    return BackEndObject::Suspend(mDisplayObject, state->GetConfiguration(), Enums::MemoryObjectType::OTHER,
                                 LogSite{mClassName, "SuspendSelf", mId}, "Failed to deinitialize program object");
}

Bool Program::ResumeSelf(IInitState* state)
{
    return BackEndObject::Resume(mDisplayObject, state->GetConfiguration(), Enums::MemoryObjectType::OTHER,
                                LogSite{mClassName, "ResumeSelf", mId}, "Failed to initialize program object");
}

FixedProgram::FixedProgram()
    : Program("FixedProgram"),
      mColoringEnabled(false),
      mLightingEnabled(false),
      mLightModel(Enums::LightingSides::ONE_SIDED),
      mTextureUnit0Enabled(false),
      mTextureUnit1Enabled(false)
{
}

INode* FixedProgram::Create()
{
    return new (std::nothrow) FixedProgram();
}

const NodeClassInfo& FixedProgram::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("FixedProgram"));
    return info;
}

Bool FixedProgram::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                        Bool* error)
{
    switch (FixedProgramAttributes::GetTable().FindAttribute(attributes, index)) {
    case FixedProgramAttributes::kColoringEnabled:
        attributes->GetValue(index, parameters, &mColoringEnabled, error);
        return true;
    case FixedProgramAttributes::kLightingEnabled:
        attributes->GetValue(index, parameters, &mLightingEnabled, error);
        return true;
    case FixedProgramAttributes::kTextureUnit0Enabled:
        attributes->GetValue(index, parameters, &mTextureUnit0Enabled, error);
        return true;
    case FixedProgramAttributes::kTextureUnit1Enabled:
        attributes->GetValue(index, parameters, &mTextureUnit1Enabled, error);
        return true;
    case FixedProgramAttributes::kLightModel:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetLightingSidesTable(), mLightModel);
        return true;
    default:
        return Program::DeserializeAttribute(index, attributes, parameters, error);
    }
}

Bool FixedProgram::InitSelf(IInitState* state)
{
    if (!Program::InitSelf(state)) {
        Debug::Trace("Graph::FixedProgram::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (!CreateProgramObject(state, "FixedProgram"))
        return false;
    Display::IFixedTechnique* technique = dynamic_cast<Display::IFixedTechnique*>(mDisplayProgram);
    if (technique == nullptr) {
        Debug::Trace("Graph::FixedProgram::InitSelf(%s): Failed to create fixed technique object", mId.GetText());
        return false;
    }
    technique->SetColoringEnabled(mColoringEnabled);
    technique->SetLightingEnabled(mLightingEnabled);
    technique->SetLightModel(mLightModel);
    technique->SetTextureUnitEnabled(0, mTextureUnit0Enabled);
    technique->SetTextureUnitEnabled(1, mTextureUnit1Enabled);
    return BackEndObject::Init(mDisplayObject, LogSite{"FixedProgram", "InitSelf", mId},
                              "Failed to initialize program object");
}

ShaderProgram::ShaderProgram() : Program("ShaderProgram"), mVertexShader(nullptr), mFragmentShader(nullptr)
{
    for (UInt32 i = 0; i < kNumberOfUniforms; ++i)
        mUniformTypes[i] = Enums::ShaderUniformType::FLOAT;
}

INode* ShaderProgram::Create()
{
    return new (std::nothrow) ShaderProgram();
}

const NodeClassInfo& ShaderProgram::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("ShaderProgram"));
    return info;
}

Bool ShaderProgram::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                         Bool* error)
{
    const UInt32 attribute = ShaderProgramAttributes::GetTable().FindAttribute(attributes, index);
    if (attribute == ShaderProgramAttributes::kVertexShaderId) {
        attributes->GetValue(index, parameters, &mVertexShaderId, error);
        return true;
    }
    if (attribute == ShaderProgramAttributes::kFragmentShaderId) {
        attributes->GetValue(index, parameters, &mFragmentShaderId, error);
        return true;
    }
    if (attribute >= ShaderProgramAttributes::kUniform0Id && attribute <= ShaderProgramAttributes::kUniform7Id) {
        String id;
        if (attributes->GetValue(index, parameters, &id, error))
            SetUniformId(attribute - ShaderProgramAttributes::kUniform0Id, id);
        return true;
    }
    if (attribute >= ShaderProgramAttributes::kUniform0Type && attribute <= ShaderProgramAttributes::kUniform7Type) {
        Enums::ShaderUniformType type;
        if (Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetShaderUniformTypeTable(), type))
            SetUniformType(attribute - ShaderProgramAttributes::kUniform0Type, type);
        return true;
    }
    return Program::DeserializeAttribute(index, attributes, parameters, error);
}

Bool ShaderProgram::SetUniformId(UInt32 index, const String& id)
{
    if (index >= kNumberOfUniforms)
        return false;
    mUniformIds[index] = id;
    return true;
}

Bool ShaderProgram::SetUniformType(UInt32 index, Enums::ShaderUniformType type)
{
    if (index >= kNumberOfUniforms)
        return false;
    mUniformTypes[index] = type;
    return true;
}

Bool ShaderProgram::InitSelf(IInitState* state)
{
    const char* id = mId.GetText();
    if (!Program::InitSelf(state)) {
        Debug::Trace("Graph::ShaderProgram::InitSelf(%s): InitSelf() of superclass failed", id);
        return false;
    }
    if (mVertexShaderId.IsEmpty()) {
        Debug::Trace("Graph::ShaderProgram::InitSelf(%s): No vertex shader ID specified", id);
        return false;
    }
    if (mFragmentShaderId.IsEmpty()) {
        Debug::Trace("Graph::ShaderProgram::InitSelf(%s): No fragment shader ID specified", id);
        return false;
    }
    mVertexShader = FindBoundNode<VertexShader>(state, mVertexShaderId);
    if (mVertexShader == nullptr) {
        Debug::Trace("Graph::ShaderProgram::InitSelf(%s): Failed to get vertex shader node \"%s\"", id,
                     mVertexShaderId.GetText());
        return false;
    }
    mFragmentShader = FindBoundNode<FragmentShader>(state, mFragmentShaderId);
    if (mFragmentShader == nullptr) {
        Debug::Trace("Graph::ShaderProgram::InitSelf(%s): Failed to get fragment shader node \"%s\"", id,
                     mFragmentShaderId.GetText());
        return false;
    }
    if (mVertexShader->GetShaderObject() == nullptr) {
        Debug::Trace("Graph::ShaderProgram::InitSelf(%s): Failed to get vertex shader object from node \"%s\"", id,
                     mVertexShaderId.GetText());
        return false;
    }
    if (mFragmentShader->GetShaderObject() == nullptr) {
        Debug::Trace("Graph::ShaderProgram::InitSelf(%s): Failed to get fragment shader object from node \"%s\"", id,
                     mFragmentShaderId.GetText());
        return false;
    }
    if (!CreateProgramObject(state, "ShaderProgram"))
        return false;
    if (dynamic_cast<Display::IShaderTechnique*>(mDisplayProgram) == nullptr) {
        Debug::Trace("Graph::ShaderProgram::InitSelf(%s): Failed to create shader technique object", id);
        return false;
    }
    DeclareVariables();
    return BackEndObject::Init(mDisplayObject, LogSite{"ShaderProgram", "InitSelf", mId},
                              "Failed to initialize program object");
}

void ShaderProgram::DeclareVariables()
{
    Display::IShaderTechnique* technique = dynamic_cast<Display::IShaderTechnique*>(mDisplayProgram);
    technique->AddShader(mVertexShader->GetShaderObject());
    technique->AddShader(mFragmentShader->GetShaderObject());
    for (const BuiltInUniform& uniform : kBuiltInUniforms)
        technique->AddUniform(Enums::ShaderVariable(uniform.mVariable), uniform.mType, uniform.mName);
    for (const BuiltInAttribute& attribute : kBuiltInAttributes)
        technique->AddAttribute(Enums::VertexAttribute(attribute.mAttribute), attribute.mType, attribute.mName);
    for (UInt32 i = 0; i < kNumberOfBoneMatrices; ++i) {
        char name[24];
        std::snprintf(name, sizeof(name), "uBoneMatrix[%u]", i);
        technique->AddUniform(Enums::ShaderVariable(UInt32(Enums::ShaderVariable::BONE_MATRIX_0) + i),
                              Enums::ShaderUniformType::FLOAT_MATRIX_4, name);
    }
    for (UInt32 i = 0; i < kNumberOfUniforms; ++i) {
        if (!mUniformIds[i].IsEmpty())
            technique->AddUniform(Enums::ShaderVariable(UInt32(Enums::ShaderVariable::CUSTOM_0) + i), mUniformTypes[i],
                                  mUniformIds[i].GetText());
    }
}

Bool ShaderProgram::DeInitSelf(IDeInitState* state)
{
    if (!DestroyProgramObject(state))
        return false;
    if (!ReleaseBoundNode(mVertexShader)) {
        Debug::Trace("Graph::ShaderProgram::DeInitSelf(%s): Failed to remove vertex shader node reference",
                     mId.GetText());
        return false;
    }
    if (!ReleaseBoundNode(mFragmentShader)) {
        Debug::Trace("Graph::ShaderProgram::DeInitSelf(%s): Failed to remove fragment shader node reference",
                     mId.GetText());
        return false;
    }
    return Node::DeInitSelf(state);
}

} // namespace Graph
} // namespace Vorn
