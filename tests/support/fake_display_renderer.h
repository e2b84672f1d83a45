// A display renderer for graph tests: it makes recording fake objects by class name, counts the
// live ones, can refuse chosen class names or object inits, and records the frame that the
// enqueue-output pass hands it.
#pragma once

#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "display/renderer.h"
#include "foundation/format_size.h"
#include "tests/support/fake_object_registry.h"

namespace Vorn {
namespace Testing {

// Base of every fake display object.
using FakeDisplayObject = FakeRendererObject<Display::IObject>;

class FakeDrawable : public FakeDisplayObject, public Display::IDrawable
{
public:
    using FakeDisplayObject::FakeDisplayObject;
    Bool SetValue(UInt32 value) override
    {
        mValue = value;
        return true;
    }
    Bool SetTableValue(UInt32 value, UInt32 index) override
    {
        if (index < 5)
            mTable[index] = value;
        return true;
    }
    void SetLevel(UInt32 level) override { mLevel = level; }
    Bool AddVertexBuffer(Display::IVertexBuffer* buffer) override
    {
        mVertexBuffers.push_back(buffer);
        return true;
    }
    Bool RemoveVertexBuffer(Display::IVertexBuffer* buffer) override { return Remove(mVertexBuffers, buffer); }
    Bool AddIndexBuffer(Display::IIndexBuffer* buffer) override
    {
        mIndexBuffers.push_back(buffer);
        return true;
    }
    Bool RemoveIndexBuffer(Display::IIndexBuffer* buffer) override { return Remove(mIndexBuffers, buffer); }
    Bool SetBoundingBox(const Math::Vector<float>& minimum, const Math::Vector<float>& maximum) override
    {
        mCentre = (minimum + maximum) * 0.5f;
        mCentre.w = 1.0f;
        const Math::Vector<float> d = maximum - minimum;
        mRadius = 0.5f * std::sqrt(d.Dot(d));
        return true;
    }
    const Math::Vector<float>& GetBoundingSphereCentre() const override { return mCentre; }
    Float GetBoundingSphereRadius() const override { return mRadius; }

