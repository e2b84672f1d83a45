#include "display/dx9/material.h"

#include <d3d9.h>

#include "display/dx9/dx9_renderer.h"
#include "display/dx9/state.h"
#include "foundation/debug.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

namespace {

// By Enums::BlendFactor value. The constant-colour factors have no Direct3D 9 counterpart
// without a blend-factor colour; they blend as ONE rather than with an invalid value.
constexpr UInt32 kBlendFactors[] = {
    D3DBLEND_ONE,          D3DBLEND_ZERO,         D3DBLEND_ONE,          D3DBLEND_SRCCOLOR,
    D3DBLEND_INVSRCCOLOR,  D3DBLEND_DESTCOLOR,    D3DBLEND_INVDESTCOLOR, D3DBLEND_SRCALPHA,
    D3DBLEND_INVSRCALPHA,  D3DBLEND_DESTALPHA,    D3DBLEND_INVDESTALPHA, D3DBLEND_ONE,
    D3DBLEND_ONE,          D3DBLEND_ONE,          D3DBLEND_ONE,          D3DBLEND_SRCALPHASAT,
};

// By Enums::DepthTestMode value: D3DRS_ZFUNC, D3DRS_ZWRITEENABLE, D3DRS_ZENABLE.
struct DepthStates
{
    UInt32 function;
    UInt32 write;
    UInt32 enable;
};
constexpr DepthStates kReadAndWrite = {D3DCMP_LESSEQUAL, TRUE, TRUE};
constexpr DepthStates kDepthStates[] = {
    kReadAndWrite,
    {D3DCMP_ALWAYS, FALSE, FALSE},
    {D3DCMP_LESSEQUAL, FALSE, TRUE},
    {D3DCMP_ALWAYS, TRUE, TRUE},
    kReadAndWrite,
};

} // namespace

Material::Material(Renderer* renderer)
    : Property(renderer), mProgram(nullptr), mVisibleFaces(Enums::CullMode::FRONT_ONLY),
      mBlendMode(Enums::AlphaMode::NONE), mBlendEquations{Enums::BlendEquation::ADD, Enums::BlendEquation::ADD},
      mBlendFactors{Enums::BlendFactor::SRC_ALPHA, Enums::BlendFactor::SRC_ALPHA,
                    Enums::BlendFactor::ONE_MINUS_SRC_ALPHA, Enums::BlendFactor::ONE_MINUS_SRC_ALPHA},
      mDepthTestMode(Enums::DepthTestMode::READ_AND_WRITE)
{
}

void Material::SetBlendEquations(Enums::BlendEquation color, Enums::BlendEquation alpha)
{
    mBlendEquations[0] = color;
    mBlendEquations[1] = alpha;
}

void Material::SetBlendFactors(Enums::BlendFactor sourceColor, Enums::BlendFactor sourceAlpha,
                               Enums::BlendFactor destinationColor, Enums::BlendFactor destinationAlpha)
{
    mBlendFactors[0] = sourceColor;
    mBlendFactors[1] = sourceAlpha;
    mBlendFactors[2] = destinationColor;
    mBlendFactors[3] = destinationAlpha;
}

void Material::SetProgram(IProgram* program)
{
    mProgram = dynamic_cast<Program*>(program);
    if (program != nullptr && mProgram == nullptr)
        Debug::Trace("Display::Dx9::Material::SetProgram(): Program of another renderer");
}

UInt32 Material::ToDxBlend(Enums::BlendFactor factor)
{
    const UInt32 value = Enums::Value(factor);
    return value < sizeof(kBlendFactors) / sizeof(kBlendFactors[0]) ? kBlendFactors[value] : UInt32(D3DBLEND_ONE);
}

UInt32 Material::ToDxCull(Enums::CullMode faces, Bool flip)
{
    switch (faces) {
    case Enums::CullMode::NONE:
    case Enums::CullMode::FRONT_AND_BACK:
        return D3DCULL_NONE;
    case Enums::CullMode::BACK_ONLY:
        return flip ? D3DCULL_CW : D3DCULL_CCW;
    default:
        return flip ? D3DCULL_CCW : D3DCULL_CW;
    }
}

Bool Material::Apply(State& state)
{
    if (mProgram == nullptr) {
        Debug::Trace("Display::Dx9::Material::Apply(): Material has no program");
        return false;
    }
    IDirect3DDevice9* device = mRenderer->GetDevice();
    if (device == nullptr)
        return false;
    if (state.mMaterial != this) {
        device->SetRenderState(D3DRS_CULLMODE, ToDxCull(mVisibleFaces, state.mFlip));
        const UInt32 mode = Enums::Value(mDepthTestMode);
        const DepthStates& depth =
            mode < sizeof(kDepthStates) / sizeof(kDepthStates[0]) ? kDepthStates[mode] : kReadAndWrite;
        device->SetRenderState(D3DRS_ZFUNC, depth.function);
        device->SetRenderState(D3DRS_ZWRITEENABLE, depth.write);
        device->SetRenderState(D3DRS_ZENABLE, depth.enable);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, mBlendMode == Enums::AlphaMode::ALPHA ? TRUE : FALSE);
        if (mBlendMode != Enums::AlphaMode::NONE) {
            device->SetRenderState(D3DRS_SEPARATEALPHABLENDENABLE, TRUE);
            device->SetRenderState(D3DRS_SRCBLEND, ToDxBlend(mBlendFactors[0]));
            device->SetRenderState(D3DRS_DESTBLEND, ToDxBlend(mBlendFactors[2]));
            device->SetRenderState(D3DRS_SRCBLENDALPHA, ToDxBlend(mBlendFactors[1]));
            device->SetRenderState(D3DRS_DESTBLENDALPHA, ToDxBlend(mBlendFactors[3]));
        }
        state.mMaterial = this;
    }
    return mProgram->Apply(state);
}

Bool Material::IsBlendingDisabled() const { return mBlendMode == Enums::AlphaMode::NONE; }

Bool Material::WritesDepth() const
{
    return mDepthTestMode == Enums::DepthTestMode::WRITE_ONLY || mDepthTestMode == Enums::DepthTestMode::READ_AND_WRITE;
}

const ClassInfo& Material::GetClassInfo()
{
    static const ClassInfo info{"Material", CreateObjectOf<Material>};
    return info;
}

} // namespace Dx9
} // namespace Display
} // namespace Vorn
