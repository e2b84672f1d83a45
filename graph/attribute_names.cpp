#include "graph/attribute_names.h"

#include "foundation/enums.h"

namespace Vorn {
namespace Graph {
namespace {

const AttributeName kAnchorRows[] = {
    {nullptr, 0, AttributeType::kNone, 0, nullptr},
};

const AttributeName kAudioSequenceRows[] = {
    {"soundIds", 0, AttributeType::kStringList, 0, nullptr},
    {"volume", 1, AttributeType::kFloat, 0, nullptr},
    {"referenceDistance", 2, AttributeType::kFloat, 0, nullptr},
    {"rolloffFactor", 3, AttributeType::kFloat, 0, nullptr},
    {"maxDistance", 4, AttributeType::kFloat, 0, nullptr},
    {"sampleFormat", 5, AttributeType::kEnumeration, 0, &Enums::GetSoundFormatTable},
    {nullptr, 6, AttributeType::kNone, 0, nullptr},
};

const AttributeName kBitmapRows[] = {
    {"bitmapResourceId", 0, AttributeType::kString, 0, nullptr},
    {nullptr, 1, AttributeType::kNone, 0, nullptr},
};

const AttributeName kBodyRows[] = {
    {"triggerGroups", 0, AttributeType::kBitMask, 0, nullptr},
    {"responseGroups", 1, AttributeType::kBitMask, 0, nullptr},
    {"mass", 2, AttributeType::kFloat, 0, nullptr},
    {"inverseMass", 3, AttributeType::kFloat, 0, nullptr},
    {"staticFrictionConstant", 4, AttributeType::kFloat, 0, nullptr},
    {"dynamicFrictionConstant", 5, AttributeType::kFloat, 0, nullptr},
    {"rollingFrictionConstant", 6, AttributeType::kFloat, 0, nullptr},
    {"contactSpringConstant", 7, AttributeType::kFloat, 0, nullptr},
    {"contactDampingConstant", 8, AttributeType::kFloat, 0, nullptr},
    {"clampSpringConstant", 9, AttributeType::kFloat, 0, nullptr},
    {"clampDampingConstant", 10, AttributeType::kFloat, 0, nullptr},
    {"dragCoefficient", 11, AttributeType::kFloat, 0, nullptr},
    {"sizeX", 12, AttributeType::kFloat, 0, nullptr},
    {"sizeY", 13, AttributeType::kFloat, 0, nullptr},
    {"sizeZ", 14, AttributeType::kFloat, 0, nullptr},
    {"forceEffectEnabled", 15, AttributeType::kBool, 0, nullptr},
    {"torqueEffectEnabled", 16, AttributeType::kBool, 0, nullptr},
    {nullptr, 17, AttributeType::kNone, 0, nullptr},
};

const AttributeName kBoneRows[] = {
    {nullptr, 0, AttributeType::kNone, 0, nullptr},
};

const AttributeName kBoneSlotRows[] = {
    {"boneId", 0, AttributeType::kString, 0, nullptr},
    {"slot", 1, AttributeType::kUInt32, 0, nullptr},
    {"xx", 2, AttributeType::kFloat, 0, nullptr},
    {"yx", 3, AttributeType::kFloat, 0, nullptr},
    {"zx", 4, AttributeType::kFloat, 0, nullptr},
    {"wx", 5, AttributeType::kFloat, 0, nullptr},
    {"xy", 6, AttributeType::kFloat, 0, nullptr},
    {"yy", 7, AttributeType::kFloat, 0, nullptr},
    {"zy", 8, AttributeType::kFloat, 0, nullptr},
    {"wy", 9, AttributeType::kFloat, 0, nullptr},
    {"xz", 10, AttributeType::kFloat, 0, nullptr},
    {"yz", 11, AttributeType::kFloat, 0, nullptr},
    {"zz", 12, AttributeType::kFloat, 0, nullptr},
    {"wz", 13, AttributeType::kFloat, 0, nullptr},
    {"xw", 14, AttributeType::kFloat, 0, nullptr},
    {"yw", 15, AttributeType::kFloat, 0, nullptr},
    {"zw", 16, AttributeType::kFloat, 0, nullptr},
    {"ww", 17, AttributeType::kFloat, 0, nullptr},
    {nullptr, 18, AttributeType::kNone, 0, nullptr},
};

const AttributeName kButtonRows[] = {
    {"enabled", 0, AttributeType::kBool, 0, nullptr},
    {"upStateChildId", 1, AttributeType::kString, 0, nullptr},
    {"downStateChildId", 2, AttributeType::kString, 0, nullptr},
    {"hoverStateChildId", 3, AttributeType::kString, 0, nullptr},
    {"disabledStateChildId", 4, AttributeType::kString, 0, nullptr},
    {"upStateChildIndex", 5, AttributeType::kSInt32, 0, nullptr},
    {"downStateChildIndex", 6, AttributeType::kSInt32, 0, nullptr},
    {"hoverStateChildIndex", 7, AttributeType::kSInt32, 0, nullptr},
    {"disabledStateChildIndex", 8, AttributeType::kSInt32, 0, nullptr},
    {"timelineId", 9, AttributeType::kString, 0, nullptr},
    {"timelineIndex", 10, AttributeType::kSInt32, 0, nullptr},
    {"upStateTime", 11, AttributeType::kFloat, 0, nullptr},
    {"downStateTime", 12, AttributeType::kFloat, 0, nullptr},
    {"hoverStateTime", 13, AttributeType::kFloat, 0, nullptr},
    {"disabledStateTime", 14, AttributeType::kFloat, 0, nullptr},
    {"sizeX", 15, AttributeType::kFloat, 0, nullptr},
    {"sizeY", 16, AttributeType::kFloat, 0, nullptr},
    {"shape", 17, AttributeType::kEnumeration, 0, &Enums::GetAreaShapeTable},
    {"mouseButton", 18, AttributeType::kEnumeration, 0, &Enums::GetMouseButtonTable},
    {"maxNumberOfTouches", 19, AttributeType::kUInt32, 0, nullptr},
    {nullptr, 20, AttributeType::kNone, 0, nullptr},
};

const AttributeName kCameraRows[] = {
    {"clearColorBuffer", 0, AttributeType::kBool, 0, nullptr},
    {"clearDepthBuffer", 1, AttributeType::kBool, 0, nullptr},
    {"backgroundColor", 2, AttributeType::kColor, 0, nullptr},
    {"fieldOfViewX", 3, AttributeType::kFloat, 0, nullptr},
    {"fieldOfViewY", 4, AttributeType::kFloat, 0, nullptr},
    {"unitSizeX", 5, AttributeType::kFloat, 0, nullptr},
    {"unitSizeY", 6, AttributeType::kFloat, 0, nullptr},
    {"centerX", 7, AttributeType::kFloat, 0, nullptr},
    {"centerY", 8, AttributeType::kFloat, 0, nullptr},
    {"nearPlane", 9, AttributeType::kFloat, 0, nullptr},
    {"farPlane", 10, AttributeType::kFloat, 0, nullptr},
    {"depthSortMode", 11, AttributeType::kEnumeration, 0, &Enums::GetDepthSortModeTable},
    {"clipPlaneA", 12, AttributeType::kFloat, 0, nullptr},
    {"clipPlaneB", 13, AttributeType::kFloat, 0, nullptr},
    {"clipPlaneC", 14, AttributeType::kFloat, 0, nullptr},
    {"clipPlaneD", 15, AttributeType::kFloat, 0, nullptr},
    {"leftMaskCoord", 16, AttributeType::kSInt32, 0, nullptr},
    {"rightMaskCoord", 17, AttributeType::kSInt32, 0, nullptr},
    {"topMaskCoord", 18, AttributeType::kSInt32, 0, nullptr},
    {"bottomMaskCoord", 19, AttributeType::kSInt32, 0, nullptr},
    {"leftMaskAnchor", 20, AttributeType::kEnumeration, 0, &Enums::GetHorizontalAlignmentTable},
    {"rightMaskAnchor", 21, AttributeType::kEnumeration, 0, &Enums::GetHorizontalAlignmentTable},
    {"topMaskAnchor", 22, AttributeType::kEnumeration, 0, &Enums::GetVerticalAlignmentTable},
    {"bottomMaskAnchor", 23, AttributeType::kEnumeration, 0, &Enums::GetVerticalAlignmentTable},
    {nullptr, 24, AttributeType::kNone, 0, nullptr},
};

const AttributeName kColliderMeshRows[] = {
    {"colliderResourceId", 0, AttributeType::kString, 0, nullptr},
    {nullptr, 1, AttributeType::kNone, 0, nullptr},
};

const AttributeName kColliderPlaneRows[] = {
    {nullptr, 0, AttributeType::kNone, 0, nullptr},
};

const AttributeName kColliderSphereRows[] = {
    {"radius", 0, AttributeType::kFloat, 0, nullptr},
    {nullptr, 1, AttributeType::kNone, 0, nullptr},
};

const AttributeName kContainerRows[] = {
    {nullptr, 0, AttributeType::kNone, 0, nullptr},
};

const AttributeName kCubeFrameBufferTextureRows[] = {
    {"depthBufferFormat", 0, AttributeType::kEnumeration, 0, &Enums::GetDepthBufferFormatTable},
    {nullptr, 1, AttributeType::kNone, 0, nullptr},
};

const AttributeName kCubeTextureRows[] = {
    {"bitmapIdPosX", 0, AttributeType::kString, 0, nullptr},
    {"bitmapIdNegX", 1, AttributeType::kString, 0, nullptr},
    {"bitmapIdPosY", 2, AttributeType::kString, 0, nullptr},
    {"bitmapIdNegY", 3, AttributeType::kString, 0, nullptr},
    {"bitmapIdPosZ", 4, AttributeType::kString, 0, nullptr},
    {"bitmapIdNegZ", 5, AttributeType::kString, 0, nullptr},
    {"bitmapResourceIdPosX", 6, AttributeType::kString, 0, nullptr},
    {"bitmapResourceIdNegX", 7, AttributeType::kString, 0, nullptr},
    {"bitmapResourceIdPosY", 8, AttributeType::kString, 0, nullptr},
    {"bitmapResourceIdNegY", 9, AttributeType::kString, 0, nullptr},
    {"bitmapResourceIdPosZ", 10, AttributeType::kString, 0, nullptr},
    {"bitmapResourceIdNegZ", 11, AttributeType::kString, 0, nullptr},
    {nullptr, 12, AttributeType::kNone, 0, nullptr},
};

const AttributeName kDisplayBspRows[] = {
    {"meshResourceId", 0, AttributeType::kString, 0, nullptr},
    {"enableViewCulling", 1, AttributeType::kBool, 0, nullptr},
    {nullptr, 2, AttributeType::kNone, 0, nullptr},
};

const AttributeName kDisplayCubeRows[] = {
    {"size", 0, AttributeType::kFloat, 0, nullptr},
    {nullptr, 1, AttributeType::kNone, 0, nullptr},
};

const AttributeName kDisplayMeshRows[] = {
    {"meshResourceId", 0, AttributeType::kString, 0, nullptr},
    {nullptr, 1, AttributeType::kNone, 0, nullptr},
};

const AttributeName kDisplayObjectRows[] = {
    {"hasNormals", 0, AttributeType::kBool, 0, nullptr},
    {"hasBinormals", 1, AttributeType::kBool, 0, nullptr},
    {"hasTangents", 2, AttributeType::kBool, 0, nullptr},
    {"hasColors", 3, AttributeType::kBool, 0, nullptr},
    {"hasTexCoords0", 4, AttributeType::kBool, 0, nullptr},
    {"hasTexCoords1", 5, AttributeType::kBool, 0, nullptr},
    {"hasTexCoords2", 6, AttributeType::kBool, 0, nullptr},
    {"hasTexCoords3", 7, AttributeType::kBool, 0, nullptr},
    {"maxNumberOfIndices", 8, AttributeType::kUInt32, 0, nullptr},
    {"maxNumberOfVertices", 9, AttributeType::kUInt32, 0, nullptr},
    {"dynamicIndices", 10, AttributeType::kBool, 0, nullptr},
    {"dynamicVertices", 11, AttributeType::kBool, 0, nullptr},
    {"primitiveType", 12, AttributeType::kEnumeration, 0, &Enums::GetPrimitiveTypeTable},
    {nullptr, 13, AttributeType::kNone, 0, nullptr},
};

const AttributeName kDisplayPlaneRows[] = {
    {"scaleFactor", 0, AttributeType::kFloat, 0, nullptr},
    {"scaleFactorX", 1, AttributeType::kFloat, 0, nullptr},
    {"scaleFactorY", 2, AttributeType::kFloat, 0, nullptr},
    {"textureSizeX", 3, AttributeType::kFloat, 0, nullptr},
    {"textureSizeY", 4, AttributeType::kFloat, 0, nullptr},
    {"textureStartX", 5, AttributeType::kFloat, 0, nullptr},
    {"textureStartY", 6, AttributeType::kFloat, 0, nullptr},
    {"textureEndX", 7, AttributeType::kFloat, 0, nullptr},
    {"textureEndY", 8, AttributeType::kFloat, 0, nullptr},
    {nullptr, 9, AttributeType::kNone, 0, nullptr},
};

const AttributeName kDisplayPlaneSequenceRows[] = {
    {"scaleFactor", 0, AttributeType::kFloat, 0, nullptr},
    {"scaleFactorX", 1, AttributeType::kFloat, 0, nullptr},
    {"scaleFactorY", 2, AttributeType::kFloat, 0, nullptr},
    {"textureSizeX", 3, AttributeType::kFloat, 0, nullptr},
    {"textureSizeY", 4, AttributeType::kFloat, 0, nullptr},
    {"atlasResourceId", 5, AttributeType::kString, 0, nullptr},
    {"index", 6, AttributeType::kSInt32, 0, nullptr},
    {nullptr, 7, AttributeType::kNone, 0, nullptr},
};

const AttributeName kDisplayTerrainRows[] = {
    {"numDetailLevels", 0, AttributeType::kUInt32, 0, nullptr},
    {"gridResolution", 1, AttributeType::kUInt32, 0, nullptr},
    {"gridSize", 2, AttributeType::kUInt32, 0, nullptr},
    {"detailRange", 3, AttributeType::kFloat, 0, nullptr},
    {"maxRange", 4, AttributeType::kFloat, 0, nullptr},
    {"baseHeightmapResourceId", 5, AttributeType::kString, 0, nullptr},
    {"detailHeightmapResourceId", 6, AttributeType::kString, 0, nullptr},
    {"detailScalemapResourceId", 7, AttributeType::kString, 0, nullptr},
    {nullptr, 8, AttributeType::kNone, 0, nullptr},
};

const AttributeName kDisplayTerrainBillboardsRows[] = {
    {"mapSize", 0, AttributeType::kUInt32, 0, nullptr},
    {"tileSize", 1, AttributeType::kUInt32, 0, nullptr},
    {"maxTiles", 2, AttributeType::kUInt32, 0, nullptr},
    {"maxObjectsPerTile", 3, AttributeType::kUInt32, 0, nullptr},
    {"minRange", 4, AttributeType::kFloat, 0, nullptr},
    {"maxRange", 5, AttributeType::kFloat, 0, nullptr},
    {"lightMapResourceId", 6, AttributeType::kString, 0, nullptr},
    {"objectMapResourceId", 7, AttributeType::kString, 0, nullptr},
    {"objectAtlasResourceId", 8, AttributeType::kString, 0, nullptr},
    {"heightFieldId", 9, AttributeType::kString, 0, nullptr},
    {nullptr, 10, AttributeType::kNone, 0, nullptr},
};

const AttributeName kDisplayTextRows[] = {
    {"reservedCharacters", 0, AttributeType::kUInt32, 0, nullptr},
    {"fontResourceId", 1, AttributeType::kString, 0, nullptr},
    {"textResourceId", 2, AttributeType::kString, 0, nullptr},
    {"text", 3, AttributeType::kString, 0, nullptr},
    {"scaleFactor", 4, AttributeType::kFloat, 0, nullptr},
    {"scaleFactorX", 5, AttributeType::kFloat, 0, nullptr},
    {"scaleFactorY", 6, AttributeType::kFloat, 0, nullptr},
    {"containerWidth", 7, AttributeType::kFloat, 0, nullptr},
    {"containerHeight", 8, AttributeType::kFloat, 0, nullptr},
    {"spaceWidth", 9, AttributeType::kFloat, 0, nullptr},
    {"digitWidth", 10, AttributeType::kFloat, 0, nullptr},
    {"spacing", 11, AttributeType::kFloat, 0, nullptr},
    {"leading", 12, AttributeType::kFloat, 0, nullptr},
    {"useSameDigitWidth", 13, AttributeType::kBool, 0, nullptr},
    {"horizontalContainerAlignment", 14, AttributeType::kEnumeration, 0, &Enums::GetHorizontalAlignmentTable},
    {"verticalContainerAlignment", 15, AttributeType::kEnumeration, 0, &Enums::GetVerticalAlignmentTable},
    {"horizontalTextAlignment", 16, AttributeType::kEnumeration, 0, &Enums::GetTextAlignmentXTable},
    {"verticalTextAlignment", 17, AttributeType::kEnumeration, 0, &Enums::GetTextAlignmentYTable},
    {"alignmentUnit", 18, AttributeType::kFloat, 0, nullptr},
    {"horizontalAlignmentUnit", 19, AttributeType::kFloat, 0, nullptr},
    {"verticalAlignmentUnit", 20, AttributeType::kFloat, 0, nullptr},
    {nullptr, 21, AttributeType::kNone, 0, nullptr},
};

const AttributeName kFieldRows[] = {
    {"influenceGroups", 0, AttributeType::kBitMask, 0, nullptr},
    {"constantFactor", 1, AttributeType::kFloat, 0, nullptr},
    {"linearFactor", 2, AttributeType::kFloat, 0, nullptr},
    {"quadraticFactor", 3, AttributeType::kFloat, 0, nullptr},
    {"type", 4, AttributeType::kEnumeration, 0, &Enums::GetForceModeTable},
    {"shape", 5, AttributeType::kEnumeration, 0, &Enums::GetCollisionShapeTable},
    {nullptr, 6, AttributeType::kNone, 0, nullptr},
};

const AttributeName kFixedProgramRows[] = {
    {"coloringEnabled", 0, AttributeType::kBool, 0, nullptr},
    {"lightingEnabled", 1, AttributeType::kBool, 0, nullptr},
    {"textureUnit0Enabled", 2, AttributeType::kBool, 0, nullptr},
    {"textureUnit1Enabled", 3, AttributeType::kBool, 0, nullptr},
    {"lightModel", 4, AttributeType::kEnumeration, 0, &Enums::GetLightingSidesTable},
    {nullptr, 5, AttributeType::kNone, 0, nullptr},
};

const AttributeName kFlatFrameBufferTextureRows[] = {
    {"depthBufferFormat", 0, AttributeType::kEnumeration, 0, &Enums::GetDepthBufferFormatTable},
    {nullptr, 1, AttributeType::kNone, 0, nullptr},
};

const AttributeName kFlatTextTextureRows[] = {
    {"fontId", 0, AttributeType::kString, 0, nullptr},
    {"fontSize", 1, AttributeType::kFloat, 0, nullptr},
    {"textResourceId", 2, AttributeType::kString, 0, nullptr},
    {"text", 3, AttributeType::kString, 0, nullptr},
    {"textColor", 4, AttributeType::kColor, 0, nullptr},
    {"backgroundColor", 5, AttributeType::kColor, 0, nullptr},
    {"horizontalTextAlignment", 6, AttributeType::kEnumeration, 0, &Enums::GetTextAlignmentXTable},
    {"verticalTextAlignment", 7, AttributeType::kEnumeration, 0, &Enums::GetTextAlignmentYTable},
    {nullptr, 8, AttributeType::kNone, 0, nullptr},
};

const AttributeName kFlatTextureRows[] = {
    {"bitmapId", 0, AttributeType::kString, 0, nullptr},
    {"bitmapResourceId", 1, AttributeType::kString, 0, nullptr},
    {nullptr, 2, AttributeType::kNone, 0, nullptr},
};

const AttributeName kFragmentShaderRows[] = {
    {nullptr, 0, AttributeType::kNone, 0, nullptr},
};

const AttributeName kInstanceRows[] = {
    {"graphResourceId", 0, AttributeType::kString, 0, nullptr},
    {"replications", 1, AttributeType::kUInt32, 0, nullptr},
    {nullptr, 2, AttributeType::kNone, 0, nullptr},
};

const AttributeName kLightRows[] = {
    {"ambientColor", 0, AttributeType::kColor, 0, nullptr},
    {"diffuseColor", 1, AttributeType::kColor, 0, nullptr},
    {"specularColor", 2, AttributeType::kColor, 0, nullptr},
    {nullptr, 3, AttributeType::kNone, 0, nullptr},
};

const AttributeName kListenerRows[] = {
    {"volume", 0, AttributeType::kFloat, 0, nullptr},
    {"distanceModel", 1, AttributeType::kEnumeration, 0, &Enums::GetDistanceModelTable},
    {nullptr, 2, AttributeType::kNone, 0, nullptr},
};

const AttributeName kMaterialRows[] = {
    {"programId", 0, AttributeType::kString, 0, nullptr},
    {"visibleFaces", 1, AttributeType::kEnumeration, 0, &Enums::GetCullModeTable},
    {"depthBufferMode", 2, AttributeType::kEnumeration, 0, &Enums::GetDepthTestModeTable},
    {"blendMode", 3, AttributeType::kEnumeration, 0, &Enums::GetAlphaModeTable},
    {"colorBlendEquation", 4, AttributeType::kEnumeration, 0, &Enums::GetBlendEquationTable},
    {"alphaBlendEquation", 5, AttributeType::kEnumeration, 0, &Enums::GetBlendEquationTable},
    {"srcColorBlendFunction", 6, AttributeType::kEnumeration, 0, &Enums::GetBlendFactorTable},
    {"dstColorBlendFunction", 7, AttributeType::kEnumeration, 0, &Enums::GetBlendFactorTable},
    {"srcAlphaBlendFunction", 8, AttributeType::kEnumeration, 0, &Enums::GetBlendFactorTable},
    {"dstAlphaBlendFunction", 9, AttributeType::kEnumeration, 0, &Enums::GetBlendFactorTable},
    {nullptr, 10, AttributeType::kNone, 0, nullptr},
};

const AttributeName kMaterialSlotRows[] = {
    {"materialId", 0, AttributeType::kString, 0, nullptr},
    {"slot", 1, AttributeType::kUInt32, 0, nullptr},
    {nullptr, 2, AttributeType::kNone, 0, nullptr},
};

const AttributeName kNamespaceRows[] = {
    {nullptr, 0, AttributeType::kNone, 0, nullptr},
};

const AttributeName kNodeRows[] = {
    {"id", 0, AttributeType::kString, 0, nullptr},
    {"active", 1, AttributeType::kFlagBit, 0x00000008u, nullptr},
    {"visible", 2, AttributeType::kFlagBit, 0x00000010u, nullptr},
    {"activeAndVisible", 3, AttributeType::kBool, 0, nullptr},
    {"animationResourceId", 4, AttributeType::kString, 0, nullptr},
    {nullptr, 5, AttributeType::kNone, 0, nullptr},
};

const AttributeName kOrthographicCameraRows[] = {
    {nullptr, 0, AttributeType::kNone, 0, nullptr},
};

const AttributeName kParametersRows[] = {
    {"ambientColor", 0, AttributeType::kColor, 0, nullptr},
    {"diffuseColor", 1, AttributeType::kColor, 0, nullptr},
    {"specularColor", 2, AttributeType::kColor, 0, nullptr},
    {"emissiveColor", 3, AttributeType::kColor, 0, nullptr},
    {"shininess", 4, AttributeType::kFloat, 0, nullptr},
    {"parentParametersId", 5, AttributeType::kString, 0, nullptr},
    {nullptr, 6, AttributeType::kNone, 0, nullptr},
};

const AttributeName kParametersSlotRows[] = {
    {"parametersId", 0, AttributeType::kString, 0, nullptr},
    {"slot", 1, AttributeType::kUInt32, 0, nullptr},
    {nullptr, 2, AttributeType::kNone, 0, nullptr},
};

const AttributeName kPerspectiveCameraRows[] = {
    {nullptr, 0, AttributeType::kNone, 0, nullptr},
};

const AttributeName kReferenceRows[] = {
    {"targetId", 0, AttributeType::kString, 0, nullptr},
    {nullptr, 1, AttributeType::kNone, 0, nullptr},
};

const AttributeName kScaleRows[] = {
    {"scaleFactorX", 0, AttributeType::kFloat, 0, nullptr},
    {"scaleFactorY", 1, AttributeType::kFloat, 0, nullptr},
    {"scaleFactorZ", 2, AttributeType::kFloat, 0, nullptr},
    {nullptr, 3, AttributeType::kNone, 0, nullptr},
};

const AttributeName kShaderRows[] = {
    {"source", 0, AttributeType::kString, 0, nullptr},
    {nullptr, 1, AttributeType::kNone, 0, nullptr},
};

const AttributeName kShaderProgramRows[] = {
    {"vertexShaderId", 0, AttributeType::kString, 0, nullptr},
    {"fragmentShaderId", 1, AttributeType::kString, 0, nullptr},
    {"uniform0Id", 2, AttributeType::kString, 0, nullptr},
    {"uniform1Id", 3, AttributeType::kString, 0, nullptr},
    {"uniform2Id", 4, AttributeType::kString, 0, nullptr},
    {"uniform3Id", 5, AttributeType::kString, 0, nullptr},
    {"uniform4Id", 6, AttributeType::kString, 0, nullptr},
    {"uniform5Id", 7, AttributeType::kString, 0, nullptr},
    {"uniform6Id", 8, AttributeType::kString, 0, nullptr},
    {"uniform7Id", 9, AttributeType::kString, 0, nullptr},
    {"uniform0Type", 10, AttributeType::kEnumeration, 0, &Enums::GetShaderUniformTypeTable},
    {"uniform1Type", 11, AttributeType::kEnumeration, 0, &Enums::GetShaderUniformTypeTable},
    {"uniform2Type", 12, AttributeType::kEnumeration, 0, &Enums::GetShaderUniformTypeTable},
    {"uniform3Type", 13, AttributeType::kEnumeration, 0, &Enums::GetShaderUniformTypeTable},
    {"uniform4Type", 14, AttributeType::kEnumeration, 0, &Enums::GetShaderUniformTypeTable},
    {"uniform5Type", 15, AttributeType::kEnumeration, 0, &Enums::GetShaderUniformTypeTable},
    {"uniform6Type", 16, AttributeType::kEnumeration, 0, &Enums::GetShaderUniformTypeTable},
    {"uniform7Type", 17, AttributeType::kEnumeration, 0, &Enums::GetShaderUniformTypeTable},
    {nullptr, 18, AttributeType::kNone, 0, nullptr},
};

const AttributeName kSoundRows[] = {
    {"soundResourceId", 0, AttributeType::kString, 0, nullptr},
    {nullptr, 1, AttributeType::kNone, 0, nullptr},
};

const AttributeName kSpringRows[] = {
    {"springConstant", 0, AttributeType::kFloat, 0, nullptr},
    {"dampingConstant", 1, AttributeType::kFloat, 0, nullptr},
    {"minimumLength", 2, AttributeType::kFloat, 0, nullptr},
    {"maximumLength", 3, AttributeType::kFloat, 0, nullptr},
    {"affectForce", 4, AttributeType::kBool, 0, nullptr},
    {"affectTorque", 5, AttributeType::kBool, 0, nullptr},
    {"body1Id", 6, AttributeType::kString, 0, nullptr},
    {"body1PosX", 7, AttributeType::kFloat, 0, nullptr},
    {"body1PosY", 8, AttributeType::kFloat, 0, nullptr},
    {"body1PosZ", 9, AttributeType::kFloat, 0, nullptr},
    {"body1Influence", 10, AttributeType::kBool, 0, nullptr},
    {"body2Id", 11, AttributeType::kString, 0, nullptr},
    {"body2PosX", 12, AttributeType::kFloat, 0, nullptr},
    {"body2PosY", 13, AttributeType::kFloat, 0, nullptr},
    {"body2PosZ", 14, AttributeType::kFloat, 0, nullptr},
    {"body2Influence", 15, AttributeType::kBool, 0, nullptr},
    {nullptr, 16, AttributeType::kNone, 0, nullptr},
};

const AttributeName kSwitchRows[] = {
    {"selectedChildId", 0, AttributeType::kString, 0, nullptr},
    {"index", 1, AttributeType::kSInt32, 0, nullptr},
    {nullptr, 2, AttributeType::kNone, 0, nullptr},
};

const AttributeName kTextureRows[] = {
    {"w", 0, AttributeType::kUInt32, 0, nullptr},
    {"h", 1, AttributeType::kUInt32, 0, nullptr},
    {"useAlpha", 2, AttributeType::kFlagBit, 0x00000010u, nullptr},
    {"useMipMaps", 3, AttributeType::kFlagBit, 0x00000020u, nullptr},
    {"usePrescale", 4, AttributeType::kFlagBit, 0x00000040u, nullptr},
    {"pixelFormat", 5, AttributeType::kEnumeration, 0, &Enums::GetPixelFormatTable},
    {"horizontalWrapMode", 6, AttributeType::kEnumeration, 0, &Enums::GetTextureWrapModeTable},
    {"verticalWrapMode", 7, AttributeType::kEnumeration, 0, &Enums::GetTextureWrapModeTable},
    {"magFilter", 8, AttributeType::kEnumeration, 0, &Enums::GetTextureFilterTable},
    {"minFilter", 9, AttributeType::kEnumeration, 0, &Enums::GetTextureFilterTable},
    {"mipFilter", 10, AttributeType::kEnumeration, 0, &Enums::GetTextureFilterTable},
    {nullptr, 11, AttributeType::kNone, 0, nullptr},
};

const AttributeName kTextureSlotRows[] = {
    {"textureId", 0, AttributeType::kString, 0, nullptr},
    {"slot", 1, AttributeType::kUInt32, 0, nullptr},
    {"unit", 2, AttributeType::kUInt32, 0, nullptr},
    {nullptr, 3, AttributeType::kNone, 0, nullptr},
};

const AttributeName kTimelineRows[] = {
    {"startTime", 0, AttributeType::kFloat, 0, nullptr},
    {"endTime", 1, AttributeType::kFloat, 0, nullptr},
    {"numberOfLoops", 2, AttributeType::kSInt32, 0, nullptr},
    {"timeScale", 3, AttributeType::kFloat, 0, nullptr},
    {"autoRewind", 4, AttributeType::kBool, 0, nullptr},
    {"startOnActivate", 5, AttributeType::kBool, 0, nullptr},
    {"stopOnDeactivate", 6, AttributeType::kBool, 0, nullptr},
    {nullptr, 7, AttributeType::kNone, 0, nullptr},
};

const AttributeName kTransformRows[] = {
    {"depthOrder", 0, AttributeType::kSInt32, 0, nullptr},
    {"posX", 1, AttributeType::kFloat, 0, nullptr},
    {"posY", 2, AttributeType::kFloat, 0, nullptr},
    {"posZ", 3, AttributeType::kFloat, 0, nullptr},
    {"axisX", 4, AttributeType::kFloat, 0, nullptr},
    {"axisY", 5, AttributeType::kFloat, 0, nullptr},
    {"axisZ", 6, AttributeType::kFloat, 0, nullptr},
    {"angle", 7, AttributeType::kAngle, 0, nullptr},
    {"xx", 8, AttributeType::kFloat, 0, nullptr},
    {"yx", 9, AttributeType::kFloat, 0, nullptr},
    {"zx", 10, AttributeType::kFloat, 0, nullptr},
    {"wx", 11, AttributeType::kFloat, 0, nullptr},
    {"xy", 12, AttributeType::kFloat, 0, nullptr},
    {"yy", 13, AttributeType::kFloat, 0, nullptr},
    {"zy", 14, AttributeType::kFloat, 0, nullptr},
    {"wy", 15, AttributeType::kFloat, 0, nullptr},
    {"xz", 16, AttributeType::kFloat, 0, nullptr},
    {"yz", 17, AttributeType::kFloat, 0, nullptr},
    {"zz", 18, AttributeType::kFloat, 0, nullptr},
    {"wz", 19, AttributeType::kFloat, 0, nullptr},
    {"xw", 20, AttributeType::kFloat, 0, nullptr},
    {"yw", 21, AttributeType::kFloat, 0, nullptr},
    {"zw", 22, AttributeType::kFloat, 0, nullptr},
    {"ww", 23, AttributeType::kFloat, 0, nullptr},
    {nullptr, 24, AttributeType::kNone, 0, nullptr},
};

const AttributeName kTransformCloneRows[] = {
    {"anchorId", 0, AttributeType::kString, 0, nullptr},
    {"useAbsoluteTransform", 1, AttributeType::kBool, 0, nullptr},
    {"affectRotation", 2, AttributeType::kBool, 0, nullptr},
    {"affectTranslation", 3, AttributeType::kBool, 0, nullptr},
    {nullptr, 4, AttributeType::kNone, 0, nullptr},
};

const AttributeName kTransformResetRows[] = {
    {"affectRotation", 0, AttributeType::kBool, 0, nullptr},
    {"affectTranslation", 1, AttributeType::kBool, 0, nullptr},
    {nullptr, 2, AttributeType::kNone, 0, nullptr},
};

const AttributeName kVertexShaderRows[] = {
    {nullptr, 0, AttributeType::kNone, 0, nullptr},
};

const AttributeName kViewRows[] = {
    {"frameBufferId", 0, AttributeType::kString, 0, nullptr},
    {nullptr, 1, AttributeType::kNone, 0, nullptr},
};

} // namespace

const AttributeTable& AnchorAttributes::GetTable()
{
    static const AttributeTable table(kAnchorRows);
    return table;
}

const AttributeTable& AudioSequenceAttributes::GetTable()
{
    static const AttributeTable table(kAudioSequenceRows);
    return table;
}

const AttributeTable& BitmapAttributes::GetTable()
{
    static const AttributeTable table(kBitmapRows);
    return table;
}

const AttributeTable& BodyAttributes::GetTable()
{
    static const AttributeTable table(kBodyRows);
    return table;
}

const AttributeTable& BoneAttributes::GetTable()
{
    static const AttributeTable table(kBoneRows);
    return table;
}

const AttributeTable& BoneSlotAttributes::GetTable()
{
    static const AttributeTable table(kBoneSlotRows);
    return table;
}

const AttributeTable& ButtonAttributes::GetTable()
{
    static const AttributeTable table(kButtonRows);
    return table;
}

const AttributeTable& CameraAttributes::GetTable()
{
    static const AttributeTable table(kCameraRows);
    return table;
}

const AttributeTable& ColliderMeshAttributes::GetTable()
{
    static const AttributeTable table(kColliderMeshRows);
    return table;
}

const AttributeTable& ColliderPlaneAttributes::GetTable()
{
    static const AttributeTable table(kColliderPlaneRows);
    return table;
}

const AttributeTable& ColliderSphereAttributes::GetTable()
{
    static const AttributeTable table(kColliderSphereRows);
    return table;
}

const AttributeTable& ContainerAttributes::GetTable()
{
    static const AttributeTable table(kContainerRows);
    return table;
}

const AttributeTable& CubeFrameBufferTextureAttributes::GetTable()
{
    static const AttributeTable table(kCubeFrameBufferTextureRows);
    return table;
}

const AttributeTable& CubeTextureAttributes::GetTable()
{
    static const AttributeTable table(kCubeTextureRows);
    return table;
}

const AttributeTable& DisplayBspAttributes::GetTable()
{
    static const AttributeTable table(kDisplayBspRows);
    return table;
}

const AttributeTable& DisplayCubeAttributes::GetTable()
{
    static const AttributeTable table(kDisplayCubeRows);
    return table;
}

const AttributeTable& DisplayMeshAttributes::GetTable()
{
    static const AttributeTable table(kDisplayMeshRows);
    return table;
}

const AttributeTable& DisplayObjectAttributes::GetTable()
{
    static const AttributeTable table(kDisplayObjectRows);
    return table;
}

const AttributeTable& DisplayPlaneAttributes::GetTable()
{
    static const AttributeTable table(kDisplayPlaneRows);
    return table;
}

const AttributeTable& DisplayPlaneSequenceAttributes::GetTable()
{
    static const AttributeTable table(kDisplayPlaneSequenceRows);
    return table;
}

const AttributeTable& DisplayTerrainAttributes::GetTable()
{
    static const AttributeTable table(kDisplayTerrainRows);
    return table;
}

const AttributeTable& DisplayTerrainBillboardsAttributes::GetTable()
{
    static const AttributeTable table(kDisplayTerrainBillboardsRows);
    return table;
}

const AttributeTable& DisplayTextAttributes::GetTable()
{
    static const AttributeTable table(kDisplayTextRows);
    return table;
}

const AttributeTable& FieldAttributes::GetTable()
{
    static const AttributeTable table(kFieldRows);
    return table;
}

const AttributeTable& FixedProgramAttributes::GetTable()
{
    static const AttributeTable table(kFixedProgramRows);
    return table;
}

const AttributeTable& FlatFrameBufferTextureAttributes::GetTable()
{
    static const AttributeTable table(kFlatFrameBufferTextureRows);
    return table;
}

const AttributeTable& FlatTextTextureAttributes::GetTable()
{
    static const AttributeTable table(kFlatTextTextureRows);
    return table;
}

const AttributeTable& FlatTextureAttributes::GetTable()
{
    static const AttributeTable table(kFlatTextureRows);
    return table;
}

const AttributeTable& FragmentShaderAttributes::GetTable()
{
    static const AttributeTable table(kFragmentShaderRows);
    return table;
}

const AttributeTable& InstanceAttributes::GetTable()
{
    static const AttributeTable table(kInstanceRows);
    return table;
}

const AttributeTable& LightAttributes::GetTable()
{
    static const AttributeTable table(kLightRows);
    return table;
}

const AttributeTable& ListenerAttributes::GetTable()
{
    static const AttributeTable table(kListenerRows);
    return table;
}

const AttributeTable& MaterialAttributes::GetTable()
{
    static const AttributeTable table(kMaterialRows);
    return table;
}

const AttributeTable& MaterialSlotAttributes::GetTable()
{
    static const AttributeTable table(kMaterialSlotRows);
    return table;
}

const AttributeTable& NamespaceAttributes::GetTable()
{
    static const AttributeTable table(kNamespaceRows);
    return table;
}

const AttributeTable& NodeAttributes::GetTable()
{
    static const AttributeTable table(kNodeRows);
    return table;
}

const AttributeTable& OrthographicCameraAttributes::GetTable()
{
    static const AttributeTable table(kOrthographicCameraRows);
    return table;
}

const AttributeTable& ParametersAttributes::GetTable()
{
    static const AttributeTable table(kParametersRows);
    return table;
}

const AttributeTable& ParametersSlotAttributes::GetTable()
{
    static const AttributeTable table(kParametersSlotRows);
    return table;
}

const AttributeTable& PerspectiveCameraAttributes::GetTable()
{
    static const AttributeTable table(kPerspectiveCameraRows);
    return table;
}

const AttributeTable& ReferenceAttributes::GetTable()
{
    static const AttributeTable table(kReferenceRows);
    return table;
}

const AttributeTable& ScaleAttributes::GetTable()
{
    static const AttributeTable table(kScaleRows);
    return table;
}

const AttributeTable& ShaderAttributes::GetTable()
{
    static const AttributeTable table(kShaderRows);
    return table;
}

const AttributeTable& ShaderProgramAttributes::GetTable()
{
    static const AttributeTable table(kShaderProgramRows);
    return table;
}

const AttributeTable& SoundAttributes::GetTable()
{
    static const AttributeTable table(kSoundRows);
    return table;
}

const AttributeTable& SpringAttributes::GetTable()
{
    static const AttributeTable table(kSpringRows);
    return table;
}

const AttributeTable& SwitchAttributes::GetTable()
{
    static const AttributeTable table(kSwitchRows);
    return table;
}

const AttributeTable& TextureAttributes::GetTable()
{
    static const AttributeTable table(kTextureRows);
    return table;
}

const AttributeTable& TextureSlotAttributes::GetTable()
{
    static const AttributeTable table(kTextureSlotRows);
    return table;
}

const AttributeTable& TimelineAttributes::GetTable()
{
    static const AttributeTable table(kTimelineRows);
    return table;
}

const AttributeTable& TransformAttributes::GetTable()
{
    static const AttributeTable table(kTransformRows);
    return table;
}

const AttributeTable& TransformCloneAttributes::GetTable()
{
    static const AttributeTable table(kTransformCloneRows);
    return table;
}

const AttributeTable& TransformResetAttributes::GetTable()
{
    static const AttributeTable table(kTransformResetRows);
    return table;
}

const AttributeTable& VertexShaderAttributes::GetTable()
{
    static const AttributeTable table(kVertexShaderRows);
    return table;
}

const AttributeTable& ViewAttributes::GetTable()
{
    static const AttributeTable table(kViewRows);
    return table;
}

} // namespace Graph
} // namespace Vorn