    UInt32 mValue = 0;
    UInt32 mTable[5] = {};
    UInt32 mLevel = 0;
    std::vector<Display::IVertexBuffer*> mVertexBuffers;
    std::vector<Display::IIndexBuffer*> mIndexBuffers;
    Math::Vector<float> mCentre{0.0f, 0.0f, 0.0f, 1.0f};
    Float mRadius = 0.0f;

private:
    template <typename T>
    static Bool Remove(std::vector<T*>& list, T* item)
    {
        for (auto it = list.begin(); it != list.end(); ++it) {
            if (*it == item) {
                list.erase(it);
                return true;
            }
        }
        return true;
    }
};

class FakeVertexBuffer : public FakeDisplayObject, public Display::IVertexBuffer
{
public:
    using FakeDisplayObject::FakeDisplayObject;
    void SetDynamic(Bool dynamic) override { mDynamic = dynamic; }
    void SetNumberOfVertices(UInt32 count) override { mNumberOfVertices = count; }
    Bool SetVertexData(const void* data, UInt32 capacity, UInt32 vertexSize) override
    {
        mData = data;
        mCapacity = capacity;
        mVertexSize = vertexSize;
        return true;
    }
    void SetDataModified() override { ++mModifiedCount; }
    Bool AddAttribute(Enums::VertexAttribute attribute, Enums::AttributeType type, UInt32& offset) override
    {
        for (const auto& a : mAttributes)
            if (a.first == attribute)
                return false;
        mAttributes.emplace_back(attribute, offset);
        mAttributeTypes.push_back(type);
        offset += Util::GetAttributeTypeSize(type);
        return true;
    }
    Bool mDynamic = false;
    UInt32 mNumberOfVertices = 0;
    const void* mData = nullptr;
    UInt32 mCapacity = 0;
    UInt32 mVertexSize = 0;
    UInt32 mModifiedCount = 0;
    std::vector<std::pair<Enums::VertexAttribute, UInt32>> mAttributes;
    std::vector<Enums::AttributeType> mAttributeTypes;
};

class FakeIndexBuffer : public FakeDisplayObject, public Display::IIndexBuffer
{
public:
    using FakeDisplayObject::FakeDisplayObject;
    void SetDynamic(Bool dynamic) override { mDynamic = dynamic; }
    void SetPrimitiveType(Enums::PrimitiveType type) override { mPrimitiveType = type; }
    void SetMaterialSlot(UInt32 slot) override { mMaterialSlot = slot; }
    void SetTextureSlot(SInt32 slot, UInt32 unit) override
    {
        if (unit < 8)
            mTextureSlots[unit] = slot;
    }
    void SetAuxiliarySlot(SInt32 value, UInt32 index) override
    {
        if (index < 2)
            mAuxiliarySlots[index] = value;
    }
    void SetNumberOfIndices(SInt32 count) override { mNumberOfIndices = count; }
    Bool SetIndexData(const UInt16* data, UInt32 capacity) override
    {
        mData = data;
        mCapacity = capacity;
        return true;
    }
    void SetDataModified() override { ++mModifiedCount; }
    void SetNumberOfBatches(UInt32 count) override { mNumberOfBatches = count; }
    void SetBatches(const UInt32* batches) override { mBatches = batches; }
    void SetBatchesModified() override
    {
        mBatchValues.assign(mBatches, mBatches + (mBatches ? 2 * mNumberOfBatches : 0));
        ++mBatchesModifiedCount;
    }
    void SetNumberOfSelectedBatches(UInt32 count) override { mNumberOfSelectedBatches = count; }
    void SetSelectedBatches(const UInt32* selection) override { mSelectedBatches = selection; }
    void SetSelectionModified() override
    {
        mSelection.assign(mSelectedBatches, mSelectedBatches + (mSelectedBatches ? mNumberOfSelectedBatches : 0));
        ++mSelectionModifiedCount;
    }
    Bool mDynamic = false;
    Enums::PrimitiveType mPrimitiveType = Enums::PrimitiveType(0);
    UInt32 mMaterialSlot = 0;
    SInt32 mTextureSlots[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    SInt32 mNumberOfIndices = -1;
    const UInt16* mData = nullptr;
    UInt32 mCapacity = 0;
    UInt32 mModifiedCount = 0;
    UInt32 mNumberOfBatches = 0;
    const UInt32* mBatches = nullptr;
    UInt32 mNumberOfSelectedBatches = 0;
    const UInt32* mSelectedBatches = nullptr;
    SInt32 mAuxiliarySlots[2] = {-1, -1};
    // Copies taken when the batches and the selection were flagged as modified.
    std::vector<UInt32> mBatchValues;
    std::vector<UInt32> mSelection;
    UInt32 mBatchesModifiedCount = 0;
    UInt32 mSelectionModifiedCount = 0;
};

class FakeTexture : public FakeDisplayObject, public Display::ITexture
{
public:
    using FakeDisplayObject::FakeDisplayObject;
    void SetType(UInt32 type) override { mType = type; }
    void SetRenderTarget(Bool renderTarget) override { mRenderTarget = renderTarget; }
    void SetMipMaps(Bool mipMaps) override { mMipMaps = mipMaps; }
    void SetWrapModeX(Enums::TextureWrapMode mode) override { mWrapX = mode; }
    void SetWrapModeY(Enums::TextureWrapMode mode) override { mWrapY = mode; }
    void SetMagFilter(Enums::TextureFilter filter) override { mMagFilter = filter; }
    void SetMinFilter(Enums::TextureFilter filter, Enums::TextureFilter mipFilter) override
    {
        mMinFilter = filter;
        mMipFilter = mipFilter;
    }
    void SetSurface(UInt32 face, IDisplaySurface* surface) override { mSurfaces[face] = surface; }
    void SetPixelData(UInt32, UInt32 width, UInt32 height, Enums::PixelFormat format, Bool) override
    {
        mWidth = width;
        mHeight = height;
        mFormat = format;
    }
    void SetModified(UInt32) override { ++mModifiedCount; }
    UInt8* GetPixels(UInt32) override { return nullptr; }
    UInt32 GetWidth(UInt32) const override { return mWidth; }
    UInt32 GetHeight(UInt32) const override { return mHeight; }
    UInt32 GetPitch(UInt32) const override { return mWidth * 4; }
    Enums::PixelFormat GetPixelFormat(UInt32) const override { return mFormat; }
    UInt32 mType = 0;
    Bool mRenderTarget = false;
    Bool mMipMaps = false;
    Enums::TextureWrapMode mWrapX = Enums::TextureWrapMode(0);
    Enums::TextureWrapMode mWrapY = Enums::TextureWrapMode(0);
    Enums::TextureFilter mMagFilter = Enums::TextureFilter(0);
    Enums::TextureFilter mMinFilter = Enums::TextureFilter(0);
    Enums::TextureFilter mMipFilter = Enums::TextureFilter(0);
    std::map<UInt32, IDisplaySurface*> mSurfaces;
    UInt32 mWidth = 0;
    UInt32 mHeight = 0;
    Enums::PixelFormat mFormat = Enums::PixelFormat(0);
    UInt32 mModifiedCount = 0;
};

class FakeFrameBuffer : public FakeDisplayObject, public Display::IFrameBuffer
{
public:
    using FakeDisplayObject::FakeDisplayObject;
    Bool Bind(UInt32 target) override { return target == 0; }
    Bool Unbind() override { return true; }
    void SetDepthBufferFormat(Enums::DepthBufferFormat format) override { mDepthFormat = format; }
    void SetTargetTexture(Display::ITexture* texture) override { mTexture = texture; }
    UInt32 GetNumberOfTargets() const override { return 1; }
    UInt32 GetWidth() const override { return mTexture ? mTexture->GetWidth(0) : 0; }
    UInt32 GetHeight() const override { return mTexture ? mTexture->GetHeight(0) : 0; }
    const Math::Matrix<float>& GetTransform(UInt32) const override { return mTransform; }
    Enums::DepthBufferFormat mDepthFormat = Enums::DepthBufferFormat(0);
    Display::ITexture* mTexture = nullptr;
    Math::Matrix<float> mTransform;
};

class FakeMaterial : public FakeDisplayObject, public Display::IMaterial
{
public:
    using FakeDisplayObject::FakeDisplayObject;
    void SetVisibleFaces(Enums::CullMode faces) override { mVisibleFaces = faces; }
    void SetDepthTestMode(Enums::DepthTestMode mode) override { mDepthTestMode = mode; }
    void SetBlendMode(Enums::AlphaMode mode) override { mBlendMode = mode; }
    void SetBlendEquations(Enums::BlendEquation color, Enums::BlendEquation alpha) override
    {
        mColorEquation = color;
        mAlphaEquation = alpha;
    }
    void SetBlendFactors(Enums::BlendFactor sourceColor, Enums::BlendFactor sourceAlpha,
                         Enums::BlendFactor destinationColor, Enums::BlendFactor destinationAlpha) override
    {
        mFactors[0] = sourceColor;
        mFactors[1] = sourceAlpha;
        mFactors[2] = destinationColor;
        mFactors[3] = destinationAlpha;
    }
    void SetProgram(Display::IProgram* program) override { mProgram = program; }
    Enums::CullMode mVisibleFaces = Enums::CullMode(0);
    Enums::DepthTestMode mDepthTestMode = Enums::DepthTestMode(0);
    Enums::AlphaMode mBlendMode = Enums::AlphaMode(0);
    Enums::BlendEquation mColorEquation = Enums::BlendEquation(0);
    Enums::BlendEquation mAlphaEquation = Enums::BlendEquation(0);
    Enums::BlendFactor mFactors[4] = {};
    Display::IProgram* mProgram = nullptr;
};

class FakeParameters : public FakeDisplayObject, public Display::IParameters
{
public:
    using FakeDisplayObject::FakeDisplayObject;

