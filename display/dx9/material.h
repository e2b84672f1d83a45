// Display::Dx9::Material ("Material"): which faces are drawn, how depth is tested and written,
// whether and how colours blend, and the program that shades the pixels. Holds no device
// resources; the renderer applies it before each element it draws.
#pragma once

#include "display/dx9/object.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

class Material : public Property, public IMaterial
{
public:
    explicit Material(Renderer* renderer);

    void SetVisibleFaces(Enums::CullMode faces) override { mVisibleFaces = faces; }
    void SetDepthTestMode(Enums::DepthTestMode mode) override { mDepthTestMode = mode; }
    void SetBlendMode(Enums::AlphaMode mode) override { mBlendMode = mode; }
    // Stored only: the device's addition applies.
    void SetBlendEquations(Enums::BlendEquation color, Enums::BlendEquation alpha) override;
    void SetBlendFactors(Enums::BlendFactor sourceColor, Enums::BlendFactor sourceAlpha,
                         Enums::BlendFactor destinationColor, Enums::BlendFactor destinationAlpha) override;
    // A program of another back-end is refused with a line and clears the program.
    void SetProgram(IProgram* program) override;

    // The render states when this is not the state's current material, then always the
    // program's apply, whose result it returns; false without a program.
    Bool Apply(State& state) override;
    Bool IsBlendingDisabled() const;
    // Elements whose material writes depth go to the renderer's opaque list.
    Bool WritesDepth() const;
    Program* GetProgram() const { return mProgram; }

    // Enums::BlendFactor to D3DBLEND; values without a Direct3D 9 factor give ONE.
    static UInt32 ToDxBlend(Enums::BlendFactor factor);
    // Enums::CullMode to D3DCULL, clockwise and counter-clockwise exchanged when flipped.
    static UInt32 ToDxCull(Enums::CullMode faces, Bool flip);

    static const ClassInfo& GetClassInfo();

private:
    Program* mProgram;
    Enums::CullMode mVisibleFaces;
    Enums::AlphaMode mBlendMode;
    Enums::BlendEquation mBlendEquations[2];
    // Source colour, source alpha, destination colour, destination alpha.
    Enums::BlendFactor mBlendFactors[4];
    Enums::DepthTestMode mDepthTestMode;
};

} // namespace Dx9
} // namespace Display
} // namespace Vorn
