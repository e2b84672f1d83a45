// The material node ("Material"): how drawables are rendered, with which program (a program node
// named by id), which faces are visible, how the depth buffer is used and how colours blend. It
// hands its settings to the renderer's "Material" object once, at initialisation; material slots
// bind that object for the drawables below them.
#pragma once

#include "foundation/enums.h"
#include "foundation/string.h"
#include "graph/node.h"

namespace Vorn {

namespace Display {
class IObject;
class IMaterial;
class IProgram;
}

namespace Graph {

class Program;

class IMaterial
{
public:
    // Does nothing.
    virtual void Touch() = 0;
    virtual ~IMaterial() {}
};

class Material : public Node, public IMaterial
{
public:
    Material();
    ~Material() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    void Touch() override;

    // Null before initialisation.
    virtual Display::IMaterial* GetMaterialObject();

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;

    Display::IObject* mDisplayObject;
    Display::IMaterial* mDisplayMaterial;
    Display::IProgram* mProgramObject;
    String mProgramId;
    Program* mProgram;
    Enums::CullMode mVisibleFaces;
    Enums::DepthTestMode mDepthBufferMode;
    Enums::AlphaMode mBlendMode;
    Enums::BlendEquation mColorBlendEquation;
    Enums::BlendEquation mAlphaBlendEquation;
    Enums::BlendFactor mSrcColorBlendFunction;
    Enums::BlendFactor mSrcAlphaBlendFunction;
    Enums::BlendFactor mDstColorBlendFunction;
    Enums::BlendFactor mDstAlphaBlendFunction;
};

} // namespace Graph
} // namespace Vorn