    template <typename T>
    class Scalar : public Display::IScalarParameter<T>
    {
    public:
        void SetValue(T value) override { mValue = value; }
        T GetValue() const override { return mValue; }
        T mValue = T();
    };
    template <typename T, UInt32 N>
    class Values : public Display::IArrayParameter<T, N>
    {
    public:
        void SetValue(const T* values) override
        {
            for (UInt32 i = 0; i < N; ++i)
                mValues[i] = values[i];
        }
        const T* GetValue() const override { return mValues; }
        T mValues[N] = {};
    };

    // The parameters in creation order with their variables.
    std::vector<std::pair<Enums::ShaderVariable, std::shared_ptr<void>>> mParameters;

    Display::IFloatParameter* CreateFloatParameter(Enums::ShaderVariable v) override { return Make<Scalar<Float>>(v); }
    Display::IFloatVector2Parameter* CreateFloatVector2Parameter(Enums::ShaderVariable v) override
    {
        return Make<Values<Float, 2>>(v);
    }
    Display::IFloatVector3Parameter* CreateFloatVector3Parameter(Enums::ShaderVariable v) override
    {
        return Make<Values<Float, 3>>(v);
    }
    Display::IFloatVector4Parameter* CreateFloatVector4Parameter(Enums::ShaderVariable v) override
    {
        return Make<Values<Float, 4>>(v);
    }
    Display::IFloatMatrix2Parameter* CreateFloatMatrix2Parameter(Enums::ShaderVariable v) override
    {
        return Make<Values<Float, 4>>(v);
    }
    Display::IFloatMatrix3Parameter* CreateFloatMatrix3Parameter(Enums::ShaderVariable v) override
    {
        return Make<Values<Float, 9>>(v);
    }
    Display::IFloatMatrix4Parameter* CreateFloatMatrix4Parameter(Enums::ShaderVariable v) override
    {
        return Make<Values<Float, 16>>(v);
    }
    Display::IIntParameter* CreateIntParameter(Enums::ShaderVariable v) override { return Make<Scalar<SInt32>>(v); }
    Display::IIntVector2Parameter* CreateIntVector2Parameter(Enums::ShaderVariable v) override
    {
        return Make<Values<SInt32, 2>>(v);
    }
    Display::IIntVector3Parameter* CreateIntVector3Parameter(Enums::ShaderVariable v) override
    {
        return Make<Values<SInt32, 3>>(v);
    }
    Display::IIntVector4Parameter* CreateIntVector4Parameter(Enums::ShaderVariable v) override
    {
        return Make<Values<SInt32, 4>>(v);
    }
    Display::IIntMatrix2Parameter* CreateIntMatrix2Parameter(Enums::ShaderVariable v) override
    {
        return Make<Values<SInt32, 4>>(v);
    }
    Display::IIntMatrix3Parameter* CreateIntMatrix3Parameter(Enums::ShaderVariable v) override
    {
        return Make<Values<SInt32, 9>>(v);
    }
    Display::IIntMatrix4Parameter* CreateIntMatrix4Parameter(Enums::ShaderVariable v) override
    {
        return Make<Values<SInt32, 16>>(v);
    }

private:
    template <typename P>
    P* Make(Enums::ShaderVariable variable)
    {
        std::shared_ptr<P> parameter = std::make_shared<P>();
        mParameters.emplace_back(variable, parameter);
        return parameter.get();
    }
};

class FakeFixedProgram : public FakeDisplayObject, public Display::IProgram, public Display::IFixedTechnique
{
public:
    using FakeDisplayObject::FakeDisplayObject;
    void SetColoringEnabled(Bool enabled) override { mColoring = enabled; }
    void SetLightingEnabled(Bool enabled) override { mLighting = enabled; }
    void SetLightModel(Enums::LightingSides model) override { mLightModel = model; }
    void SetTextureUnitEnabled(UInt32 unit, Bool enabled) override
    {
        if (unit < 2)
            mTextureUnits[unit] = enabled;
    }
    Bool mColoring = false;
    Bool mLighting = false;
    Enums::LightingSides mLightModel = Enums::LightingSides(0);
    Bool mTextureUnits[2] = {false, false};
};

class FakeShader : public FakeDisplayObject, public Display::IShader
{
public:
    using FakeDisplayObject::FakeDisplayObject;
    Bool SetSource(const char* source, UInt32 type) override
    {
        mSource = source ? source : "";
        mType = type;
        return true;
    }
    std::string mSource;
    UInt32 mType = 0;
};

class FakeShaderProgram : public FakeDisplayObject, public Display::IProgram, public Display::IShaderTechnique
{
public:
    using FakeDisplayObject::FakeDisplayObject;
    Bool AddShader(Display::IShader* shader) override
    {
        mShaders.push_back(shader);
        return true;
    }
    Bool AddUniform(Enums::ShaderVariable variable, Enums::ShaderUniformType type, const char* name) override
    {
        mUniforms.emplace_back(variable, name ? name : "");
        mUniformTypes.push_back(type);
        return true;
    }
    Bool AddAttribute(Enums::VertexAttribute attribute, Enums::AttributeType, const char* name) override
    {
        mAttributes.emplace_back(attribute, name ? name : "");
        return true;
    }
    std::vector<Display::IShader*> mShaders;
    std::vector<std::pair<Enums::ShaderVariable, std::string>> mUniforms;
    // The type of each uniform, in the same order.
    std::vector<Enums::ShaderUniformType> mUniformTypes;
    std::vector<std::pair<Enums::VertexAttribute, std::string>> mAttributes;
};

class FakeLight : public FakeDisplayObject, public Display::ILight
{
public:
    using FakeDisplayObject::FakeDisplayObject;
    void SetProjectionMatrix(const Math::Matrix<float>& matrix) override { mProjection = matrix; }
    const Math::Matrix<float>& GetProjectionMatrix() const override { return mProjection; }
    void SetColor(UInt32 index, const Float* color) override
    {
        if (index < 4)
            for (UInt32 i = 0; i < 4; ++i)
                mColors[index][i] = color[i];
    }
    const Float* GetColor(UInt32 index) const override { return mColors[index & 3]; }
    Math::Matrix<float> mProjection;
    Float mColors[4][4] = {};
};

class FakeBone : public FakeDisplayObject, public Display::IBone
{
public:
    using FakeDisplayObject::FakeDisplayObject;
    void SetMatrix(const Math::Matrix<float>& matrix) override { mMatrix = matrix; }
    Math::Matrix<float> mMatrix;
};

class FakeCamera : public FakeDisplayObject, public Display::ICamera
{
public:
    using FakeDisplayObject::FakeDisplayObject;
    void SetClearColorBuffer(Bool clear) override { mClearColor = clear; }
    Bool GetClearColorBuffer() const override { return mClearColor; }
    void SetClearDepthBuffer(Bool clear) override { mClearDepth = clear; }
    Bool GetClearDepthBuffer() const override { return mClearDepth; }
    void SetClearColor(const Float* color) override
    {
        for (UInt32 i = 0; i < 4; ++i)
            mColor[i] = color[i];
    }
    const Float* GetClearColor() const override { return mColor; }
    void SetDepthOrder(SInt32 order) override { mDepthOrder = order; }
    SInt32 GetDepthOrder() const override { return mDepthOrder; }
    void SetDepthSortMode(Enums::DepthSortMode mode) override { mSortMode = mode; }
    Enums::DepthSortMode GetDepthSortMode() const override { return mSortMode; }
    void SetMask(SInt32 left, SInt32 right, SInt32 bottom, SInt32 top) override
    {
        mMask[0] = left;
        mMask[1] = right;
        mMask[2] = bottom;
        mMask[3] = top;
    }
    SInt32 GetMaskLeft() const override { return mMask[0]; }
    SInt32 GetMaskRight() const override { return mMask[1]; }
    SInt32 GetMaskBottom() const override { return mMask[2]; }
    SInt32 GetMaskTop() const override { return mMask[3]; }
    void SetTransform(const Math::Matrix<float>& transform) override { mTransform = transform; }
    void SetProjection(const Math::Matrix<float>& projection, Bool orthographic) override
    {
        mProjection = projection;
        mOrthographic = orthographic;
        ++mProjectionCount;
    }
    const Math::Matrix<float>& GetTransform() const override { return mTransform; }
    const Math::Matrix<float>& GetProjectionMatrix() const override { return mProjection; }
    const Math::Matrix<float>& GetViewMatrix() const override { return mView; }
    const Math::Matrix<float>& GetViewProjectionMatrix() const override { return mViewProjection; }
    Bool IsSphereVisible(const Math::Vector<float>&, Float) const override { return true; }
    Bool mClearColor = false;
    Bool mClearDepth = false;
    Float mColor[4] = {};
    SInt32 mDepthOrder = 0;
    Enums::DepthSortMode mSortMode = Enums::DepthSortMode(0);
    SInt32 mMask[4] = {};
    Math::Matrix<float> mTransform;
    Math::Matrix<float> mProjection;
    Math::Matrix<float> mView;
    Math::Matrix<float> mViewProjection;
    Bool mOrthographic = false;
    UInt32 mProjectionCount = 0;
};

class FakeDisplayRenderer : public Display::IRenderer, public FakeObjectRegistry<Display::IObject>
{
public:
    struct DrawRecord
    {
        Display::IDrawable* drawable;
        Math::Matrix<float> transform;
        const Math::Vector<float>* scaleFactor;
        SInt32 depthOrder;
        Display::IVertexBuffer* vertexBuffers[2];
        // The whole current-object tables as they stood when the drawable was added.
        std::map<std::pair<UInt32, UInt32>, Display::IVertexBuffer*> bufferTable;
        std::map<std::pair<UInt32, UInt32>, Display::ITexture*> textures;
        std::map<UInt32, Display::IMaterial*> materials;
        std::map<UInt32, Display::IParameters*> parameters;
        std::map<UInt32, Display::IBone*> bones;
    };
    struct Placement
    {
        void* object;
        Math::Matrix<float> transform;
    };

