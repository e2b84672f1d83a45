#include "graph/render/shader.h"

#include <new>

#include "display/object.h"
#include "display/renderer.h"
#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/backend_object.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

Shader::Shader() : mDisplayObject(nullptr), mDisplayShader(nullptr) {}

Shader::~Shader() {}

Bool Shader::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                  Bool* error)
{
    if (ShaderAttributes::GetTable().FindAttribute(attributes, index) == ShaderAttributes::kSource) {
        attributes->GetValue(index, parameters, &mSource, error);
        return true;
    }
    return Node::DeserializeAttribute(index, attributes, parameters, error);
}

Display::IShader* Shader::GetShaderObject()
{
    return mDisplayShader;
}

Bool Shader::InitSelf(IInitState* state)
{
    if (!Node::InitSelf(state)) {
        Debug::Trace("Graph::Shader::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (mSource.IsEmpty()) {
        Debug::Trace("Graph::Shader::InitSelf(%s): No source code", mId.GetText());
        return false;
    }
    mDisplayShader = BackEndObject::Create<Display::IShader>(state->GetDisplayRenderer(), "Shader", mDisplayObject);
    if (mDisplayShader == nullptr) {
        Debug::Trace("Graph::Shader::InitSelf(%s): Failed creating shader object", mId.GetText());
        return false;
    }
    mDisplayShader->SetSource(mSource.GetText(), GetShaderType());
    return BackEndObject::Init(mDisplayObject, LogSite{"Shader", "InitSelf", mId}, "Failed initializing shader object");
}

Bool Shader::DeInitSelf(IDeInitState* state)
{
    if (!BackEndObject::Destroy(state->GetDisplayRenderer(), mDisplayObject, LogSite{"Shader", "DeInitSelf", mId},
                               "Failed to deinitialize shader object"))
        return false;
    mDisplayShader = nullptr;
    return Node::DeInitSelf(state);
}

Bool Shader::SuspendSelf(IDeInitState* state)
{
    return BackEndObject::Suspend(mDisplayObject, state->GetConfiguration(), Enums::MemoryObjectType::OTHER,
                                 LogSite{"Shader", "SuspendSelf", mId}, "Failed to deinitialize shader object");
}

Bool Shader::ResumeSelf(IInitState* state)
{
    return BackEndObject::Resume(mDisplayObject, state->GetConfiguration(), Enums::MemoryObjectType::OTHER,
                                LogSite{"Shader", "ResumeSelf", mId}, "Failed initializing shader object");
}

INode* VertexShader::Create()
{
    return new (std::nothrow) VertexShader();
}

const NodeClassInfo& VertexShader::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("VertexShader"));
    return info;
}

UInt32 VertexShader::GetShaderType() const
{
    return 0;
}

INode* FragmentShader::Create()
{
    return new (std::nothrow) FragmentShader();
}

const NodeClassInfo& FragmentShader::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("FragmentShader"));
    return info;
}

UInt32 FragmentShader::GetShaderType() const
{
    return 1;
}

} // namespace Graph
} // namespace Vorn
