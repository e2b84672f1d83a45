#include "foundation/enums.h"

#include "foundation/enum_table.h"

namespace Vorn {
namespace Enums {

namespace {

// Each row array stays in read-only data; its last row carries the table's fallback value.

// Platform and device facts

constexpr EnumTable::Row LanguageRows[] = {
    {"DEFAULT", Value(Language::DEFAULT)},
    {"ENGLISH", Value(Language::ENGLISH)},
    {"GERMAN", Value(Language::GERMAN)},
    {"FRENCH", Value(Language::FRENCH)},
    {"SPANISH", Value(Language::SPANISH)},
    {"ITALIAN", Value(Language::ITALIAN)},
    {"CHINESE", Value(Language::CHINESE)},
    {"KOREAN", Value(Language::KOREAN)},
    {"JAPANESE", Value(Language::JAPANESE)},
    {nullptr, 0},
};

constexpr EnumTable::Row DeviceClassRows[] = {
    {"DEFAULT", Value(DeviceClass::DEFAULT)},
    {"COMPUTER", Value(DeviceClass::COMPUTER)},
    {"COMPUTER_DESKTOP", Value(DeviceClass::COMPUTER_DESKTOP)},
    {"COMPUTER_LAPTOP", Value(DeviceClass::COMPUTER_LAPTOP)},
    {"COMPUTER_NETBOOK", Value(DeviceClass::COMPUTER_NETBOOK)},
    {"HANDHELD", Value(DeviceClass::HANDHELD)},
    {"HANDHELD_TABLET", Value(DeviceClass::HANDHELD_TABLET)},
    {"HANDHELD_SMARTPHONE", Value(DeviceClass::HANDHELD_SMARTPHONE)},
    {"HANDHELD_MUSIC_PLAYER", Value(DeviceClass::HANDHELD_MUSIC_PLAYER)},
    {nullptr, 0},
};

constexpr EnumTable::Row DeviceModelRows[] = {
    {"DEFAULT", Value(DeviceModel::DEFAULT)},
    {"DESKTOP", Value(DeviceModel::DESKTOP)},
    {"DESKTOP_GENERIC", Value(DeviceModel::DESKTOP_GENERIC)},
    {"DESKTOP_IMAC", Value(DeviceModel::DESKTOP_IMAC)},
    {"DESKTOP_MAC_PRO", Value(DeviceModel::DESKTOP_MAC_PRO)},
    {"LAPTOP", Value(DeviceModel::LAPTOP)},
    {"LAPTOP_GENERIC", Value(DeviceModel::LAPTOP_GENERIC)},
    {"LAPTOP_MACBOOK", Value(DeviceModel::LAPTOP_MACBOOK)},
    {"LAPTOP_MACBOOK_PRO", Value(DeviceModel::LAPTOP_MACBOOK_PRO)},
    {"IPHONE", Value(DeviceModel::IPHONE)},
    {"IPHONE_1", Value(DeviceModel::IPHONE_1)},
    {"IPHONE_3G", Value(DeviceModel::IPHONE_3G)},
    {"IPHONE_3GS", Value(DeviceModel::IPHONE_3GS)},
    {"IPHONE_4", Value(DeviceModel::IPHONE_4)},
    {"IPHONE_4S", Value(DeviceModel::IPHONE_4S)},
    {"IPHONE_5", Value(DeviceModel::IPHONE_5)},
    {"IPAD", Value(DeviceModel::IPAD)},
    {"IPAD_1", Value(DeviceModel::IPAD_1)},
    {"IPAD_2", Value(DeviceModel::IPAD_2)},
    {"IPAD_3", Value(DeviceModel::IPAD_3)},
    {"IPOD", Value(DeviceModel::IPOD)},
    {"IPOD_1G", Value(DeviceModel::IPOD_1G)},
    {"IPOD_2G", Value(DeviceModel::IPOD_2G)},
    {"IPOD_3G", Value(DeviceModel::IPOD_3G)},
    {"IPOD_4G", Value(DeviceModel::IPOD_4G)},
    {"GALAXY_PHONE", Value(DeviceModel::GALAXY_PHONE)},
    {"GALAXY_PHONE_S", Value(DeviceModel::GALAXY_PHONE_S)},
    {"GALAXY_PHONE_ACE", Value(DeviceModel::GALAXY_PHONE_ACE)},
    {"GALAXY_TAB", Value(DeviceModel::GALAXY_TAB)},
    {"GALAXY_TAB_V1", Value(DeviceModel::GALAXY_TAB_V1)},
    {"GALAXY_TAB_10_1", Value(DeviceModel::GALAXY_TAB_10_1)},
    {nullptr, 0},
};

constexpr EnumTable::Row OperatingSystemRows[] = {
    {"DEFAULT", Value(OperatingSystem::DEFAULT)},
    {"OSX", Value(OperatingSystem::OSX)},
    {"OSX_10_5", Value(OperatingSystem::OSX_10_5)},
    {"OSX_10_6", Value(OperatingSystem::OSX_10_6)},
    {"OSX_10_7", Value(OperatingSystem::OSX_10_7)},
    {"OSX_10_8", Value(OperatingSystem::OSX_10_8)},
    {"IOS", Value(OperatingSystem::IOS)},
    {"IOS_3_2", Value(OperatingSystem::IOS_3_2)},
    {"IOS_4_0", Value(OperatingSystem::IOS_4_0)},
    {"IOS_4_1", Value(OperatingSystem::IOS_4_1)},
    {"IOS_4_2", Value(OperatingSystem::IOS_4_2)},
    {"IOS_4_3", Value(OperatingSystem::IOS_4_3)},
    {"IOS_5_0", Value(OperatingSystem::IOS_5_0)},
    {"IOS_5_1", Value(OperatingSystem::IOS_5_1)},
    {"IOS_5_2", Value(OperatingSystem::IOS_5_2)},
    {"IOS_5_3", Value(OperatingSystem::IOS_5_3)},
    {"WINDOWS", Value(OperatingSystem::WINDOWS)},
    {"WINDOWS_XP", Value(OperatingSystem::WINDOWS_XP)},
    {"WINDOWS_VISTA", Value(OperatingSystem::WINDOWS_VISTA)},
    {"WINDOWS_7", Value(OperatingSystem::WINDOWS_7)},
    {"WINDOWS_8", Value(OperatingSystem::WINDOWS_8)},
    {"ANDROID", Value(OperatingSystem::ANDROID)},
    {"ANDROID_API_5", Value(OperatingSystem::ANDROID_API_5)},
    {"ANDROID_API_6", Value(OperatingSystem::ANDROID_API_6)},
    {"ANDROID_API_7", Value(OperatingSystem::ANDROID_API_7)},
    {"ANDROID_API_8", Value(OperatingSystem::ANDROID_API_8)},
    {"ANDROID_API_9", Value(OperatingSystem::ANDROID_API_9)},
    {"ANDROID_API_10", Value(OperatingSystem::ANDROID_API_10)},
    {"ANDROID_API_11", Value(OperatingSystem::ANDROID_API_11)},
    {"ANDROID_API_12", Value(OperatingSystem::ANDROID_API_12)},
    {"ANDROID_API_13", Value(OperatingSystem::ANDROID_API_13)},
    {"ANDROID_API_14", Value(OperatingSystem::ANDROID_API_14)},
    {"ANDROID_API_15", Value(OperatingSystem::ANDROID_API_15)},
    {"ANDROID_API_16", Value(OperatingSystem::ANDROID_API_16)},
    {"ANDROID_API_17", Value(OperatingSystem::ANDROID_API_17)},
    {"ANDROID_API_18", Value(OperatingSystem::ANDROID_API_18)},
    {"ANDROID_API_19", Value(OperatingSystem::ANDROID_API_19)},
    {"ANDROID_API_20", Value(OperatingSystem::ANDROID_API_20)},
    {"HP_WEB_OS", Value(OperatingSystem::HP_WEB_OS)},
    {"RIM_TABLET_OS", Value(OperatingSystem::RIM_TABLET_OS)},
    {nullptr, 0},
};

constexpr EnumTable::Row GpuModelRows[] = {
    {"DEFAULT", Value(GpuModel::DEFAULT)},
    {"GENERIC", Value(GpuModel::GENERIC)},
    {"POWERVR", Value(GpuModel::POWERVR)},
    {"POWERVR_MBX", Value(GpuModel::POWERVR_MBX)},
    {"POWERVR_SGX", Value(GpuModel::POWERVR_SGX)},
    {"ADRENO", Value(GpuModel::ADRENO)},
    {"ADRENO", Value(GpuModel::ADRENO_1)},
    {"TEGRA2", Value(GpuModel::TEGRA2)},
    {"GEFORCE", Value(GpuModel::GEFORCE)},
    {"RADEON", Value(GpuModel::RADEON)},
    {nullptr, 0},
};

constexpr EnumTable::Row ScreenClassRows[] = {
    {"DEFAULT", Value(ScreenClass::DEFAULT)},
    {"SMALL", Value(ScreenClass::SMALL)},
    {"MEDIUM", Value(ScreenClass::MEDIUM)},
    {"LARGE", Value(ScreenClass::LARGE)},
    {"XLARGE", Value(ScreenClass::XLARGE)},
    {nullptr, 0},
};

constexpr EnumTable::Row VideoApiRows[] = {
    {"DEFAULT", Value(VideoApi::DEFAULT)},
    {"GLES11", Value(VideoApi::GLES11)},
    {"GLES20", Value(VideoApi::GLES20)},
    {"DX9", Value(VideoApi::DX9)},
    {"DX11", Value(VideoApi::DX11)},
    {nullptr, 0},
};

constexpr EnumTable::Row AudioApiRows[] = {
    {"DEFAULT", Value(AudioApi::DEFAULT)},
    {"DUMMY", Value(AudioApi::DUMMY)},
    {"AL11", Value(AudioApi::AL11)},
    {"SLES10", Value(AudioApi::SLES10)},
    {"DX11", Value(AudioApi::DX11)},
    {nullptr, 0},
};

constexpr EnumTable::Row OrientationFlagsRows[] = {
    {"DEFAULT", Value(OrientationFlags::DEFAULT)},
    {"NORMAL", Value(OrientationFlags::NORMAL)},
    {"ROTATE_CW", Value(OrientationFlags::ROTATE_CW)},
    {"ROTATE_CCW", Value(OrientationFlags::ROTATE_CCW)},
    {"FLIP", Value(OrientationFlags::FLIP)},
    {nullptr, 0},
};

constexpr EnumTable::Row OrientationMaskRows[] = {
    {"ALL", Value(OrientationMask::ALL)},
    {nullptr, 0},
};

constexpr EnumTable::Row ScreenOrientationRows[] = {
    {"DEFAULT", Value(ScreenOrientation::DEFAULT)},
    {"PORTRAIT_1", Value(ScreenOrientation::PORTRAIT_1)},
    {"LANDSCAPE_1", Value(ScreenOrientation::LANDSCAPE_1)},
    {"PORTRAIT_2", Value(ScreenOrientation::PORTRAIT_2)},
    {"LANDSCAPE_2", Value(ScreenOrientation::LANDSCAPE_2)},
    {nullptr, 0},
};

constexpr EnumTable::Row ScreenOrientationMaskRows[] = {
    {"PORTRAIT", Value(ScreenOrientationMask::PORTRAIT)},
    {"LANDSCAPE", Value(ScreenOrientationMask::LANDSCAPE)},
    {"ALL", Value(ScreenOrientationMask::ALL)},
    {nullptr, 0},
};

constexpr EnumTable::Row AppRunStateRows[] = {
    {"DEFAULT", Value(AppRunState::DEFAULT)},
    {"RUNNING", Value(AppRunState::RUNNING)},
    {"PAUSED", Value(AppRunState::PAUSED)},
    {"SUSPENDED", Value(AppRunState::SUSPENDED)},
    {nullptr, 0},
};

constexpr EnumTable::Row MemoryObjectTypeRows[] = {
    {"NONE", Value(MemoryObjectType::NONE)},
    {"DISPLAY_FRAME_BUFFER", Value(MemoryObjectType::DISPLAY_FRAME_BUFFER)},
    {"AUDIO_BUFFER", Value(MemoryObjectType::AUDIO_BUFFER)},
    {"AUDIO_PLAYABLE", Value(MemoryObjectType::AUDIO_PLAYABLE)},
    {"OTHER", Value(MemoryObjectType::OTHER)},
    {"ALL", Value(MemoryObjectType::ALL)},
    {nullptr, 0},
};

constexpr EnumTable::Row MemoryObjectMaskRows[] = {
    {"NONE", Value(MemoryObjectMask::NONE)},
    {"ALL", Value(MemoryObjectMask::ALL)},
    {nullptr, 0},
};

// Files

constexpr EnumTable::Row FileCategoryRows[] = {
    {"ROOT", Value(FileCategory::ROOT)},
    {"APPLICATION", Value(FileCategory::APPLICATION)},
    {"CURRENT", Value(FileCategory::CURRENT)},
    {"RESOURCE", Value(FileCategory::RESOURCE)},
    {"SHARED", Value(FileCategory::SHARED)},
    {"PRIVATE", Value(FileCategory::PRIVATE)},
    {"CACHE", Value(FileCategory::CACHE)},
    {"TEMPORARY", Value(FileCategory::TEMPORARY)},
    {nullptr, 8},
};

constexpr EnumTable::Row FileAccessModeRows[] = {
    {"READ_ONLY", Value(FileAccessMode::READ_ONLY)},
    {"WRITE_ONLY", Value(FileAccessMode::WRITE_ONLY)},
    {"READ_AND_WRITE", Value(FileAccessMode::READ_AND_WRITE)},
    {"APPEND_ONLY", Value(FileAccessMode::APPEND_ONLY)},
    {"READ_AND_APPEND", Value(FileAccessMode::READ_AND_APPEND)},
    {nullptr, 5},
};

// Display formats, buffers and shaders

constexpr EnumTable::Row ColorBufferFormatRows[] = {
    {"DEFAULT", Value(ColorBufferFormat::DEFAULT)},
    {"R8_G8_B8", Value(ColorBufferFormat::R8_G8_B8)},
    {"R5_G6_B5", Value(ColorBufferFormat::R5_G6_B5)},
    {nullptr, 0},
};

constexpr EnumTable::Row AlphaBufferFormatRows[] = {
    {"DEFAULT", Value(AlphaBufferFormat::DEFAULT)},
    {"R8_G8_B8_A8", Value(AlphaBufferFormat::R8_G8_B8_A8)},
    {"R5_G5_B5_A1", Value(AlphaBufferFormat::R5_G5_B5_A1)},
    {"R4_G4_B4_A4", Value(AlphaBufferFormat::R4_G4_B4_A4)},
    {nullptr, 0},
};

constexpr EnumTable::Row PixelFormatRows[] = {
    {"L8", Value(PixelFormat::L8)},
    {"A8", Value(PixelFormat::A8)},
    {"L8_A8", Value(PixelFormat::L8_A8)},
    {"R8_G8_B8", Value(PixelFormat::R8_G8_B8)},
    {"R5_G6_B5", Value(PixelFormat::R5_G6_B5)},
    {"R8_G8_B8_A8", Value(PixelFormat::R8_G8_B8_A8)},
    {"R5_G5_B5_A1", Value(PixelFormat::R5_G5_B5_A1)},
    {"R4_G4_B4_A4", Value(PixelFormat::R4_G4_B4_A4)},
    {"RGB_PVRTC_4BPPV1", Value(PixelFormat::RGB_PVRTC_4BPPV1)},
    {"RGB_PVRTC_2BPPV1", Value(PixelFormat::RGB_PVRTC_2BPPV1)},
    {"RGBA_PVRTC_4BPPV1", Value(PixelFormat::RGBA_PVRTC_4BPPV1)},
    {"RGBA_PVRTC_2BPPV1", Value(PixelFormat::RGBA_PVRTC_2BPPV1)},
    {nullptr, 13},
};

constexpr EnumTable::Row ImageFormatRows[] = {
    {"NONE", Value(ImageFormat::NONE)},
    {"JPG", Value(ImageFormat::JPG)},
    {"PNG", Value(ImageFormat::PNG)},
    {nullptr, 5},
};

constexpr EnumTable::Row DepthBufferFormatRows[] = {
    {"NONE", Value(DepthBufferFormat::NONE)},
    {"GENERIC", Value(DepthBufferFormat::GENERIC)},
    {"16_BIT", Value(DepthBufferFormat::BITS_16)},
    {"24_BIT", Value(DepthBufferFormat::BITS_24)},
    {"32_BIT", Value(DepthBufferFormat::BITS_32)},
    {nullptr, 6},
};

constexpr EnumTable::Row TextureWrapModeRows[] = {
    {"CLAMP_TO_EDGE", Value(TextureWrapMode::CLAMP_TO_EDGE)},
    {"REPEAT", Value(TextureWrapMode::REPEAT)},
    {"MIRRORED_REPEAT", Value(TextureWrapMode::MIRRORED_REPEAT)},
    {nullptr, 4},
};

constexpr EnumTable::Row TextureFilterRows[] = {
    {"NONE", Value(TextureFilter::NONE)},
    {"NEAREST", Value(TextureFilter::NEAREST)},
    {"LINEAR", Value(TextureFilter::LINEAR)},
    {nullptr, 4},
};

constexpr EnumTable::Row IndexFormatRows[] = {
    {"UNDEFINED", Value(IndexFormat::UNDEFINED)},
    {"UINT8", Value(IndexFormat::UINT8)},
    {"UINT16", Value(IndexFormat::UINT16)},
    {nullptr, 3},
};

constexpr EnumTable::Row VertexAttributeRows[] = {
    {"COORD", Value(VertexAttribute::COORD)},
    {"NORMAL", Value(VertexAttribute::NORMAL)},
    {"BINORMAL", Value(VertexAttribute::BINORMAL)},
    {"TANGENT", Value(VertexAttribute::TANGENT)},
    {"COLOR", Value(VertexAttribute::COLOR)},
    {"TEXCOORD_0", Value(VertexAttribute::TEXCOORD_0)},
    {"TEXCOORD_1", Value(VertexAttribute::TEXCOORD_1)},
    {"TEXCOORD_2", Value(VertexAttribute::TEXCOORD_2)},
    {"TEXCOORD_3", Value(VertexAttribute::TEXCOORD_3)},
    {"CUSTOM_0", Value(VertexAttribute::CUSTOM_0)},
    {"CUSTOM_1", Value(VertexAttribute::CUSTOM_1)},
    {"CUSTOM_2", Value(VertexAttribute::CUSTOM_2)},
    {"CUSTOM_3", Value(VertexAttribute::CUSTOM_3)},
    {nullptr, 15},
};

constexpr EnumTable::Row AttributeTypeRows[] = {
    {"UNDEFINED", Value(AttributeType::UNDEFINED)},
    {"FLOAT", Value(AttributeType::FLOAT)},
    {"FLOAT_VECTOR_2", Value(AttributeType::FLOAT_VECTOR_2)},
    {"FLOAT_VECTOR_3", Value(AttributeType::FLOAT_VECTOR_3)},
    {"FLOAT_VECTOR_4", Value(AttributeType::FLOAT_VECTOR_4)},
    {"UINT8", Value(AttributeType::UINT8)},
    {"UINT8_VECTOR_2", Value(AttributeType::UINT8_VECTOR_2)},
    {"UINT8_VECTOR_3", Value(AttributeType::UINT8_VECTOR_3)},
    {"UINT8_VECTOR_4", Value(AttributeType::UINT8_VECTOR_4)},
    {"SINT8", Value(AttributeType::SINT8)},
    {"SINT8_VECTOR_2", Value(AttributeType::SINT8_VECTOR_2)},
    {"SINT8_VECTOR_3", Value(AttributeType::SINT8_VECTOR_3)},
    {"SINT8_VECTOR_4", Value(AttributeType::SINT8_VECTOR_4)},
    {"UINT16", Value(AttributeType::UINT16)},
    {"UINT16_VECTOR_2", Value(AttributeType::UINT16_VECTOR_2)},
    {"UINT16_VECTOR_3", Value(AttributeType::UINT16_VECTOR_3)},
    {"UINT16_VECTOR_4", Value(AttributeType::UINT16_VECTOR_4)},
    {"SINT16", Value(AttributeType::SINT16)},
    {"SINT16_VECTOR_2", Value(AttributeType::SINT16_VECTOR_2)},
    {"SINT16_VECTOR_3", Value(AttributeType::SINT16_VECTOR_3)},
    {"SINT16_VECTOR_4", Value(AttributeType::SINT16_VECTOR_4)},
    {nullptr, 21},
};

constexpr EnumTable::Row ShaderVariableRows[] = {
    {"MODEL_MATRIX", Value(ShaderVariable::MODEL_MATRIX)},
    {"CAMERA_VIEW_MATRIX", Value(ShaderVariable::CAMERA_VIEW_MATRIX)},
    {"CAMERA_PROJECTION_MATRIX", Value(ShaderVariable::CAMERA_PROJECTION_MATRIX)},
    {"CAMERA_VIEW_PROJECTION_MATRIX", Value(ShaderVariable::CAMERA_VIEW_PROJECTION_MATRIX)},
    {"CAMERA_POSITION", Value(ShaderVariable::CAMERA_POSITION)},
    {"LIGHT_VIEW_MATRIX", Value(ShaderVariable::LIGHT_VIEW_MATRIX)},
    {"LIGHT_PROJECTION_MATRIX", Value(ShaderVariable::LIGHT_PROJECTION_MATRIX)},
    {"LIGHT_VIEW_PROJECTION_MATRIX", Value(ShaderVariable::LIGHT_VIEW_PROJECTION_MATRIX)},
    {"LIGHT_POSITION", Value(ShaderVariable::LIGHT_POSITION)},
    {"SAMPLER_0", Value(ShaderVariable::SAMPLER_0)},
    {"SAMPLER_1", Value(ShaderVariable::SAMPLER_1)},
    {"SAMPLER_2", Value(ShaderVariable::SAMPLER_2)},
    {"SAMPLER_3", Value(ShaderVariable::SAMPLER_3)},
    {"SAMPLER_4", Value(ShaderVariable::SAMPLER_4)},
    {"SAMPLER_5", Value(ShaderVariable::SAMPLER_5)},
    {"SAMPLER_6", Value(ShaderVariable::SAMPLER_6)},
    {"SAMPLER_7", Value(ShaderVariable::SAMPLER_7)},
    {"CUSTOM_0", Value(ShaderVariable::CUSTOM_0)},
    {"CUSTOM_1", Value(ShaderVariable::CUSTOM_1)},
    {"CUSTOM_2", Value(ShaderVariable::CUSTOM_2)},
    {"CUSTOM_3", Value(ShaderVariable::CUSTOM_3)},
    {"CUSTOM_4", Value(ShaderVariable::CUSTOM_4)},
    {"CUSTOM_5", Value(ShaderVariable::CUSTOM_5)},
    {"CUSTOM_6", Value(ShaderVariable::CUSTOM_6)},
    {"CUSTOM_7", Value(ShaderVariable::CUSTOM_7)},
    {"BONE_MATRIX_0", Value(ShaderVariable::BONE_MATRIX_0)},
    {"BONE_MATRIX_1", Value(ShaderVariable::BONE_MATRIX_1)},
    {"BONE_MATRIX_2", Value(ShaderVariable::BONE_MATRIX_2)},
    {"BONE_MATRIX_3", Value(ShaderVariable::BONE_MATRIX_3)},
    {"BONE_MATRIX_4", Value(ShaderVariable::BONE_MATRIX_4)},
    {"BONE_MATRIX_5", Value(ShaderVariable::BONE_MATRIX_5)},
    {"BONE_MATRIX_6", Value(ShaderVariable::BONE_MATRIX_6)},
    {"BONE_MATRIX_7", Value(ShaderVariable::BONE_MATRIX_7)},
    {"BONE_MATRIX_8", Value(ShaderVariable::BONE_MATRIX_8)},
    {"BONE_MATRIX_9", Value(ShaderVariable::BONE_MATRIX_9)},
    {"BONE_MATRIX_10", Value(ShaderVariable::BONE_MATRIX_10)},
    {"BONE_MATRIX_11", Value(ShaderVariable::BONE_MATRIX_11)},
    {"BONE_MATRIX_12", Value(ShaderVariable::BONE_MATRIX_12)},
    {"BONE_MATRIX_13", Value(ShaderVariable::BONE_MATRIX_13)},
    {"BONE_MATRIX_14", Value(ShaderVariable::BONE_MATRIX_14)},
    {"BONE_MATRIX_15", Value(ShaderVariable::BONE_MATRIX_15)},
    {"BONE_MATRIX_16", Value(ShaderVariable::BONE_MATRIX_16)},
    {"BONE_MATRIX_17", Value(ShaderVariable::BONE_MATRIX_17)},
    {"BONE_MATRIX_18", Value(ShaderVariable::BONE_MATRIX_18)},
    {"BONE_MATRIX_19", Value(ShaderVariable::BONE_MATRIX_19)},
    {"BONE_MATRIX_20", Value(ShaderVariable::BONE_MATRIX_20)},
    {"BONE_MATRIX_21", Value(ShaderVariable::BONE_MATRIX_21)},
    {"BONE_MATRIX_22", Value(ShaderVariable::BONE_MATRIX_22)},
    {"BONE_MATRIX_23", Value(ShaderVariable::BONE_MATRIX_23)},
    {nullptr, 51},
};

constexpr EnumTable::Row ShaderUniformTypeRows[] = {
    {"UNDEFINED", Value(ShaderUniformType::UNDEFINED)},
    {"INT", Value(ShaderUniformType::INT)},
    {"INT_VECTOR_2", Value(ShaderUniformType::INT_VECTOR_2)},
    {"INT_VECTOR_3", Value(ShaderUniformType::INT_VECTOR_3)},
    {"INT_VECTOR_4", Value(ShaderUniformType::INT_VECTOR_4)},
    {"INT_MATRIX_2", Value(ShaderUniformType::INT_MATRIX_2)},
    {"INT_MATRIX_3", Value(ShaderUniformType::INT_MATRIX_3)},
    {"INT_MATRIX_4", Value(ShaderUniformType::INT_MATRIX_4)},
    {"FLOAT", Value(ShaderUniformType::FLOAT)},
    {"FLOAT_VECTOR_2", Value(ShaderUniformType::FLOAT_VECTOR_2)},
    {"FLOAT_VECTOR_3", Value(ShaderUniformType::FLOAT_VECTOR_3)},
    {"FLOAT_VECTOR_4", Value(ShaderUniformType::FLOAT_VECTOR_4)},
    {"FLOAT_MATRIX_2", Value(ShaderUniformType::FLOAT_MATRIX_2)},
    {"FLOAT_MATRIX_3", Value(ShaderUniformType::FLOAT_MATRIX_3)},
    {"FLOAT_MATRIX_4", Value(ShaderUniformType::FLOAT_MATRIX_4)},
    {nullptr, 15},
};

constexpr EnumTable::Row PrimitiveTypeRows[] = {
    {"UNDEFINED", Value(PrimitiveType::UNDEFINED)},
    {"POINTS", Value(PrimitiveType::POINTS)},
    {"LINE_STRIP", Value(PrimitiveType::LINE_STRIP)},
    {"LINE_LOOP", Value(PrimitiveType::LINE_LOOP)},
    {"LINES", Value(PrimitiveType::LINES)},
    {"TRIANGLE_STRIP", Value(PrimitiveType::TRIANGLE_STRIP)},
    {"TRIANGLE_FAN", Value(PrimitiveType::TRIANGLE_FAN)},
    {"TRIANGLES", Value(PrimitiveType::TRIANGLES)},
    {nullptr, 8},
};

constexpr EnumTable::Row BufferAccessModeRows[] = {
    {"READ_ONLY", Value(BufferAccessMode::READ_ONLY)},
    {"READ_AND_WRITE", Value(BufferAccessMode::READ_AND_WRITE)},
    {nullptr, 2},
};

constexpr EnumTable::Row BufferUsageRows[] = {
    {"STATIC", Value(BufferUsage::STATIC)},
    {"STREAM", Value(BufferUsage::STREAM)},
    {nullptr, 2},
};

// Render state

constexpr EnumTable::Row CullModeRows[] = {
    {"NONE", Value(CullMode::NONE)},
    {"FRONT_ONLY", Value(CullMode::FRONT_ONLY)},
    {"BACK_ONLY", Value(CullMode::BACK_ONLY)},
    {"FRONT_AND_BACK", Value(CullMode::FRONT_AND_BACK)},
    {nullptr, 0},
};

constexpr EnumTable::Row AlphaModeRows[] = {
    {"NONE", Value(AlphaMode::NONE)},
    {"ALPHA", Value(AlphaMode::ALPHA)},
    {nullptr, 0},
};

constexpr EnumTable::Row BlendEquationRows[] = {
    {"ADD", Value(BlendEquation::ADD)},
    {"SUBTRACT", Value(BlendEquation::SUBTRACT)},
    {"REVERSE_SUBTRACT", Value(BlendEquation::REVERSE_SUBTRACT)},
    {nullptr, 0},
};

constexpr EnumTable::Row BlendFactorRows[] = {
    {"ZERO", Value(BlendFactor::ZERO)},
    {"ONE", Value(BlendFactor::ONE)},
    {"SRC_COLOR", Value(BlendFactor::SRC_COLOR)},
    {"ONE_MINUS_SRC_COLOR", Value(BlendFactor::ONE_MINUS_SRC_COLOR)},
    {"DST_COLOR", Value(BlendFactor::DST_COLOR)},
    {"ONE_MINUS_DST_COLOR", Value(BlendFactor::ONE_MINUS_DST_COLOR)},
    {"SRC_ALPHA", Value(BlendFactor::SRC_ALPHA)},
    {"ONE_MINUS_SRC_ALPHA", Value(BlendFactor::ONE_MINUS_SRC_ALPHA)},
    {"DST_ALPHA", Value(BlendFactor::DST_ALPHA)},
    {"ONE_MINUS_DST_ALPHA", Value(BlendFactor::ONE_MINUS_DST_ALPHA)},
    {"CONSTANT_COLOR", Value(BlendFactor::CONSTANT_COLOR)},
    {"ONE_MINUS_CONSTANT_COLOR", Value(BlendFactor::ONE_MINUS_CONSTANT_COLOR)},
    {"CONSTANT_ALPHA", Value(BlendFactor::CONSTANT_ALPHA)},
    {"ONE_MINUS_CONSTANT_ALPHA", Value(BlendFactor::ONE_MINUS_CONSTANT_ALPHA)},
    {"SRC_ALPHA_SATURATE", Value(BlendFactor::SRC_ALPHA_SATURATE)},
    {nullptr, 0},
};

constexpr EnumTable::Row DepthTestModeRows[] = {
    {"NONE", Value(DepthTestMode::NONE)},
    {"READ_ONLY", Value(DepthTestMode::READ_ONLY)},
    {"WRITE_ONLY", Value(DepthTestMode::WRITE_ONLY)},
    {"READ_AND_WRITE", Value(DepthTestMode::READ_AND_WRITE)},
    {nullptr, 0},
};

constexpr EnumTable::Row DepthSortModeRows[] = {
    {"NONE", Value(DepthSortMode::NONE)},
    {"WORLD_Z", Value(DepthSortMode::WORLD_Z)},
    {"DISTANCE", Value(DepthSortMode::DISTANCE)},
    {nullptr, 0},
};

constexpr EnumTable::Row LightingSidesRows[] = {
    {"ONE_SIDED", Value(LightingSides::ONE_SIDED)},
    {"TWO_SIDED", Value(LightingSides::TWO_SIDED)},
    {nullptr, 2},
};

constexpr EnumTable::Row MaterialColorRows[] = {
    {"AMBIENT", Value(MaterialColor::AMBIENT)},
    {"DIFFUSE", Value(MaterialColor::DIFFUSE)},
    {"SPECULAR", Value(MaterialColor::SPECULAR)},
    {"EMISSIVE", Value(MaterialColor::EMISSIVE)},
    {nullptr, 4},
};

constexpr EnumTable::Row ProjectionTypeRows[] = {
    {"PERSPECTIVE", Value(ProjectionType::PERSPECTIVE)},
    {"ORTHOGONAL", Value(ProjectionType::ORTHOGONAL)},
    {nullptr, 2},
};

// Layout

constexpr EnumTable::Row HorizontalAlignmentRows[] = {
    {"LEFT", Value(HorizontalAlignment::LEFT)},
    {"CENTER", Value(HorizontalAlignment::CENTER)},
    {"RIGHT", Value(HorizontalAlignment::RIGHT)},
    {nullptr, 3},
};

constexpr EnumTable::Row VerticalAlignmentRows[] = {
    {"TOP", Value(VerticalAlignment::TOP)},
    {"CENTER", Value(VerticalAlignment::CENTER)},
    {"BOTTOM", Value(VerticalAlignment::BOTTOM)},
    {nullptr, 3},
};

constexpr EnumTable::Row TextAlignmentXRows[] = {
    {"LEFT", Value(TextAlignmentX::LEFT)},
    {"CENTER", Value(TextAlignmentX::CENTER)},
    {"RIGHT", Value(TextAlignmentX::RIGHT)},
    {nullptr, 3},
};

constexpr EnumTable::Row TextAlignmentYRows[] = {
    {"TOP", Value(TextAlignmentY::TOP)},
    {"CENTER", Value(TextAlignmentY::CENTER)},
    {"BOTTOM", Value(TextAlignmentY::BOTTOM)},
    {"BASE_LINE", Value(TextAlignmentY::BASE_LINE)},
    {nullptr, 4},
};

constexpr EnumTable::Row AxisRows[] = {
    {"X", Value(Axis::X)},
    {"Y", Value(Axis::Y)},
    {"Z", Value(Axis::Z)},
    {nullptr, 3},
};

// Animation

constexpr EnumTable::Row InterpolationTypeRows[] = {
    {"CONSTANT", Value(InterpolationType::CONSTANT)},
    {"LINEAR", Value(InterpolationType::LINEAR)},
    {"EASE_IN", Value(InterpolationType::EASE_IN)},
    {"EASE_OUT", Value(InterpolationType::EASE_OUT)},
    {"EASE_IN_OUT", Value(InterpolationType::EASE_IN_OUT)},
    {"EASE_OUT_IN", Value(InterpolationType::EASE_OUT_IN)},
    {"HERMITE_EASE_IN", Value(InterpolationType::HERMITE_EASE_IN)},
    {"HERMITE_EASE_OUT", Value(InterpolationType::HERMITE_EASE_OUT)},
    {"HERMITE_EASE_IN_OUT", Value(InterpolationType::HERMITE_EASE_IN_OUT)},
    {"HERMITE_EASE_OUT_IN", Value(InterpolationType::HERMITE_EASE_OUT_IN)},
    {nullptr, 10},
};

// Audio

constexpr EnumTable::Row SoundFormatRows[] = {
    {"MONO_8_BIT", Value(SoundFormat::MONO_8_BIT)},
    {"MONO_16_BIT", Value(SoundFormat::MONO_16_BIT)},
    {"STEREO_8_BIT", Value(SoundFormat::STEREO_8_BIT)},
    {"STEREO_16_BIT", Value(SoundFormat::STEREO_16_BIT)},
    {nullptr, 5},
};

constexpr EnumTable::Row AudioCodecRows[] = {
    {"NONE", Value(AudioCodec::NONE)},
    {"VORBIS", Value(AudioCodec::VORBIS)},
    {nullptr, 3},
};

constexpr EnumTable::Row DistanceModelRows[] = {
    {"INVERSE", Value(DistanceModel::INVERSE)},
    {"INVERSE_CLAMPED", Value(DistanceModel::INVERSE_CLAMPED)},
    {"LINEAR", Value(DistanceModel::LINEAR)},
    {"LINEAR_CLAMPED", Value(DistanceModel::LINEAR_CLAMPED)},
    {"EXPONENT", Value(DistanceModel::EXPONENT)},
    {"EXPONENT_CLAMPED", Value(DistanceModel::EXPONENT_CLAMPED)},
    {nullptr, 6},
};

// Physics shapes and forces

constexpr EnumTable::Row GeometryShapeRows[] = {
    {"POINT", Value(GeometryShape::POINT)},
    {"SPHERE", Value(GeometryShape::SPHERE)},
    {"PLANE", Value(GeometryShape::PLANE)},
    {"CUBE", Value(GeometryShape::CUBE)},
    {"MESH", Value(GeometryShape::MESH)},
    {nullptr, 5},
};

constexpr EnumTable::Row ForceModeRows[] = {
    {"ACCELERATION", Value(ForceMode::ACCELERATION)},
    {"FORCE", Value(ForceMode::FORCE)},
    {nullptr, 2},
};

constexpr EnumTable::Row CollisionShapeRows[] = {
    {"PLANE", Value(CollisionShape::PLANE)},
    {"SPHERE", Value(CollisionShape::SPHERE)},
    {nullptr, 2},
};

// Input

constexpr EnumTable::Row AreaShapeRows[] = {
    {"RECTANGLE", Value(AreaShape::RECTANGLE)},
    {"ELLIPSE", Value(AreaShape::ELLIPSE)},
    {nullptr, 2},
};

constexpr EnumTable::Row MouseButtonRows[] = {
    {"LEFT", Value(MouseButton::LEFT)},
    {"RIGHT", Value(MouseButton::RIGHT)},
    {"MIDDLE", Value(MouseButton::MIDDLE)},
    {"NEXT", Value(MouseButton::NEXT)},
    {"PREV", Value(MouseButton::PREV)},
    {nullptr, 5},
};

// One table per row array, made on first use so that a reader running in another unit's start-up
// code never meets an unbuilt table.
template <const EnumTable::Row* Rows>
const EnumTable& TableOf()
{
    static const EnumTable table(Rows);
    return table;
}

} // namespace

const EnumTable& GetLanguageTable() { return TableOf<LanguageRows>(); }
const EnumTable& GetDeviceClassTable() { return TableOf<DeviceClassRows>(); }
const EnumTable& GetDeviceModelTable() { return TableOf<DeviceModelRows>(); }
const EnumTable& GetOperatingSystemTable() { return TableOf<OperatingSystemRows>(); }
const EnumTable& GetGpuModelTable() { return TableOf<GpuModelRows>(); }
const EnumTable& GetScreenClassTable() { return TableOf<ScreenClassRows>(); }
const EnumTable& GetVideoApiTable() { return TableOf<VideoApiRows>(); }
const EnumTable& GetAudioApiTable() { return TableOf<AudioApiRows>(); }
const EnumTable& GetOrientationFlagsTable() { return TableOf<OrientationFlagsRows>(); }
const EnumTable& GetOrientationMaskTable() { return TableOf<OrientationMaskRows>(); }
const EnumTable& GetScreenOrientationTable() { return TableOf<ScreenOrientationRows>(); }
const EnumTable& GetScreenOrientationMaskTable() { return TableOf<ScreenOrientationMaskRows>(); }
const EnumTable& GetAppRunStateTable() { return TableOf<AppRunStateRows>(); }
const EnumTable& GetMemoryObjectTypeTable() { return TableOf<MemoryObjectTypeRows>(); }
const EnumTable& GetMemoryObjectMaskTable() { return TableOf<MemoryObjectMaskRows>(); }
const EnumTable& GetFileCategoryTable() { return TableOf<FileCategoryRows>(); }
const EnumTable& GetFileAccessModeTable() { return TableOf<FileAccessModeRows>(); }
const EnumTable& GetColorBufferFormatTable() { return TableOf<ColorBufferFormatRows>(); }
const EnumTable& GetAlphaBufferFormatTable() { return TableOf<AlphaBufferFormatRows>(); }
const EnumTable& GetPixelFormatTable() { return TableOf<PixelFormatRows>(); }
const EnumTable& GetImageFormatTable() { return TableOf<ImageFormatRows>(); }
const EnumTable& GetDepthBufferFormatTable() { return TableOf<DepthBufferFormatRows>(); }
const EnumTable& GetTextureWrapModeTable() { return TableOf<TextureWrapModeRows>(); }
const EnumTable& GetTextureFilterTable() { return TableOf<TextureFilterRows>(); }
const EnumTable& GetIndexFormatTable() { return TableOf<IndexFormatRows>(); }
const EnumTable& GetVertexAttributeTable() { return TableOf<VertexAttributeRows>(); }
const EnumTable& GetAttributeTypeTable() { return TableOf<AttributeTypeRows>(); }
const EnumTable& GetShaderVariableTable() { return TableOf<ShaderVariableRows>(); }
const EnumTable& GetShaderUniformTypeTable() { return TableOf<ShaderUniformTypeRows>(); }
const EnumTable& GetPrimitiveTypeTable() { return TableOf<PrimitiveTypeRows>(); }
const EnumTable& GetBufferAccessModeTable() { return TableOf<BufferAccessModeRows>(); }
const EnumTable& GetBufferUsageTable() { return TableOf<BufferUsageRows>(); }
const EnumTable& GetCullModeTable() { return TableOf<CullModeRows>(); }
const EnumTable& GetAlphaModeTable() { return TableOf<AlphaModeRows>(); }
const EnumTable& GetBlendEquationTable() { return TableOf<BlendEquationRows>(); }
const EnumTable& GetBlendFactorTable() { return TableOf<BlendFactorRows>(); }
const EnumTable& GetDepthTestModeTable() { return TableOf<DepthTestModeRows>(); }
const EnumTable& GetDepthSortModeTable() { return TableOf<DepthSortModeRows>(); }
const EnumTable& GetLightingSidesTable() { return TableOf<LightingSidesRows>(); }
const EnumTable& GetMaterialColorTable() { return TableOf<MaterialColorRows>(); }
const EnumTable& GetProjectionTypeTable() { return TableOf<ProjectionTypeRows>(); }
const EnumTable& GetHorizontalAlignmentTable() { return TableOf<HorizontalAlignmentRows>(); }
const EnumTable& GetVerticalAlignmentTable() { return TableOf<VerticalAlignmentRows>(); }
const EnumTable& GetTextAlignmentXTable() { return TableOf<TextAlignmentXRows>(); }
const EnumTable& GetTextAlignmentYTable() { return TableOf<TextAlignmentYRows>(); }
const EnumTable& GetAxisTable() { return TableOf<AxisRows>(); }
const EnumTable& GetInterpolationTypeTable() { return TableOf<InterpolationTypeRows>(); }
const EnumTable& GetSoundFormatTable() { return TableOf<SoundFormatRows>(); }
const EnumTable& GetAudioCodecTable() { return TableOf<AudioCodecRows>(); }
const EnumTable& GetDistanceModelTable() { return TableOf<DistanceModelRows>(); }
const EnumTable& GetGeometryShapeTable() { return TableOf<GeometryShapeRows>(); }
const EnumTable& GetForceModeTable() { return TableOf<ForceModeRows>(); }
const EnumTable& GetCollisionShapeTable() { return TableOf<CollisionShapeRows>(); }
const EnumTable& GetAreaShapeTable() { return TableOf<AreaShapeRows>(); }
const EnumTable& GetMouseButtonTable() { return TableOf<MouseButtonRows>(); }

namespace {

// Every table, in the order above: each mask table comes right after its base table.
constexpr const EnumTable& (*AllTables[])() = {
    &GetLanguageTable,
    &GetDeviceClassTable,
    &GetDeviceModelTable,
    &GetOperatingSystemTable,
    &GetGpuModelTable,
    &GetScreenClassTable,
    &GetVideoApiTable,
    &GetAudioApiTable,
    &GetOrientationFlagsTable,
    &GetOrientationMaskTable,
    &GetScreenOrientationTable,
    &GetScreenOrientationMaskTable,
    &GetAppRunStateTable,
    &GetMemoryObjectTypeTable,
    &GetMemoryObjectMaskTable,
    &GetFileCategoryTable,
    &GetFileAccessModeTable,
    &GetColorBufferFormatTable,
    &GetAlphaBufferFormatTable,
    &GetPixelFormatTable,
    &GetImageFormatTable,
    &GetDepthBufferFormatTable,
    &GetTextureWrapModeTable,
    &GetTextureFilterTable,
    &GetIndexFormatTable,
    &GetVertexAttributeTable,
    &GetAttributeTypeTable,
    &GetShaderVariableTable,
    &GetShaderUniformTypeTable,
    &GetPrimitiveTypeTable,
    &GetBufferAccessModeTable,
    &GetBufferUsageTable,
    &GetCullModeTable,
    &GetAlphaModeTable,
    &GetBlendEquationTable,
    &GetBlendFactorTable,
    &GetDepthTestModeTable,
    &GetDepthSortModeTable,
    &GetLightingSidesTable,
    &GetMaterialColorTable,
    &GetProjectionTypeTable,
    &GetHorizontalAlignmentTable,
    &GetVerticalAlignmentTable,
    &GetTextAlignmentXTable,
    &GetTextAlignmentYTable,
    &GetAxisTable,
    &GetInterpolationTypeTable,
    &GetSoundFormatTable,
    &GetAudioCodecTable,
    &GetDistanceModelTable,
    &GetGeometryShapeTable,
    &GetForceModeTable,
    &GetCollisionShapeTable,
    &GetAreaShapeTable,
    &GetMouseButtonTable,
};

// Builds every table on the start-up thread before the program's entry function runs; nothing
// changes them afterwards.
const struct BuildAllTables
{
    BuildAllTables()
    {
        for (const EnumTable& (*table)() : AllTables)
            table();
    }
} buildAllTables;

} // namespace

} // namespace Enums
} // namespace Vorn