    std::vector<Display::IObject*> mUpdates;
    std::vector<DrawRecord> mDrawables;
    std::vector<Placement> mViews;
    std::vector<Placement> mLights;
    std::vector<Display::IFrameBuffer*> mFrameBufferSelections;
    std::map<std::pair<UInt32, UInt32>, Display::ITexture*> mTextures;
    std::map<std::pair<UInt32, UInt32>, Display::IVertexBuffer*> mAuxiliaryObjects;
    std::map<UInt32, Display::IMaterial*> mMaterials;
    std::map<UInt32, Display::IParameters*> mParameterSlots;
    std::map<UInt32, Display::IBone*> mBones;
    std::map<UInt32, Math::Matrix<float>> mBoneOffsets;
    // Class names for which CreateObject makes a plain object without the class's interface.
    std::set<std::string> mUntypedClasses;
    UInt32 mBeginFrames = 0;
    UInt32 mRenders = 0;
    Bool mAcceptScreenshots = false;
    UInt32 mScreenshots = 0;
    Enums::OrientationFlags mScreenshotOrientation = Enums::OrientationFlags::DEFAULT;

    Bool Init(UInt32, UInt32) override { return true; }
    Bool DeInit() override { return true; }
    Bool Start() override { return true; }
    Bool Stop() override { return true; }
    Bool RegisterObjectClass(const Display::ClassInfo&) override { return true; }
    Bool UnregisterObjectClass(const Display::ClassInfo&) override { return true; }

