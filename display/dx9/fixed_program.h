// Display::Dx9::FixedProgram ("FixedProgram"): the fixed-function shading of a material. Four
// switches become device state: one directional light or a flat colour, and up to two texture
// stages that modulate the texture with that colour. Holds no device resources.
#pragma once

#include "display/dx9/object.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

class FixedProgram : public Program, public IFixedTechnique
{
public:
    explicit FixedProgram(Renderer* renderer);

    void SetColoringEnabled(Bool enabled) override;
    void SetLightingEnabled(Bool enabled) override;
    // Stored only.
    void SetLightModel(Enums::LightingSides model) override;
    // Unit 0 or 1; other units are refused with a line.
    void SetTextureUnitEnabled(UInt32 unit, Bool enabled) override;

    // The material colours from the state's current parameters on every apply; the texture
    // stages only when this is not the state's current program already.
    Bool Apply(State& state) override;
    Bool UsesVertexAttribute(Enums::VertexAttribute attribute) const override;

    static const ClassInfo& GetClassInfo();

private:
    Bool mColoringEnabled;
    Bool mLightingEnabled;
    Enums::LightingSides mLightModel;
    Bool mTextureUnitEnabled[2];
};

} // namespace Dx9
} // namespace Display
} // namespace Vorn
