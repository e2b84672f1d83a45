// Display::Dx9::Parameters ("Parameters"): typed values bound to shader variables that a
// material's program reads while drawing; the colours (CUSTOM_0-3) and shininess (CUSTOM_4) of
// the fixed-function material are found by variable. Holds no device resources.
#pragma once

#include <memory>
#include <vector>

#include "display/dx9/object.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

class Parameters : public Object, public IParameters
{
public:
    class Parameter
    {
    public:
        explicit Parameter(Enums::ShaderVariable variable) : mVariable(variable) {}
        virtual ~Parameter() {}
        Enums::ShaderVariable GetVariable() const { return mVariable; }

    private:
        Enums::ShaderVariable mVariable;
    };

    // One value; zero until set.
    template <typename T>
    class ScalarParameter : public Parameter, public IScalarParameter<T>
    {
    public:
        explicit ScalarParameter(Enums::ShaderVariable variable) : Parameter(variable), mValue() {}
        void SetValue(T value) override { mValue = value; }
        T GetValue() const override { return mValue; }

    private:
        T mValue;
    };

    // N values copied whole; zero until set.
    template <typename T, UInt32 N>
    class ArrayParameter : public Parameter, public IArrayParameter<T, N>
    {
    public:
        explicit ArrayParameter(Enums::ShaderVariable variable) : Parameter(variable), mValues() {}
        void SetValue(const T* values) override
        {
            if (values == nullptr)
                return;
            for (UInt32 i = 0; i < N; ++i)
                mValues[i] = values[i];
        }
        const T* GetValue() const override { return mValues; }

    private:
        T mValues[N];
    };

    typedef ScalarParameter<Float> FloatParameter;
    typedef ArrayParameter<Float, 2> FloatVector2Parameter;
    typedef ArrayParameter<Float, 3> FloatVector3Parameter;
    typedef ArrayParameter<Float, 4> FloatVector4Parameter;
    typedef ArrayParameter<Float, 4> FloatMatrix2Parameter;
    typedef ArrayParameter<Float, 9> FloatMatrix3Parameter;
    typedef ArrayParameter<Float, 16> FloatMatrix4Parameter;
    typedef ScalarParameter<SInt32> IntParameter;
    typedef ArrayParameter<SInt32, 2> IntVector2Parameter;
    typedef ArrayParameter<SInt32, 3> IntVector3Parameter;
    typedef ArrayParameter<SInt32, 4> IntVector4Parameter;
    typedef ArrayParameter<SInt32, 4> IntMatrix2Parameter;
    typedef ArrayParameter<SInt32, 9> IntMatrix3Parameter;
    typedef ArrayParameter<SInt32, 16> IntMatrix4Parameter;

    explicit Parameters(Renderer* renderer);
    ~Parameters() override;

    // A later parameter for the same variable takes over the colour or shininess role.
    IFloatParameter* CreateFloatParameter(Enums::ShaderVariable variable) override;
    IFloatVector2Parameter* CreateFloatVector2Parameter(Enums::ShaderVariable variable) override;
    IFloatVector3Parameter* CreateFloatVector3Parameter(Enums::ShaderVariable variable) override;
    IFloatVector4Parameter* CreateFloatVector4Parameter(Enums::ShaderVariable variable) override;
    IFloatMatrix2Parameter* CreateFloatMatrix2Parameter(Enums::ShaderVariable variable) override;
    IFloatMatrix3Parameter* CreateFloatMatrix3Parameter(Enums::ShaderVariable variable) override;
    IFloatMatrix4Parameter* CreateFloatMatrix4Parameter(Enums::ShaderVariable variable) override;
    IIntParameter* CreateIntParameter(Enums::ShaderVariable variable) override;
    IIntVector2Parameter* CreateIntVector2Parameter(Enums::ShaderVariable variable) override;
    IIntVector3Parameter* CreateIntVector3Parameter(Enums::ShaderVariable variable) override;
    IIntVector4Parameter* CreateIntVector4Parameter(Enums::ShaderVariable variable) override;
    IIntMatrix2Parameter* CreateIntMatrix2Parameter(Enums::ShaderVariable variable) override;
    IIntMatrix3Parameter* CreateIntMatrix3Parameter(Enums::ShaderVariable variable) override;
    IIntMatrix4Parameter* CreateIntMatrix4Parameter(Enums::ShaderVariable variable) override;

    // Makes this the state's current parameters; true.
    virtual Bool Apply(State& state);
    // Index 0-3: ambient, diffuse, specular, emissive; (0, 0, 0, 0) when not added or the index
    // is out of range.
    virtual const Float* GetColor(UInt32 index) const;
    // 1.0 when not added.
    virtual Float GetShininess() const;

    static const ClassInfo& GetClassInfo();

private:
    template <typename P>
    P* Add(Enums::ShaderVariable variable);

    std::vector<std::unique_ptr<Parameter>> mParameters;
    FloatVector4Parameter* mColors[4];
    FloatParameter* mShininess;
};

} // namespace Dx9
} // namespace Display
} // namespace Vorn
