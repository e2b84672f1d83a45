// The attribute names of every node class, one table per class with the names the class adds to
// its bases. A class's DeserializeAttribute looks the name up in its own table and hands an
// unknown index to its base class; an index belongs to its class only.
#pragma once

#include "foundation/types.h"
#include "graph/node_class_info.h"

namespace Vorn {
namespace Graph {

struct AnchorAttributes
{
    enum : UInt32
    {
        kCount = 0,
    };
    static const AttributeTable& GetTable();
};

struct AudioSequenceAttributes
{
    enum : UInt32
    {
        kSoundIds = 0,
        kVolume = 1,
        kReferenceDistance = 2,
        kRolloffFactor = 3,
        kMaxDistance = 4,
        kSampleFormat = 5,
        kCount = 6,
    };
    static const AttributeTable& GetTable();
};

struct BitmapAttributes
{
    enum : UInt32
    {
        kBitmapResourceId = 0,
        kCount = 1,
    };
    static const AttributeTable& GetTable();
};

struct BodyAttributes
{
    enum : UInt32
    {
        kTriggerGroups = 0,
        kResponseGroups = 1,
        kMass = 2,
        kInverseMass = 3,
        kStaticFrictionConstant = 4,
        kDynamicFrictionConstant = 5,
        kRollingFrictionConstant = 6,
        kContactSpringConstant = 7,
        kContactDampingConstant = 8,
        kClampSpringConstant = 9,
        kClampDampingConstant = 10,
        kDragCoefficient = 11,
        kSizeX = 12,
        kSizeY = 13,
        kSizeZ = 14,
        kForceEffectEnabled = 15,
        kTorqueEffectEnabled = 16,
        kCount = 17,
    };
    static const AttributeTable& GetTable();
};

struct BoneAttributes
{
    enum : UInt32
    {
        kCount = 0,
    };
    static const AttributeTable& GetTable();
};

struct BoneSlotAttributes
{
    enum : UInt32
    {
        kBoneId = 0,
        kSlot = 1,
        kXx = 2,
        kYx = 3,
        kZx = 4,
        kWx = 5,
        kXy = 6,
        kYy = 7,
        kZy = 8,
        kWy = 9,
        kXz = 10,
        kYz = 11,
        kZz = 12,
        kWz = 13,
        kXw = 14,
        kYw = 15,
        kZw = 16,
        kWw = 17,
        kCount = 18,
    };
    static const AttributeTable& GetTable();
};

struct ButtonAttributes
{
    enum : UInt32
    {
        kEnabled = 0,
        kUpStateChildId = 1,
        kDownStateChildId = 2,
        kHoverStateChildId = 3,
        kDisabledStateChildId = 4,
        kUpStateChildIndex = 5,
        kDownStateChildIndex = 6,
        kHoverStateChildIndex = 7,
        kDisabledStateChildIndex = 8,
        kTimelineId = 9,
        kTimelineIndex = 10,
        kUpStateTime = 11,
        kDownStateTime = 12,
        kHoverStateTime = 13,
        kDisabledStateTime = 14,
        kSizeX = 15,
        kSizeY = 16,
        kShape = 17,
        kMouseButton = 18,
        kMaxNumberOfTouches = 19,
        kCount = 20,
    };
    static const AttributeTable& GetTable();
};

struct CameraAttributes
{
    enum : UInt32
    {
        kClearColorBuffer = 0,
        kClearDepthBuffer = 1,
        kBackgroundColor = 2,
        kFieldOfViewX = 3,
        kFieldOfViewY = 4,
        kUnitSizeX = 5,
        kUnitSizeY = 6,
        kCenterX = 7,
        kCenterY = 8,
        kNearPlane = 9,
        kFarPlane = 10,
        kDepthSortMode = 11,
        kClipPlaneA = 12,
        kClipPlaneB = 13,
        kClipPlaneC = 14,
        kClipPlaneD = 15,
        kLeftMaskCoord = 16,
        kRightMaskCoord = 17,
        kTopMaskCoord = 18,
        kBottomMaskCoord = 19,
        kLeftMaskAnchor = 20,
        kRightMaskAnchor = 21,
        kTopMaskAnchor = 22,
        kBottomMaskAnchor = 23,
        kCount = 24,
    };
    static const AttributeTable& GetTable();
};

struct ColliderMeshAttributes
{
    enum : UInt32
    {
        kColliderResourceId = 0,
        kCount = 1,
    };
    static const AttributeTable& GetTable();
};

struct ColliderPlaneAttributes
{
    enum : UInt32
    {
        kCount = 0,
    };
    static const AttributeTable& GetTable();
};

struct ColliderSphereAttributes
{
    enum : UInt32
    {
        kRadius = 0,
        kCount = 1,
    };
    static const AttributeTable& GetTable();
};

struct ContainerAttributes
{
    enum : UInt32
    {
        kCount = 0,
    };
    static const AttributeTable& GetTable();
};

struct CubeFrameBufferTextureAttributes
{
    enum : UInt32
    {
        kDepthBufferFormat = 0,
        kCount = 1,
    };
    static const AttributeTable& GetTable();
};

struct CubeTextureAttributes
{
    enum : UInt32
    {
        kBitmapIdPosX = 0,
        kBitmapIdNegX = 1,
        kBitmapIdPosY = 2,
        kBitmapIdNegY = 3,
        kBitmapIdPosZ = 4,
        kBitmapIdNegZ = 5,
        kBitmapResourceIdPosX = 6,
        kBitmapResourceIdNegX = 7,
        kBitmapResourceIdPosY = 8,
        kBitmapResourceIdNegY = 9,
        kBitmapResourceIdPosZ = 10,
        kBitmapResourceIdNegZ = 11,
        kCount = 12,
    };
    static const AttributeTable& GetTable();
};

struct DisplayBspAttributes
{
    enum : UInt32
    {
        kMeshResourceId = 0,
        kEnableViewCulling = 1,
        kCount = 2,
    };
    static const AttributeTable& GetTable();
};

struct DisplayCubeAttributes
{
    enum : UInt32
    {
        kSize = 0,
        kCount = 1,
    };
    static const AttributeTable& GetTable();
};

struct DisplayMeshAttributes
{
    enum : UInt32
    {
        kMeshResourceId = 0,
        kCount = 1,
    };
    static const AttributeTable& GetTable();
};

struct DisplayObjectAttributes
{
    enum : UInt32
    {
        kHasNormals = 0,
        kHasBinormals = 1,
        kHasTangents = 2,
        kHasColors = 3,
        kHasTexCoords0 = 4,
        kHasTexCoords1 = 5,
        kHasTexCoords2 = 6,
        kHasTexCoords3 = 7,
        kMaxNumberOfIndices = 8,
        kMaxNumberOfVertices = 9,
        kDynamicIndices = 10,
        kDynamicVertices = 11,
        kPrimitiveType = 12,
        kCount = 13,
    };
    static const AttributeTable& GetTable();
};

struct DisplayPlaneAttributes
{
    enum : UInt32
    {
        kScaleFactor = 0,
        kScaleFactorX = 1,
        kScaleFactorY = 2,
        kTextureSizeX = 3,
        kTextureSizeY = 4,
        kTextureStartX = 5,
        kTextureStartY = 6,
        kTextureEndX = 7,
        kTextureEndY = 8,
        kCount = 9,
    };
    static const AttributeTable& GetTable();
};

struct DisplayPlaneSequenceAttributes
{
    enum : UInt32
    {
        kScaleFactor = 0,
        kScaleFactorX = 1,
        kScaleFactorY = 2,
        kTextureSizeX = 3,
        kTextureSizeY = 4,
        kAtlasResourceId = 5,
        kIndex = 6,
        kCount = 7,
    };
    static const AttributeTable& GetTable();
};

struct DisplayTerrainAttributes
{
    enum : UInt32
    {
        kNumDetailLevels = 0,
        kGridResolution = 1,
        kGridSize = 2,
        kDetailRange = 3,
        kMaxRange = 4,
        kBaseHeightmapResourceId = 5,
        kDetailHeightmapResourceId = 6,
        kDetailScalemapResourceId = 7,
        kCount = 8,
    };
    static const AttributeTable& GetTable();
};

struct DisplayTerrainBillboardsAttributes
{
    enum : UInt32
    {
        kMapSize = 0,
        kTileSize = 1,
        kMaxTiles = 2,
        kMaxObjectsPerTile = 3,
        kMinRange = 4,
        kMaxRange = 5,
        kLightMapResourceId = 6,
        kObjectMapResourceId = 7,
        kObjectAtlasResourceId = 8,
        kHeightFieldId = 9,
        kCount = 10,
    };
    static const AttributeTable& GetTable();
};

struct DisplayTextAttributes
{
    enum : UInt32
    {
        kReservedCharacters = 0,
        kFontResourceId = 1,
        kTextResourceId = 2,
        kText = 3,
        kScaleFactor = 4,
        kScaleFactorX = 5,
        kScaleFactorY = 6,
        kContainerWidth = 7,
        kContainerHeight = 8,
        kSpaceWidth = 9,
        kDigitWidth = 10,
        kSpacing = 11,
        kLeading = 12,
        kUseSameDigitWidth = 13,
        kHorizontalContainerAlignment = 14,
        kVerticalContainerAlignment = 15,
        kHorizontalTextAlignment = 16,
        kVerticalTextAlignment = 17,
        kAlignmentUnit = 18,
        kHorizontalAlignmentUnit = 19,
        kVerticalAlignmentUnit = 20,
        kCount = 21,
    };
    static const AttributeTable& GetTable();
};

struct FieldAttributes
{
    enum : UInt32
    {
        kInfluenceGroups = 0,
        kConstantFactor = 1,
        kLinearFactor = 2,
        kQuadraticFactor = 3,
        kType = 4,
        kShape = 5,
        kCount = 6,
    };
    static const AttributeTable& GetTable();
};

struct FixedProgramAttributes
{
    enum : UInt32
    {
        kColoringEnabled = 0,
        kLightingEnabled = 1,
        kTextureUnit0Enabled = 2,
        kTextureUnit1Enabled = 3,
        kLightModel = 4,
        kCount = 5,
    };
    static const AttributeTable& GetTable();
};

struct FlatFrameBufferTextureAttributes
{
    enum : UInt32
    {
        kDepthBufferFormat = 0,
        kCount = 1,
    };
    static const AttributeTable& GetTable();
};

struct FlatTextTextureAttributes
{
    enum : UInt32
    {
        kFontId = 0,
        kFontSize = 1,
        kTextResourceId = 2,
        kText = 3,
        kTextColor = 4,
        kBackgroundColor = 5,
        kHorizontalTextAlignment = 6,
        kVerticalTextAlignment = 7,
        kCount = 8,
    };
    static const AttributeTable& GetTable();
};

struct FlatTextureAttributes
{
    enum : UInt32
    {
        kBitmapId = 0,
        kBitmapResourceId = 1,
        kCount = 2,
    };
    static const AttributeTable& GetTable();
};

struct FragmentShaderAttributes
{
    enum : UInt32
    {
        kCount = 0,
    };
    static const AttributeTable& GetTable();
};

struct InstanceAttributes
{
    enum : UInt32
    {
        kGraphResourceId = 0,
        kReplications = 1,
        kCount = 2,
    };
    static const AttributeTable& GetTable();
};

struct LightAttributes
{
    enum : UInt32
    {
        kAmbientColor = 0,
        kDiffuseColor = 1,
        kSpecularColor = 2,
        kCount = 3,
    };
    static const AttributeTable& GetTable();
};

struct ListenerAttributes
{
    enum : UInt32
    {
        kVolume = 0,
        kDistanceModel = 1,
        kCount = 2,
    };
    static const AttributeTable& GetTable();
};

struct MaterialAttributes
{
    enum : UInt32
    {
        kProgramId = 0,
        kVisibleFaces = 1,
        kDepthBufferMode = 2,
        kBlendMode = 3,
        kColorBlendEquation = 4,
        kAlphaBlendEquation = 5,
        kSrcColorBlendFunction = 6,
        kDstColorBlendFunction = 7,
        kSrcAlphaBlendFunction = 8,
        kDstAlphaBlendFunction = 9,
        kCount = 10,
    };
    static const AttributeTable& GetTable();
};

struct MaterialSlotAttributes
{
    enum : UInt32
    {
        kMaterialId = 0,
        kSlot = 1,
        kCount = 2,
    };
    static const AttributeTable& GetTable();
};

struct NamespaceAttributes
{
    enum : UInt32
    {
        kCount = 0,
    };
    static const AttributeTable& GetTable();
};

struct NodeAttributes
{
    enum : UInt32
    {
        kId = 0,
        kActive = 1,
        kVisible = 2,
        kActiveAndVisible = 3,
        kAnimationResourceId = 4,
        kCount = 5,
    };
    static const AttributeTable& GetTable();
};

struct OrthographicCameraAttributes
{
    enum : UInt32
    {
        kCount = 0,
    };
    static const AttributeTable& GetTable();
};

struct ParametersAttributes
{
    enum : UInt32
    {
        kAmbientColor = 0,
        kDiffuseColor = 1,
        kSpecularColor = 2,
        kEmissiveColor = 3,
        kShininess = 4,
        kParentParametersId = 5,
        kCount = 6,
    };
    static const AttributeTable& GetTable();
};

struct ParametersSlotAttributes
{
    enum : UInt32
    {
        kParametersId = 0,
        kSlot = 1,
        kCount = 2,
    };
    static const AttributeTable& GetTable();
};

struct PerspectiveCameraAttributes
{
    enum : UInt32
    {
        kCount = 0,
    };
    static const AttributeTable& GetTable();
};

struct ReferenceAttributes
{
    enum : UInt32
    {
        kTargetId = 0,
        kCount = 1,
    };
    static const AttributeTable& GetTable();
};

struct ScaleAttributes
{
    enum : UInt32
    {
        kScaleFactorX = 0,
        kScaleFactorY = 1,
        kScaleFactorZ = 2,
        kCount = 3,
    };
    static const AttributeTable& GetTable();
};

struct ShaderAttributes
{
    enum : UInt32
    {
        kSource = 0,
        kCount = 1,
    };
    static const AttributeTable& GetTable();
};

struct ShaderProgramAttributes
{
    enum : UInt32
    {
        kVertexShaderId = 0,
        kFragmentShaderId = 1,
        kUniform0Id = 2,
        kUniform1Id = 3,
        kUniform2Id = 4,
        kUniform3Id = 5,
        kUniform4Id = 6,
        kUniform5Id = 7,
        kUniform6Id = 8,
        kUniform7Id = 9,
        kUniform0Type = 10,
        kUniform1Type = 11,
        kUniform2Type = 12,
        kUniform3Type = 13,
        kUniform4Type = 14,
        kUniform5Type = 15,
        kUniform6Type = 16,
        kUniform7Type = 17,
        kCount = 18,
    };
    static const AttributeTable& GetTable();
};

struct SoundAttributes
{
    enum : UInt32
    {
        kSoundResourceId = 0,
        kCount = 1,
    };
    static const AttributeTable& GetTable();
};

struct SpringAttributes
{
    enum : UInt32
    {
        kSpringConstant = 0,
        kDampingConstant = 1,
        kMinimumLength = 2,
        kMaximumLength = 3,
        kAffectForce = 4,
        kAffectTorque = 5,
        kBody1Id = 6,
        kBody1PosX = 7,
        kBody1PosY = 8,
        kBody1PosZ = 9,
        kBody1Influence = 10,
        kBody2Id = 11,
        kBody2PosX = 12,
        kBody2PosY = 13,
        kBody2PosZ = 14,
        kBody2Influence = 15,
        kCount = 16,
    };
    static const AttributeTable& GetTable();
};

struct SwitchAttributes
{
    enum : UInt32
    {
        kSelectedChildId = 0,
        kIndex = 1,
        kCount = 2,
    };
    static const AttributeTable& GetTable();
};

struct TextureAttributes
{
    enum : UInt32
    {
        kW = 0,
        kH = 1,
        kUseAlpha = 2,
        kUseMipMaps = 3,
        kUsePrescale = 4,
        kPixelFormat = 5,
        kHorizontalWrapMode = 6,
        kVerticalWrapMode = 7,
        kMagFilter = 8,
        kMinFilter = 9,
        kMipFilter = 10,
        kCount = 11,
    };
    static const AttributeTable& GetTable();
};

struct TextureSlotAttributes
{
    enum : UInt32
    {
        kTextureId = 0,
        kSlot = 1,
        kUnit = 2,
        kCount = 3,
    };
    static const AttributeTable& GetTable();
};

struct TimelineAttributes
{
    enum : UInt32
    {
        kStartTime = 0,
        kEndTime = 1,
        kNumberOfLoops = 2,
        kTimeScale = 3,
        kAutoRewind = 4,
        kStartOnActivate = 5,
        kStopOnDeactivate = 6,
        kCount = 7,
    };
    static const AttributeTable& GetTable();
};

struct TransformAttributes
{
    enum : UInt32
    {
        kDepthOrder = 0,
        kPosX = 1,
        kPosY = 2,
        kPosZ = 3,
        kAxisX = 4,
        kAxisY = 5,
        kAxisZ = 6,
        kAngle = 7,
        kXx = 8,
        kYx = 9,
        kZx = 10,
        kWx = 11,
        kXy = 12,
        kYy = 13,
        kZy = 14,
        kWy = 15,
        kXz = 16,
        kYz = 17,
        kZz = 18,
        kWz = 19,
        kXw = 20,
        kYw = 21,
        kZw = 22,
        kWw = 23,
        kCount = 24,
    };
    static const AttributeTable& GetTable();
};

struct TransformCloneAttributes
{
    enum : UInt32
    {
        kAnchorId = 0,
        kUseAbsoluteTransform = 1,
        kAffectRotation = 2,
        kAffectTranslation = 3,
        kCount = 4,
    };
    static const AttributeTable& GetTable();
};

struct TransformResetAttributes
{
    enum : UInt32
    {
        kAffectRotation = 0,
        kAffectTranslation = 1,
        kCount = 2,
    };
    static const AttributeTable& GetTable();
};

struct VertexShaderAttributes
{
    enum : UInt32
    {
        kCount = 0,
    };
    static const AttributeTable& GetTable();
};

struct ViewAttributes
{
    enum : UInt32
    {
        kFrameBufferId = 0,
        kCount = 1,
    };
    static const AttributeTable& GetTable();
};

} // namespace Graph
} // namespace Vorn