    Display::IObject* CreateObject(const String& className) override
    {
        if (mUntypedClasses.count(className.GetText()) && !mRefusedClasses.count(className.GetText())) {
            ++mCreatedCount;
            return new FakeDisplayObject(this, className.GetText());
        }
        return MakeObject(className, {{"Drawable", Make<FakeDrawable>},
                                      {"VertexBuffer", Make<FakeVertexBuffer>},
                                      {"IndexBuffer", Make<FakeIndexBuffer>},
                                      {"Texture", Make<FakeTexture>},
                                      {"FrameBuffer", Make<FakeFrameBuffer>},
                                      {"Material", Make<FakeMaterial>},
                                      {"Parameters", Make<FakeParameters>},
                                      {"FixedProgram", Make<FakeFixedProgram>},
                                      {"ShaderProgram", Make<FakeShaderProgram>},
                                      {"Shader", Make<FakeShader>},
                                      {"Light", Make<FakeLight>},
                                      {"Bone", Make<FakeBone>},
                                      {"Camera", Make<FakeCamera>}});
    }
    Bool DestroyObject(Display::IObject*& object) override { return DestroyFake(object); }

    Bool InitObject(Display::IObject*) override { return true; }
    Bool DeInitObject(Display::IObject*) override { return true; }
    Bool ProcessQueues(const System::Time&) override { return true; }
    void SetDimensions(UInt32, UInt32) override {}
    Bool BeginFrame() override
    {
        ++mBeginFrames;
        mUpdates.clear();
        mDrawables.clear();
        mViews.clear();
        mLights.clear();
        mFrameBufferSelections.clear();
        return true;
    }
    Bool ProcessObjects() override { return true; }
    Bool Render() override
    {
        ++mRenders;
        return true;
    }
    // Refused unless a test lets it through; each call is counted with its orientation.
    Bool TakeScreenshot(IDisplaySurface*, Enums::OrientationFlags orientation) override
    {
        ++mScreenshots;
        mScreenshotOrientation = orientation;
        return mAcceptScreenshots;
    }
    Bool CheckFrameBufferFormat(Enums::PixelFormat&, Enums::DepthBufferFormat&) override { return true; }

