#include "display/dx9/fixed_program.h"

#include <d3d9.h>

#include "display/dx9/dx9_renderer.h"
#include "display/dx9/parameters.h"
#include "display/dx9/state.h"
#include "foundation/debug.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

namespace {

D3DCOLORVALUE ToColor(const Float* color) { return D3DCOLORVALUE{color[0], color[1], color[2], color[3]}; }

const Float kWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const Float kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};

} // namespace

FixedProgram::FixedProgram(Renderer* renderer)
    : Program(renderer), mColoringEnabled(false), mLightingEnabled(false), mLightModel(Enums::LightingSides(0)),
      mTextureUnitEnabled()
{
}

void FixedProgram::SetColoringEnabled(Bool enabled) { mColoringEnabled = enabled; }

void FixedProgram::SetLightingEnabled(Bool enabled) { mLightingEnabled = enabled; }

void FixedProgram::SetLightModel(Enums::LightingSides model) { mLightModel = model; }

void FixedProgram::SetTextureUnitEnabled(UInt32 unit, Bool enabled)
{
    if (unit >= 2) {
        Debug::Trace("Display::Dx9::FixedProgram::SetTextureUnitEnabled(): Texture unit %u out of range", unit);
        return;
    }
    mTextureUnitEnabled[unit] = enabled;
}

Bool FixedProgram::Apply(State& state)
{
    IDirect3DDevice9* device = mRenderer->GetDevice();
    if (device == nullptr)
        return false;
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    device->SetRenderState(D3DRS_COLORVERTEX, TRUE);
    device->SetRenderState(D3DRS_AMBIENTMATERIALSOURCE, D3DMCS_MATERIAL);
    device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL);
    device->SetRenderState(D3DRS_SPECULARMATERIALSOURCE, D3DMCS_MATERIAL);
    device->SetRenderState(D3DRS_EMISSIVEMATERIALSOURCE, D3DMCS_MATERIAL);

    const Parameters* parameters = static_cast<const Parameters*>(state.mParameters);
    D3DMATERIAL9 material;
    if (mLightingEnabled && parameters != nullptr) {
        device->LightEnable(0, TRUE);
        material.Diffuse = ToColor(parameters->GetColor(1));
        material.Ambient = ToColor(parameters->GetColor(0));
        material.Specular = ToColor(parameters->GetColor(2));
        material.Emissive = ToColor(parameters->GetColor(3));
        material.Power = parameters->GetShininess();
    } else {
        // A flat colour: full white ambient light times the material's ambient colour.
        device->LightEnable(0, FALSE);
        device->SetRenderState(D3DRS_AMBIENT, 0xFFFFFFFF);
        const Float* color = mColoringEnabled && parameters != nullptr ? parameters->GetColor(1) : kWhite;
        material.Diffuse = ToColor(color);
        material.Ambient = ToColor(color);
        material.Specular = ToColor(kBlack);
        material.Emissive = ToColor(kBlack);
        material.Power = 1.0f;
    }
    device->SetMaterial(&material);

    if (state.mProgram != this) {
        const Enums::VertexAttribute coordinates[2] = {Enums::VertexAttribute::TEXCOORD_0,
                                                       Enums::VertexAttribute::TEXCOORD_1};
        for (DWORD stage = 0; stage < 2; ++stage) {
            if (UsesVertexAttribute(coordinates[stage])) {
                device->SetTextureStageState(stage, D3DTSS_COLORARG1, D3DTA_TEXTURE);
                device->SetTextureStageState(stage, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
                device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_MODULATE);
                device->SetTextureStageState(stage, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
                device->SetTextureStageState(stage, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
                device->SetTextureStageState(stage, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
            } else {
                device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_DISABLE);
            }
        }
        state.mProgram = this;
    }
    return true;
}

Bool FixedProgram::UsesVertexAttribute(Enums::VertexAttribute attribute) const
{
    switch (attribute) {
    case Enums::VertexAttribute::COORD:
        return true;
    case Enums::VertexAttribute::NORMAL:
        return mLightingEnabled;
    case Enums::VertexAttribute::TEXCOORD_0:
        return mTextureUnitEnabled[0];
    case Enums::VertexAttribute::TEXCOORD_1:
        return mTextureUnitEnabled[1];
    default:
        return false;
    }
}

const ClassInfo& FixedProgram::GetClassInfo()
{
    static const ClassInfo info{"FixedProgram", CreateObjectOf<FixedProgram>};
    return info;
}

} // namespace Dx9
} // namespace Display
} // namespace Vorn
