// Shader nodes hold the source text of one shader and make the renderer's "Shader" object from
// it; shader programs name a vertex and a fragment shader node by id.
#pragma once

#include "foundation/string.h"
#include "graph/node.h"

namespace Vorn {

namespace Display {
class IObject;
class IShader;
}

namespace Graph {

class Shader : public Node
{
public:
    ~Shader() override;

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    // Null before initialisation.
    virtual Display::IShader* GetShaderObject();
    // 0 vertex, 1 fragment.
    virtual UInt32 GetShaderType() const = 0;

protected:
    Shader();

    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;

    String mSource;
    Display::IObject* mDisplayObject;
    Display::IShader* mDisplayShader;
};

class VertexShader : public Shader
{
public:
    static INode* Create();
    static const NodeClassInfo& GetClassInfo();
    UInt32 GetShaderType() const override;
};

class FragmentShader : public Shader
{
public:
    static INode* Create();
    static const NodeClassInfo& GetClassInfo();
    UInt32 GetShaderType() const override;
};

} // namespace Graph
} // namespace Vorn
