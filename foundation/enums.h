// The engine's closed sets of values, and one name table per enumeration. Data files and package
// descriptions store these values by name; graph nodes, resource readers and package conditions
// turn the names into values through the tables (foundation/enum_table.h).
#pragma once

#include <type_traits>

#include "foundation/types.h"

namespace Vorn {

class EnumTable;

namespace Enums {

// The number behind a value, as tables, files and condition words hold it.
template <typename E>
    requires std::is_enum_v<E>
constexpr UInt32 Value(E value)
{
    return static_cast<UInt32>(value);
}

// Platform and device facts. The four platform families (DeviceClass, DeviceModel,
// OperatingSystem, GpuModel) number a value family * 256 + member; member 0 names the whole family,
// and the configuration matches such a value against every member of it.

enum class Language : UInt32
{
    DEFAULT = 0,
    ENGLISH = 1,
    GERMAN = 2,
    FRENCH = 3,
    SPANISH = 4,
    ITALIAN = 5,
    CHINESE = 6,
    KOREAN = 7,
    JAPANESE = 8,
};

enum class DeviceClass : UInt32
{
    DEFAULT = 0,
    COMPUTER = 0x100,
    COMPUTER_DESKTOP = 0x101,
    COMPUTER_LAPTOP = 0x102,
    COMPUTER_NETBOOK = 0x103,
    HANDHELD = 0x200,
    HANDHELD_TABLET = 0x201,
    HANDHELD_SMARTPHONE = 0x202,
    HANDHELD_MUSIC_PLAYER = 0x203,
};

enum class DeviceModel : UInt32
{
    DEFAULT = 0,
    DESKTOP = 0x100,
    DESKTOP_GENERIC = 0x101,
    DESKTOP_IMAC = 0x102,
    DESKTOP_MAC_PRO = 0x103,
    LAPTOP = 0x200,
    LAPTOP_GENERIC = 0x201,
    LAPTOP_MACBOOK = 0x202,
    LAPTOP_MACBOOK_PRO = 0x203,
    IPHONE = 0x300,
    IPHONE_1 = 0x301,
    IPHONE_3G = 0x302,
    IPHONE_3GS = 0x303,
    IPHONE_4 = 0x304,
    IPHONE_4S = 0x305,
    IPHONE_5 = 0x306,
    IPAD = 0x400,
    IPAD_1 = 0x401,
    IPAD_2 = 0x402,
    IPAD_3 = 0x403,
    IPOD = 0x500,
    IPOD_1G = 0x501,
    IPOD_2G = 0x502,
    IPOD_3G = 0x503,
    IPOD_4G = 0x504,
    GALAXY_PHONE = 0x600,
    GALAXY_PHONE_S = 0x601,
    GALAXY_PHONE_ACE = 0x602,
    GALAXY_TAB = 0x700,
    GALAXY_TAB_V1 = 0x701,
    GALAXY_TAB_10_1 = 0x702,
};

enum class OperatingSystem : UInt32
{
    DEFAULT = 0,
    OSX = 0x100,
    OSX_10_5 = 0x101,
    OSX_10_6 = 0x102,
    OSX_10_7 = 0x103,
    OSX_10_8 = 0x104,
    IOS = 0x200,
    IOS_3_2 = 0x203,
    IOS_4_0 = 0x204,
    IOS_4_1 = 0x205,
    IOS_4_2 = 0x206,
    IOS_4_3 = 0x207,
    IOS_5_0 = 0x208,
    IOS_5_1 = 0x209,
    IOS_5_2 = 0x20A,
    IOS_5_3 = 0x20B,
    WINDOWS = 0x300,
    WINDOWS_XP = 0x301,
    WINDOWS_VISTA = 0x302,
    WINDOWS_7 = 0x303,
    WINDOWS_8 = 0x304,
    ANDROID = 0x400,
    ANDROID_API_5 = 0x401,
    ANDROID_API_6 = 0x402,
    ANDROID_API_7 = 0x403,
    ANDROID_API_8 = 0x404,
    ANDROID_API_9 = 0x405,
    ANDROID_API_10 = 0x406,
    ANDROID_API_11 = 0x407,
    ANDROID_API_12 = 0x408,
    ANDROID_API_13 = 0x409,
    ANDROID_API_14 = 0x40A,
    ANDROID_API_15 = 0x40B,
    ANDROID_API_16 = 0x40C,
    ANDROID_API_17 = 0x40D,
    ANDROID_API_18 = 0x40E,
    ANDROID_API_19 = 0x40F,
    ANDROID_API_20 = 0x410,
    HP_WEB_OS = 0x500,
    RIM_TABLET_OS = 0x600,
};

enum class GpuModel : UInt32
{
    DEFAULT = 0,
    GENERIC = 0x100,
    POWERVR = 0x200,
    POWERVR_MBX = 0x201,
    POWERVR_SGX = 0x202,
    ADRENO = 0x300,
    ADRENO_1 = 0x301, // its name is "ADRENO" too, so the name always reads as the family
    TEGRA2 = 0x400,
    GEFORCE = 0x500,
    RADEON = 0x600,
};

enum class ScreenClass : UInt32
{
    DEFAULT = 0,
    SMALL = 1,
    MEDIUM = 2,
    LARGE = 3,
    XLARGE = 4,
};

enum class VideoApi : UInt32
{
    DEFAULT = 0,
    GLES11 = 1,
    GLES20 = 2,
    DX9 = 3,
    DX11 = 4,
};

enum class AudioApi : UInt32
{
    DEFAULT = 0,
    DUMMY = 1,
    AL11 = 2,
    SLES10 = 3,
    DX11 = 4,
};

// Bits of a view's orientation; the table lists ROTATE_CCW before FLIP.
enum class OrientationFlags : UInt32
{
    DEFAULT = 0,
    NORMAL = 1,
    ROTATE_CW = 2,
    ROTATE_CCW = 8,
    FLIP = 4,
};

// Unions of OrientationFlags.
enum class OrientationMask : UInt32
{
    ALL = 15,
};

// Bits of the screen orientations an application supports.
enum class ScreenOrientation : UInt32
{
    DEFAULT = 0,
    PORTRAIT_1 = 1,
    LANDSCAPE_1 = 2,
    PORTRAIT_2 = 4,
    LANDSCAPE_2 = 8,
};

// Unions of ScreenOrientation.
enum class ScreenOrientationMask : UInt32
{
    PORTRAIT = 5,
    LANDSCAPE = 10,
    ALL = 15,
};

enum class AppRunState : UInt32
{
    DEFAULT = 0,
    RUNNING = 1,
    PAUSED = 2,
    SUSPENDED = 3,
};

// Bits naming kinds of memory objects; ALL is every bit.
enum class MemoryObjectType : UInt32
{
    NONE = 0,
    DISPLAY_FRAME_BUFFER = 0x1,
    AUDIO_BUFFER = 0x100,
    AUDIO_PLAYABLE = 0x200,
    OTHER = 0x80000000,
    ALL = 0xFFFFFFFF,
};

// Unions of MemoryObjectType.
enum class MemoryObjectMask : UInt32
{
    NONE = 0,
    ALL = 0xFFFFFFFF,
};

// Files

enum class FileCategory : UInt32
{
    ROOT = 0,
    APPLICATION = 1,
    CURRENT = 2,
    RESOURCE = 3,
    SHARED = 4,
    PRIVATE = 5,
    CACHE = 6,
    TEMPORARY = 7,
};

enum class FileAccessMode : UInt32
{
    READ_ONLY = 0,
    WRITE_ONLY = 1,
    READ_AND_WRITE = 2,
    APPEND_ONLY = 3,
    READ_AND_APPEND = 4,
};

// Display formats, buffers and shaders

enum class ColorBufferFormat : UInt32
{
    DEFAULT = 0,
    R8_G8_B8 = 1,
    R5_G6_B5 = 2,
};

enum class AlphaBufferFormat : UInt32
{
    DEFAULT = 0,
    R8_G8_B8_A8 = 1,
    R5_G5_B5_A1 = 2,
    R4_G4_B4_A4 = 3,
};

enum class PixelFormat : UInt32
{
    L8 = 1,
    A8 = 2,
    L8_A8 = 3,
    R8_G8_B8 = 4,
    R5_G6_B5 = 5,
    R8_G8_B8_A8 = 6,
    R5_G5_B5_A1 = 7,
    R4_G4_B4_A4 = 8,
    RGB_PVRTC_4BPPV1 = 9,
    RGB_PVRTC_2BPPV1 = 10,
    RGBA_PVRTC_4BPPV1 = 11,
    RGBA_PVRTC_2BPPV1 = 12,
};

enum class ImageFormat : UInt32
{
    NONE = 1,
    JPG = 2,
    PNG = 3,
};

enum class DepthBufferFormat : UInt32
{
    NONE = 1,
    GENERIC = 2,
    BITS_16 = 3, // named "16_BIT", "24_BIT" and "32_BIT"
    BITS_24 = 4,
    BITS_32 = 5,
};

enum class TextureWrapMode : UInt32
{
    CLAMP_TO_EDGE = 1,
    REPEAT = 2,
    MIRRORED_REPEAT = 3,
};

enum class TextureFilter : UInt32
{
    NONE = 1,
    NEAREST = 2,
    LINEAR = 3,
};

enum class IndexFormat : UInt32
{
    UNDEFINED = 0,
    UINT8 = 1,
    UINT16 = 2,
};

enum class VertexAttribute : UInt32
{
    COORD = 0,
    NORMAL = 1,
    BINORMAL = 2,
    TANGENT = 3,
    COLOR = 4,
    TEXCOORD_0 = 5,
    TEXCOORD_1 = 6,
    TEXCOORD_2 = 7,
    TEXCOORD_3 = 8,
    CUSTOM_0 = 9,
    CUSTOM_1 = 10,
    CUSTOM_2 = 11,
    CUSTOM_3 = 12,
};

// Vertex attribute types; their sizes are in foundation/format_size.h.
enum class AttributeType : UInt32
{
    UNDEFINED = 0,
    FLOAT = 1,
    FLOAT_VECTOR_2 = 2,
    FLOAT_VECTOR_3 = 3,
    FLOAT_VECTOR_4 = 4,
    UINT8 = 5,
    UINT8_VECTOR_2 = 6,
    UINT8_VECTOR_3 = 7,
    UINT8_VECTOR_4 = 8,
    SINT8 = 9,
    SINT8_VECTOR_2 = 10,
    SINT8_VECTOR_3 = 11,
    SINT8_VECTOR_4 = 12,
    UINT16 = 13,
    UINT16_VECTOR_2 = 14,
    UINT16_VECTOR_3 = 15,
    UINT16_VECTOR_4 = 16,
    SINT16 = 17,
    SINT16_VECTOR_2 = 18,
    SINT16_VECTOR_3 = 19,
    SINT16_VECTOR_4 = 20,
};

// No value is named 5 or 10.
enum class ShaderVariable : UInt32
{
    MODEL_MATRIX = 0,
    CAMERA_VIEW_MATRIX = 1,
    CAMERA_PROJECTION_MATRIX = 2,
    CAMERA_VIEW_PROJECTION_MATRIX = 3,
    CAMERA_POSITION = 4,
    LIGHT_VIEW_MATRIX = 6,
    LIGHT_PROJECTION_MATRIX = 7,
    LIGHT_VIEW_PROJECTION_MATRIX = 8,
    LIGHT_POSITION = 9,
    SAMPLER_0 = 11,
    SAMPLER_1 = 12,
    SAMPLER_2 = 13,
    SAMPLER_3 = 14,
    SAMPLER_4 = 15,
    SAMPLER_5 = 16,
    SAMPLER_6 = 17,
    SAMPLER_7 = 18,
    CUSTOM_0 = 19,
    CUSTOM_1 = 20,
    CUSTOM_2 = 21,
    CUSTOM_3 = 22,
    CUSTOM_4 = 23,
    CUSTOM_5 = 24,
    CUSTOM_6 = 25,
    CUSTOM_7 = 26,
    BONE_MATRIX_0 = 27,
    BONE_MATRIX_1 = 28,
    BONE_MATRIX_2 = 29,
    BONE_MATRIX_3 = 30,
    BONE_MATRIX_4 = 31,
    BONE_MATRIX_5 = 32,
    BONE_MATRIX_6 = 33,
    BONE_MATRIX_7 = 34,
    BONE_MATRIX_8 = 35,
    BONE_MATRIX_9 = 36,
    BONE_MATRIX_10 = 37,
    BONE_MATRIX_11 = 38,
    BONE_MATRIX_12 = 39,
    BONE_MATRIX_13 = 40,
    BONE_MATRIX_14 = 41,
    BONE_MATRIX_15 = 42,
    BONE_MATRIX_16 = 43,
    BONE_MATRIX_17 = 44,
    BONE_MATRIX_18 = 45,
    BONE_MATRIX_19 = 46,
    BONE_MATRIX_20 = 47,
    BONE_MATRIX_21 = 48,
    BONE_MATRIX_22 = 49,
    BONE_MATRIX_23 = 50,
};

enum class ShaderUniformType : UInt32
{
    UNDEFINED = 0,
    INT = 1,
    INT_VECTOR_2 = 2,
    INT_VECTOR_3 = 3,
    INT_VECTOR_4 = 4,
    INT_MATRIX_2 = 5,
    INT_MATRIX_3 = 6,
    INT_MATRIX_4 = 7,
    FLOAT = 8,
    FLOAT_VECTOR_2 = 9,
    FLOAT_VECTOR_3 = 10,
    FLOAT_VECTOR_4 = 11,
    FLOAT_MATRIX_2 = 12,
    FLOAT_MATRIX_3 = 13,
    FLOAT_MATRIX_4 = 14,
};

enum class PrimitiveType : UInt32
{
    UNDEFINED = 0,
    POINTS = 1,
    LINE_STRIP = 2,
    LINE_LOOP = 3,
    LINES = 4,
    TRIANGLE_STRIP = 5,
    TRIANGLE_FAN = 6,
    TRIANGLES = 7,
};

enum class BufferAccessMode : UInt32
{
    READ_ONLY = 0,
    READ_AND_WRITE = 1,
};

enum class BufferUsage : UInt32
{
    STATIC = 0,
    STREAM = 1,
};

// Render state. The tables of CullMode, AlphaMode, BlendEquation, BlendFactor, DepthTestMode and
// DepthSortMode fall back on 0, which no value names.

enum class CullMode : UInt32
{
    NONE = 1,
    FRONT_ONLY = 2,
    BACK_ONLY = 3,
    FRONT_AND_BACK = 4,
};

enum class AlphaMode : UInt32
{
    NONE = 1,
    ALPHA = 2,
};

enum class BlendEquation : UInt32
{
    ADD = 1,
    SUBTRACT = 2,
    REVERSE_SUBTRACT = 3,
};

enum class BlendFactor : UInt32
{
    ZERO = 1,
    ONE = 2,
    SRC_COLOR = 3,
    ONE_MINUS_SRC_COLOR = 4,
    DST_COLOR = 5,
    ONE_MINUS_DST_COLOR = 6,
    SRC_ALPHA = 7,
    ONE_MINUS_SRC_ALPHA = 8,
    DST_ALPHA = 9,
    ONE_MINUS_DST_ALPHA = 10,
    CONSTANT_COLOR = 11,
    ONE_MINUS_CONSTANT_COLOR = 12,
    CONSTANT_ALPHA = 13,
    ONE_MINUS_CONSTANT_ALPHA = 14,
    SRC_ALPHA_SATURATE = 15,
};

enum class DepthTestMode : UInt32
{
    NONE = 1,
    READ_ONLY = 2,
    WRITE_ONLY = 3,
    READ_AND_WRITE = 4,
};

enum class DepthSortMode : UInt32
{
    NONE = 1,
    WORLD_Z = 2,
    DISTANCE = 3,
};

enum class LightingSides : UInt32
{
    ONE_SIDED = 0,
    TWO_SIDED = 1,
};

enum class MaterialColor : UInt32
{
    AMBIENT = 0,
    DIFFUSE = 1,
    SPECULAR = 2,
    EMISSIVE = 3,
};

enum class ProjectionType : UInt32
{
    PERSPECTIVE = 0,
    ORTHOGONAL = 1,
};

// Layout

enum class HorizontalAlignment : UInt32
{
    LEFT = 0,
    CENTER = 1,
    RIGHT = 2,
};

enum class VerticalAlignment : UInt32
{
    TOP = 0,
    CENTER = 1,
    BOTTOM = 2,
};

enum class TextAlignmentX : UInt32
{
    LEFT = 0,
    CENTER = 1,
    RIGHT = 2,
};

enum class TextAlignmentY : UInt32
{
    TOP = 0,
    CENTER = 1,
    BOTTOM = 2,
    BASE_LINE = 3,
};

enum class Axis : UInt32
{
    X = 0,
    Y = 1,
    Z = 2,
};

// Animation

enum class InterpolationType : UInt32
{
    CONSTANT = 0,
    LINEAR = 1,
    EASE_IN = 2,
    EASE_OUT = 3,
    EASE_IN_OUT = 4,
    EASE_OUT_IN = 5,
    HERMITE_EASE_IN = 6,
    HERMITE_EASE_OUT = 7,
    HERMITE_EASE_IN_OUT = 8,
    HERMITE_EASE_OUT_IN = 9,
};

// Audio

enum class SoundFormat : UInt32
{
    MONO_8_BIT = 1,
    MONO_16_BIT = 2,
    STEREO_8_BIT = 3,
    STEREO_16_BIT = 4,
};

enum class AudioCodec : UInt32
{
    NONE = 1,
    VORBIS = 2,
};

enum class DistanceModel : UInt32
{
    INVERSE = 0,
    INVERSE_CLAMPED = 1,
    LINEAR = 2,
    LINEAR_CLAMPED = 3,
    EXPONENT = 4,
    EXPONENT_CLAMPED = 5,
};

// Physics shapes and forces

enum class GeometryShape : UInt32
{
    POINT = 0,
    SPHERE = 1,
    PLANE = 2,
    CUBE = 3,
    MESH = 4,
};

enum class ForceMode : UInt32
{
    ACCELERATION = 0,
    FORCE = 1,
};

enum class CollisionShape : UInt32
{
    PLANE = 0,
    SPHERE = 1,
};

// Input

enum class AreaShape : UInt32
{
    RECTANGLE = 0,
    ELLIPSE = 1,
};

enum class MouseButton : UInt32
{
    LEFT = 0,
    RIGHT = 1,
    MIDDLE = 2,
    NEXT = 3,
    PREV = 4,
};

// The name tables, one per enumeration above. All are built before the program's entry function
// runs and are only read afterwards, so any thread may use them without a lock.
const EnumTable& GetLanguageTable();
const EnumTable& GetDeviceClassTable();
const EnumTable& GetDeviceModelTable();
const EnumTable& GetOperatingSystemTable();
const EnumTable& GetGpuModelTable();
const EnumTable& GetScreenClassTable();
const EnumTable& GetVideoApiTable();
const EnumTable& GetAudioApiTable();
const EnumTable& GetOrientationFlagsTable();
const EnumTable& GetOrientationMaskTable();
const EnumTable& GetScreenOrientationTable();
const EnumTable& GetScreenOrientationMaskTable();
const EnumTable& GetAppRunStateTable();
const EnumTable& GetMemoryObjectTypeTable();
const EnumTable& GetMemoryObjectMaskTable();
const EnumTable& GetFileCategoryTable();
const EnumTable& GetFileAccessModeTable();
const EnumTable& GetColorBufferFormatTable();
const EnumTable& GetAlphaBufferFormatTable();
const EnumTable& GetPixelFormatTable();
const EnumTable& GetImageFormatTable();
const EnumTable& GetDepthBufferFormatTable();
const EnumTable& GetTextureWrapModeTable();
const EnumTable& GetTextureFilterTable();
const EnumTable& GetIndexFormatTable();
const EnumTable& GetVertexAttributeTable();
const EnumTable& GetAttributeTypeTable();
const EnumTable& GetShaderVariableTable();
const EnumTable& GetShaderUniformTypeTable();
const EnumTable& GetPrimitiveTypeTable();
const EnumTable& GetBufferAccessModeTable();
const EnumTable& GetBufferUsageTable();
const EnumTable& GetCullModeTable();
const EnumTable& GetAlphaModeTable();
const EnumTable& GetBlendEquationTable();
const EnumTable& GetBlendFactorTable();
const EnumTable& GetDepthTestModeTable();
const EnumTable& GetDepthSortModeTable();
const EnumTable& GetLightingSidesTable();
const EnumTable& GetMaterialColorTable();
const EnumTable& GetProjectionTypeTable();
const EnumTable& GetHorizontalAlignmentTable();
const EnumTable& GetVerticalAlignmentTable();
const EnumTable& GetTextAlignmentXTable();
const EnumTable& GetTextAlignmentYTable();
const EnumTable& GetAxisTable();
const EnumTable& GetInterpolationTypeTable();
const EnumTable& GetSoundFormatTable();
const EnumTable& GetAudioCodecTable();
const EnumTable& GetDistanceModelTable();
const EnumTable& GetGeometryShapeTable();
const EnumTable& GetForceModeTable();
const EnumTable& GetCollisionShapeTable();
const EnumTable& GetAreaShapeTable();
const EnumTable& GetMouseButtonTable();

} // namespace Enums
} // namespace Vorn
