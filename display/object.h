// Display objects as the scene graph sets them up: nodes create them by class name through the
// display renderer, configure them through these interfaces and hand them to the renderer in the
// enqueue-output pass. Implemented by the renderer back-ends.
#pragma once

#include "foundation/enums.h"
#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {

class IDisplaySurface;

namespace Display {

// Every display object: created by the renderer, initialised before use, de-initialised and
// handed back to the renderer's DestroyObject.
class IObject
{
public:
    // Creates the object's device resources (through the renderer's thread hand-off); false when
    // the object is not complete, e.g. a drawable without vertex and index buffers.
    virtual Bool Init() = 0;
    virtual Bool DeInit() = 0;
    virtual ~IObject() {}
};

class IVertexBuffer
{
public:
    virtual void SetDynamic(Bool dynamic) = 0;
    virtual void SetNumberOfVertices(UInt32 count) = 0;
    // Marks the buffer when any of the three differs from what it holds; the data is read from
    // the pointer when the renderer updates the buffer.
    virtual Bool SetVertexData(const void* data, UInt32 capacity, UInt32 vertexSize) = 0;
    // The contents changed and are sent again.
    virtual void SetDataModified() = 0;
    // Appends an attribute at offset and advances offset by its size; false for a kind declared
    // twice, a kind or format the back end does not support, or after Init.
    virtual Bool AddAttribute(Enums::VertexAttribute attribute, Enums::AttributeType type, UInt32& offset) = 0;
    virtual ~IVertexBuffer() {}
};

class IIndexBuffer
{
public:
    virtual void SetDynamic(Bool dynamic) = 0;
    virtual void SetPrimitiveType(Enums::PrimitiveType type) = 0;
    virtual void SetMaterialSlot(UInt32 slot) = 0;
    // Unit 0-7; a negative slot means none.
    virtual void SetTextureSlot(SInt32 slot, UInt32 unit) = 0;
    // Index 0-1.
    virtual void SetAuxiliarySlot(SInt32 value, UInt32 index) = 0;
    // -1 for all.
    virtual void SetNumberOfIndices(SInt32 count) = 0;
    virtual Bool SetIndexData(const UInt16* data, UInt32 capacity) = 0;
    virtual void SetDataModified() = 0;
    // Batches are pairs {index count, first index}; the selection lists the batch numbers drawn.
    virtual void SetNumberOfBatches(UInt32 count) = 0;
    virtual void SetBatches(const UInt32* batches) = 0;
    virtual void SetBatchesModified() = 0;
    virtual void SetNumberOfSelectedBatches(UInt32 count) = 0;
    virtual void SetSelectedBatches(const UInt32* selection) = 0;
    virtual void SetSelectionModified() = 0;
    virtual ~IIndexBuffer() {}
};

class IDrawable
{
public:
    // Values meshes hand on: one value and a table of five (index 0-4).
    virtual Bool SetValue(UInt32 value) = 0;
    virtual Bool SetTableValue(UInt32 value, UInt32 index) = 0;
    // The level of detail the drawable is queued with (the terrain gives each patch its level).
    virtual void SetLevel(UInt32 level) = 0;
    virtual Bool AddVertexBuffer(IVertexBuffer* buffer) = 0;
    // Removing a buffer that is not attached changes nothing.
    virtual Bool RemoveVertexBuffer(IVertexBuffer* buffer) = 0;
    virtual Bool AddIndexBuffer(IIndexBuffer* buffer) = 0;
    virtual Bool RemoveIndexBuffer(IIndexBuffer* buffer) = 0;
    // Keeps the box's centre and half its diagonal as the bounding sphere.
    virtual Bool SetBoundingBox(const Math::Vector<float>& minimum, const Math::Vector<float>& maximum) = 0;
    virtual const Math::Vector<float>& GetBoundingSphereCentre() const = 0;
    virtual Float GetBoundingSphereRadius() const = 0;
    virtual ~IDrawable() {}
};

class ITexture
{
public:
    // 0 flat, 1 cube.
    virtual void SetType(UInt32 type) = 0;
    virtual void SetRenderTarget(Bool renderTarget) = 0;
    virtual void SetMipMaps(Bool mipMaps) = 0;
    // Values the back end cannot express are ignored.
    virtual void SetWrapModeX(Enums::TextureWrapMode mode) = 0;
    virtual void SetWrapModeY(Enums::TextureWrapMode mode) = 0;
    virtual void SetMagFilter(Enums::TextureFilter filter) = 0;
    // Set the mip-map flag first.
    virtual void SetMinFilter(Enums::TextureFilter filter, Enums::TextureFilter mipFilter) = 0;
    // The surface stays the caller's.
    virtual void SetSurface(UInt32 face, IDisplaySurface* surface) = 0;
    virtual void SetPixelData(UInt32 face, UInt32 width, UInt32 height, Enums::PixelFormat format, Bool allocate) = 0;
    virtual void SetModified(UInt32 face) = 0;
    virtual UInt8* GetPixels(UInt32 face) = 0;
    virtual UInt32 GetWidth(UInt32 face) const = 0;
    virtual UInt32 GetHeight(UInt32 face) const = 0;
    virtual UInt32 GetPitch(UInt32 face) const = 0;
    virtual Enums::PixelFormat GetPixelFormat(UInt32 face) const = 0;
    virtual ~ITexture() {}
};

class IFrameBuffer
{
public:
    // Only target 0 exists.
    virtual Bool Bind(UInt32 target) = 0;
    virtual Bool Unbind() = 0;
    virtual void SetDepthBufferFormat(Enums::DepthBufferFormat format) = 0;
    // A texture made without a surface, as a render target without mip maps; null detaches.
    virtual void SetTargetTexture(ITexture* texture) = 0;
    virtual UInt32 GetNumberOfTargets() const = 0;
    virtual UInt32 GetWidth() const = 0;
    virtual UInt32 GetHeight() const = 0;
    virtual const Math::Matrix<float>& GetTransform(UInt32 target) const = 0;
    virtual ~IFrameBuffer() {}
};

// The program of a material: "FixedProgram" objects also offer IFixedTechnique, "ShaderProgram"
// objects IShaderTechnique (reached by a checked cast).
class IProgram
{
public:
    virtual ~IProgram() {}
};

class IFixedTechnique
{
public:
    virtual void SetColoringEnabled(Bool enabled) = 0;
    virtual void SetLightingEnabled(Bool enabled) = 0;
    virtual void SetLightModel(Enums::LightingSides model) = 0;
    // Unit 0 or 1.
    virtual void SetTextureUnitEnabled(UInt32 unit, Bool enabled) = 0;
    virtual ~IFixedTechnique() {}
};

class IShader
{
public:
    // Type 0 vertex, 1 fragment.
    virtual Bool SetSource(const char* source, UInt32 type) = 0;
    virtual ~IShader() {}
};

class IShaderTechnique
{
public:
    virtual Bool AddShader(IShader* shader) = 0;
    virtual Bool AddUniform(Enums::ShaderVariable variable, Enums::ShaderUniformType type, const char* name) = 0;
    virtual Bool AddAttribute(Enums::VertexAttribute attribute, Enums::AttributeType type, const char* name) = 0;
    virtual ~IShaderTechnique() {}
};

class IMaterial
{
public:
    virtual void SetVisibleFaces(Enums::CullMode faces) = 0;
    virtual void SetDepthTestMode(Enums::DepthTestMode mode) = 0;
    virtual void SetBlendMode(Enums::AlphaMode mode) = 0;
    virtual void SetBlendEquations(Enums::BlendEquation color, Enums::BlendEquation alpha) = 0;
    virtual void SetBlendFactors(Enums::BlendFactor sourceColor, Enums::BlendFactor sourceAlpha,
                                 Enums::BlendFactor destinationColor, Enums::BlendFactor destinationAlpha) = 0;
    // Null clears.
    virtual void SetProgram(IProgram* program) = 0;
    virtual ~IMaterial() {}
};

// A typed parameter: one value or a fixed number of values, copied whole by SetValue.
template <typename T>
class IScalarParameter
{
public:
    virtual ~IScalarParameter() {}
    virtual void SetValue(T value) = 0;
    virtual T GetValue() const = 0;
};

template <typename T, UInt32 N>
class IArrayParameter
{
public:
    static constexpr UInt32 kNumberOfValues = N;
    virtual ~IArrayParameter() {}
    virtual void SetValue(const T* values) = 0;
    virtual const T* GetValue() const = 0;
};

typedef IScalarParameter<Float> IFloatParameter;
typedef IArrayParameter<Float, 2> IFloatVector2Parameter;
typedef IArrayParameter<Float, 3> IFloatVector3Parameter;
typedef IArrayParameter<Float, 4> IFloatVector4Parameter;
typedef IArrayParameter<Float, 4> IFloatMatrix2Parameter;
typedef IArrayParameter<Float, 9> IFloatMatrix3Parameter;
typedef IArrayParameter<Float, 16> IFloatMatrix4Parameter;
typedef IScalarParameter<SInt32> IIntParameter;
typedef IArrayParameter<SInt32, 2> IIntVector2Parameter;
typedef IArrayParameter<SInt32, 3> IIntVector3Parameter;
typedef IArrayParameter<SInt32, 4> IIntVector4Parameter;
typedef IArrayParameter<SInt32, 4> IIntMatrix2Parameter;
typedef IArrayParameter<SInt32, 9> IIntMatrix3Parameter;
typedef IArrayParameter<SInt32, 16> IIntMatrix4Parameter;

// A set of typed values bound to shader variables. Each create appends a new parameter and
// returns it; null only when memory runs out. A float for CUSTOM_4 is the shininess, a
// four-float vector for CUSTOM_0 to CUSTOM_3 the ambient, diffuse, specular and emissive colour.
class IParameters
{
public:
    virtual IFloatParameter* CreateFloatParameter(Enums::ShaderVariable variable) = 0;
    virtual IFloatVector2Parameter* CreateFloatVector2Parameter(Enums::ShaderVariable variable) = 0;
    virtual IFloatVector3Parameter* CreateFloatVector3Parameter(Enums::ShaderVariable variable) = 0;
    virtual IFloatVector4Parameter* CreateFloatVector4Parameter(Enums::ShaderVariable variable) = 0;
    virtual IFloatMatrix2Parameter* CreateFloatMatrix2Parameter(Enums::ShaderVariable variable) = 0;
    virtual IFloatMatrix3Parameter* CreateFloatMatrix3Parameter(Enums::ShaderVariable variable) = 0;
    virtual IFloatMatrix4Parameter* CreateFloatMatrix4Parameter(Enums::ShaderVariable variable) = 0;
    virtual IIntParameter* CreateIntParameter(Enums::ShaderVariable variable) = 0;
    virtual IIntVector2Parameter* CreateIntVector2Parameter(Enums::ShaderVariable variable) = 0;
    virtual IIntVector3Parameter* CreateIntVector3Parameter(Enums::ShaderVariable variable) = 0;
    virtual IIntVector4Parameter* CreateIntVector4Parameter(Enums::ShaderVariable variable) = 0;
    virtual IIntMatrix2Parameter* CreateIntMatrix2Parameter(Enums::ShaderVariable variable) = 0;
    virtual IIntMatrix3Parameter* CreateIntMatrix3Parameter(Enums::ShaderVariable variable) = 0;
    virtual IIntMatrix4Parameter* CreateIntMatrix4Parameter(Enums::ShaderVariable variable) = 0;
    virtual ~IParameters() {}
};

class ILight
{
public:
    virtual void SetProjectionMatrix(const Math::Matrix<float>& matrix) = 0;
    virtual const Math::Matrix<float>& GetProjectionMatrix() const = 0;
    // Index 0 ambient, 1 diffuse, 2 specular, 3 emissive; four floats.
    virtual void SetColor(UInt32 index, const Float* color) = 0;
    virtual const Float* GetColor(UInt32 index) const = 0;
    virtual ~ILight() {}
};

class IBone
{
public:
    virtual void SetMatrix(const Math::Matrix<float>& matrix) = 0;
    virtual ~IBone() {}
};

class ICamera
{
public:
    virtual void SetClearColorBuffer(Bool clear) = 0;
    virtual Bool GetClearColorBuffer() const = 0;
    virtual void SetClearDepthBuffer(Bool clear) = 0;
    virtual Bool GetClearDepthBuffer() const = 0;
    // Four floats: red, green, blue, alpha.
    virtual void SetClearColor(const Float* color) = 0;
    virtual const Float* GetClearColor() const = 0;
    virtual void SetDepthOrder(SInt32 order) = 0;
    virtual SInt32 GetDepthOrder() const = 0;
    virtual void SetDepthSortMode(Enums::DepthSortMode mode) = 0;
    virtual Enums::DepthSortMode GetDepthSortMode() const = 0;
    // Pixels from the left and the bottom edge of the target.
    virtual void SetMask(SInt32 left, SInt32 right, SInt32 bottom, SInt32 top) = 0;
    virtual SInt32 GetMaskLeft() const = 0;
    virtual SInt32 GetMaskRight() const = 0;
    virtual SInt32 GetMaskBottom() const = 0;
    virtual SInt32 GetMaskTop() const = 0;
    // The camera's world transform; recomputes view and view-projection.
    virtual void SetTransform(const Math::Matrix<float>& transform) = 0;
    virtual void SetProjection(const Math::Matrix<float>& projection, Bool orthographic) = 0;
    virtual const Math::Matrix<float>& GetTransform() const = 0;
    virtual const Math::Matrix<float>& GetProjectionMatrix() const = 0;
    virtual const Math::Matrix<float>& GetViewMatrix() const = 0;
    virtual const Math::Matrix<float>& GetViewProjectionMatrix() const = 0;
    // Sphere centre in view space (the camera looks along -z); always true for an orthographic
    // camera.
    virtual Bool IsSphereVisible(const Math::Vector<float>& centre, Float radius) const = 0;
    virtual ~ICamera() {}
};

} // namespace Display
} // namespace Vorn
