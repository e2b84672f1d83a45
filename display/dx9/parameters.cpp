#include "display/dx9/parameters.h"

#include <new>

#include "display/dx9/state.h"
#include "foundation/debug.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

namespace {

constexpr UInt32 kFirstColor = Enums::Value(Enums::ShaderVariable::CUSTOM_0);
constexpr Float kNoColor[4] = {0.0f, 0.0f, 0.0f, 0.0f};

} // namespace

Parameters::Parameters(Renderer* renderer) : Object(renderer), mColors(), mShininess(nullptr) {}

Parameters::~Parameters()
{
    if (mInitialized) {
        Debug::Trace("Display::Dx9::Parameters::~Parameters(): Object is still initialized");
        mInitialized = false;
    }
}

template <typename P>
P* Parameters::Add(Enums::ShaderVariable variable)
{
    P* parameter = new (std::nothrow) P(variable);
    if (parameter != nullptr)
        mParameters.emplace_back(parameter);
    return parameter;
}

IFloatParameter* Parameters::CreateFloatParameter(Enums::ShaderVariable variable)
{
    FloatParameter* parameter = Add<FloatParameter>(variable);
    if (parameter != nullptr && variable == Enums::ShaderVariable::CUSTOM_4)
        mShininess = parameter;
    return parameter;
}

IFloatVector2Parameter* Parameters::CreateFloatVector2Parameter(Enums::ShaderVariable variable)
{
    return Add<FloatVector2Parameter>(variable);
}

IFloatVector3Parameter* Parameters::CreateFloatVector3Parameter(Enums::ShaderVariable variable)
{
    return Add<FloatVector3Parameter>(variable);
}

IFloatVector4Parameter* Parameters::CreateFloatVector4Parameter(Enums::ShaderVariable variable)
{
    FloatVector4Parameter* parameter = Add<FloatVector4Parameter>(variable);
    const UInt32 index = Enums::Value(variable) - kFirstColor;
    if (parameter != nullptr && Enums::Value(variable) >= kFirstColor && index < 4)
        mColors[index] = parameter;
    return parameter;
}

IFloatMatrix2Parameter* Parameters::CreateFloatMatrix2Parameter(Enums::ShaderVariable variable)
{
    return Add<FloatMatrix2Parameter>(variable);
}

IFloatMatrix3Parameter* Parameters::CreateFloatMatrix3Parameter(Enums::ShaderVariable variable)
{
    return Add<FloatMatrix3Parameter>(variable);
}

IFloatMatrix4Parameter* Parameters::CreateFloatMatrix4Parameter(Enums::ShaderVariable variable)
{
    return Add<FloatMatrix4Parameter>(variable);
}

IIntParameter* Parameters::CreateIntParameter(Enums::ShaderVariable variable) { return Add<IntParameter>(variable); }

IIntVector2Parameter* Parameters::CreateIntVector2Parameter(Enums::ShaderVariable variable)
{
    return Add<IntVector2Parameter>(variable);
}

IIntVector3Parameter* Parameters::CreateIntVector3Parameter(Enums::ShaderVariable variable)
{
    return Add<IntVector3Parameter>(variable);
}

IIntVector4Parameter* Parameters::CreateIntVector4Parameter(Enums::ShaderVariable variable)
{
    return Add<IntVector4Parameter>(variable);
}

IIntMatrix2Parameter* Parameters::CreateIntMatrix2Parameter(Enums::ShaderVariable variable)
{
    return Add<IntMatrix2Parameter>(variable);
}

IIntMatrix3Parameter* Parameters::CreateIntMatrix3Parameter(Enums::ShaderVariable variable)
{
    return Add<IntMatrix3Parameter>(variable);
}

IIntMatrix4Parameter* Parameters::CreateIntMatrix4Parameter(Enums::ShaderVariable variable)
{
    return Add<IntMatrix4Parameter>(variable);
}

Bool Parameters::Apply(State& state)
{
    state.mParameters = this;
    return true;
}

const Float* Parameters::GetColor(UInt32 index) const
{
    if (index >= 4 || mColors[index] == nullptr)
        return kNoColor;
    return mColors[index]->GetValue();
}

Float Parameters::GetShininess() const { return mShininess != nullptr ? mShininess->GetValue() : 1.0f; }

const ClassInfo& Parameters::GetClassInfo()
{
    static const ClassInfo info{"Parameters", CreateObjectOf<Parameters>};
    return info;
}

} // namespace Dx9
} // namespace Display
} // namespace Vorn