    void AddUpdateObject(Display::IObject* object) override { mUpdates.push_back(object); }
    void AddDrawable(Display::IDrawable* drawable, const Math::Matrix<float>& transform,
                     const Math::Vector<float>* scaleFactor, SInt32 depthOrder) override
    {
        mDrawables.push_back(DrawRecord{drawable,
                                        transform,
                                        scaleFactor,
                                        depthOrder,
                                        {GetAuxiliaryObject(0, 0), GetAuxiliaryObject(0, 1)},
                                        mAuxiliaryObjects,
                                        mTextures,
                                        mMaterials,
                                        mParameterSlots,
                                        mBones});
    }
    Display::ITexture* SetTexture(Display::ITexture* texture, UInt32 slot, UInt32 unit) override
    {
        return mTextures[{slot, unit}] = texture;
    }
    Display::IVertexBuffer* SetAuxiliaryObject(Display::IVertexBuffer* object, UInt32 slot, UInt32 index) override
    {
        return mAuxiliaryObjects[{slot, index}] = object;
    }
    Display::IMaterial* SetMaterial(Display::IMaterial* material, UInt32 slot) override
    {
        return mMaterials[slot] = material;
    }
    Display::IParameters* SetParameters(Display::IParameters* parameters, UInt32 slot) override
    {
        return mParameterSlots[slot] = parameters;
    }
    Display::IBone* SetBone(Display::IBone* bone, UInt32 slot, const Math::Matrix<float>& offset) override
    {
        mBoneOffsets[slot] = offset;
        return mBones[slot] = bone;
    }
    void AddView(Display::ICamera* camera, const Math::Matrix<float>& transform) override
    {
        mViews.push_back(Placement{camera, transform});
    }
    void AddLight(Display::ILight* light, const Math::Matrix<float>& transform) override
    {
        mLights.push_back(Placement{light, transform});
    }
    void SelectFrameBuffer(Display::IFrameBuffer* frameBuffer) override { mFrameBufferSelections.push_back(frameBuffer); }
    Display::ITexture* GetTexture(UInt32 slot, UInt32 unit) override { return Find(mTextures, {slot, unit}); }
    Display::IVertexBuffer* GetAuxiliaryObject(UInt32 slot, UInt32 index) override
    {
        return Find(mAuxiliaryObjects, {slot, index});
    }
    Display::IMaterial* GetMaterial(UInt32 slot) override { return Find(mMaterials, slot); }
    Display::IParameters* GetParameters(UInt32 slot) override { return Find(mParameterSlots, slot); }
    Display::IBone* GetBone(UInt32) override { return nullptr; }
    Display::ICamera* GetCurrentView() override
    {
        return mViews.empty() ? nullptr : static_cast<Display::ICamera*>(mViews.back().object);
    }
    Display::ILight* GetCurrentLight() override
    {
        return mLights.empty() ? nullptr : static_cast<Display::ILight*>(mLights.back().object);
    }
    Display::IFrameBuffer* GetCurrentFrameBuffer() override
    {
        return mFrameBufferSelections.empty() ? nullptr : mFrameBufferSelections.back();
    }

private:
    template <typename Key, typename Value>
    static Value* Find(const std::map<Key, Value*>& map, const Key& key)
    {
        auto it = map.find(key);
        return it == map.end() ? nullptr : it->second;
    }
};

} // namespace Testing
} // namespace Vorn
