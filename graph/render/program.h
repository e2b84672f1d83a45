// Program nodes make one renderer program available to the materials that name them by id: the
// fixed-function program ("FixedProgram") of the game's graphs, and the shader program
// ("ShaderProgram") that links a vertex and a fragment shader node and declares the uniforms and
// vertex attributes under which the renderer feeds its built-in values to the shaders.
#pragma once

#include "foundation/enums.h"
#include "foundation/string.h"
#include "graph/node.h"

namespace Vorn {

namespace Display {
class IObject;
class IProgram;
}

namespace Graph {

class VertexShader;
class FragmentShader;

class Program : public Node
{
public:
    ~Program() override;

    // Null before initialisation.
    virtual Display::IProgram* GetProgramObject();

protected:
    Program(const char* className);

    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;

    // Makes the renderer object of the class name; false (logged) when it has no program.
    Bool CreateProgramObject(IInitState* state, const char* objectClassName);
    // De-initialises and destroys the renderer object; false (logged) when it cannot be taken down.
    Bool DestroyProgramObject(IDeInitState* state);

    const char* mClassName;
    Display::IObject* mDisplayObject;
    Display::IProgram* mDisplayProgram;
};

class FixedProgram : public Program
{
public:
    FixedProgram();

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

protected:
    Bool InitSelf(IInitState* state) override;

    Bool mColoringEnabled;
    Bool mLightingEnabled;
    Enums::LightingSides mLightModel;
    Bool mTextureUnit0Enabled;
    Bool mTextureUnit1Enabled;
};

class ShaderProgram : public Program
{
public:
    static constexpr UInt32 kNumberOfUniforms = 8;

    ShaderProgram();

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    // The custom uniform at index (0-7), declared as shader variable CUSTOM_<index>; false for an
    // index out of range.
    virtual Bool SetUniformId(UInt32 index, const String& id);
    virtual Bool SetUniformType(UInt32 index, Enums::ShaderUniformType type);

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;

    // Declares the shaders, the built-in uniforms and attributes and the named custom uniforms.
    void DeclareVariables();

    String mVertexShaderId;
    String mFragmentShaderId;
    VertexShader* mVertexShader;
    FragmentShader* mFragmentShader;
    String mUniformIds[kNumberOfUniforms];
    Enums::ShaderUniformType mUniformTypes[kNumberOfUniforms];
};

} // namespace Graph
} // namespace Vorn
