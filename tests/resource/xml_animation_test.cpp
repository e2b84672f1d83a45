#include "resource/xml_animation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "resource/native_animation.h"
#include "tests/support/chunk_file_fixture.h"

using namespace Vorn;
using namespace Vorn::Resource;
using Testing::CreatorOutcome;
using Testing::ExactBytes;
using Testing::RunCreator;

namespace {

constexpr Float kPi = 3.14159265f;

CreatorOutcome Create(const std::string& text)
{
    ExactBytes bytes(text);
    return RunCreator(&XmlAnimation::Create, bytes, "anim");
}

std::string Document(const std::string& keys, const std::string& rootAttributes = "")
{
    return "<?xml version=\"1.0\"?>\n<Animation" + rootAttributes + ">\n" + keys + "</Animation>\n";
}

// The one rotation key of a document with the given attributes.
RotationKey ReadRotation(const std::string& attributes)
{
    CreatorOutcome result = Create(Document("<RotationKey " + attributes + "/>\n"));
    const Animation* animation = result.As<Animation>();
    EXPECT_NE(animation, nullptr) << attributes << ": " << result.log;
    if (animation == nullptr || animation->GetNumberOfRotationKeys() != 1)
        return RotationKey{};
    return animation->GetRotationKeys()[0];
}

} // namespace

TEST(XmlAnimationTest, ReadsEveryKeyKindWithDefaults)
{
    CreatorOutcome result = Create(Document("<VisibleKey time=\"0.5\" value=\"1\"/>\n"
                                          "<ActiveKey interpolation=\"LINEAR\"/>\n"
                                          "<IndexKey value=\"-3\"/>\n"
                                          "<AlphaKey value=\"0.25\" interpolation=\"EASE_IN\"/>\n"
                                          "<VolumeKey/>\n"
                                          "<TimeKey time=\"2\" value=\"7.5\"/>\n"
                                          "<AmbientColorKey color=\"0.1, 0.2, 0.3\"/>\n"
                                          "<DiffuseColorKey/>\n"
                                          "<SpecularColorKey color=\"0,0,0,0.5\"/>\n"
                                          "<EmissiveColorKey interpolation=\"NO_SUCH_CURVE\"/>\n"
                                          "<PositionKey posX=\"1\" posZ=\"-2\"/>\n"
                                          "<ScalingKey scaleY=\"3\"/>\n"
                                          "<RotationKey axisX=\"1\" angle=\"1.5r\" time=\"1\"/>\n",
                                          " startTime=\"1.5\" endTime=\"4\""));
    const Animation* animation = result.As<Animation>();
    ASSERT_NE(animation, nullptr) << result.log;
    EXPECT_TRUE(result.releaseData);
    EXPECT_FALSE(result.failed);
    EXPECT_EQ(result.log, "");
    EXPECT_FLOAT_EQ(animation->GetStartTime(), 1.5f);
    EXPECT_FLOAT_EQ(animation->GetEndTime(), 4.0f);
    EXPECT_FLOAT_EQ(animation->GetDuration(), 2.5f);
    // The document is not kept: the package may release it.
    EXPECT_EQ(animation->GetData(), nullptr);

    for (UInt32 i = 0; i < kNumberOfAnimationKeyKinds; ++i)
        EXPECT_EQ(animation->GetNumberOfKeys(AnimationKeyKind(i)), 1u) << i;

    const FlagKey& visible = animation->GetVisibleKeys()[0];
    EXPECT_FLOAT_EQ(visible.time, 0.5f);
    EXPECT_EQ(visible.interpolation, 0u); // CONSTANT by default
    EXPECT_EQ(visible.value, 1);
    EXPECT_EQ(animation->GetActiveKeys()[0].interpolation, 1u);
    EXPECT_EQ(animation->GetIndexKeys()[0].interpolation, 1u); // LINEAR by default
    EXPECT_EQ(animation->GetIndexKeys()[0].value, -3);
    EXPECT_EQ(animation->GetAlphaKeys()[0].interpolation, 2u);
    EXPECT_FLOAT_EQ(animation->GetAlphaKeys()[0].value, 0.25f);
    EXPECT_FLOAT_EQ(animation->GetVolumeKeys()[0].value, 0.0f);
    EXPECT_FLOAT_EQ(animation->GetTimeKeys()[0].time, 2.0f);
    EXPECT_FLOAT_EQ(animation->GetTimeKeys()[0].value, 7.5f);

    const Color& ambient = animation->GetAmbientColorKeys()[0].value;
    EXPECT_FLOAT_EQ(ambient.blue, 0.3f);
    EXPECT_FLOAT_EQ(ambient.alpha, 1.0f);
    const Color& diffuse = animation->GetDiffuseColorKeys()[0].value;
    EXPECT_EQ(std::vector<Float>({diffuse.red, diffuse.green, diffuse.blue, diffuse.alpha}),
              std::vector<Float>({1.0f, 1.0f, 1.0f, 1.0f}));
    EXPECT_FLOAT_EQ(animation->GetSpecularColorKeys()[0].value.alpha, 0.5f);
    // An unknown curve name gives the table's value for unknown names.
    EXPECT_EQ(animation->GetEmissiveColorKeys()[0].interpolation, 10u);

    const PositionKey& position = animation->GetPositionKeys()[0];
    EXPECT_EQ(std::vector<Float>({position.x, position.y, position.z}), std::vector<Float>({1.0f, 0.0f, -2.0f}));
    const ScalingKey& scaling = animation->GetScalingKeys()[0];
    EXPECT_EQ(std::vector<Float>({scaling.x, scaling.y, scaling.z}), std::vector<Float>({1.0f, 3.0f, 1.0f}));
    const RotationKey& rotation = animation->GetRotationKeys()[0];
    EXPECT_EQ(std::vector<Float>({rotation.x, rotation.y, rotation.z}), std::vector<Float>({1.0f, 0.0f, 0.0f}));
    EXPECT_FLOAT_EQ(rotation.angle, 1.5f);
    EXPECT_FLOAT_EQ(rotation.time, 1.0f);
}

TEST(XmlAnimationTest, KeysKeepDocumentOrder)
{
    CreatorOutcome result = Create(Document("<AlphaKey time=\"2\" value=\"1\"/>\n"
                                          "<PositionKey/>\n"
                                          "<AlphaKey time=\"1\" value=\"2\"/>\n"
                                          "<AlphaKey time=\"3\" value=\"3\"/>\n"));
    const Animation* animation = result.As<Animation>();
    ASSERT_NE(animation, nullptr);
    ASSERT_EQ(animation->GetNumberOfAlphaKeys(), 3u);
    const AlphaKey* keys = animation->GetAlphaKeys();
    EXPECT_FLOAT_EQ(keys[0].time, 2.0f);
    EXPECT_FLOAT_EQ(keys[1].time, 1.0f);
    EXPECT_FLOAT_EQ(keys[2].value, 3.0f);
    EXPECT_EQ(animation->GetNumberOfPositionKeys(), 1u);
    EXPECT_EQ(animation->GetNumberOfVisibleKeys(), 0u);
}

TEST(XmlAnimationTest, RotationKeysStoreUnitAxisAndAngle)
{
    struct Case
    {
        const char* attributes;
        Float x, y, z, angle;
    };
    const Case cases[] = {
        {"angle=\"90d\"", 0.0f, 0.0f, -1.0f, kPi / 2},
        {"axisX=\"2\"", 1.0f, 0.0f, 0.0f, 0.0f},
        {"axisX=\"3\" axisY=\"4\" axisZ=\"0\" angle=\"1\"", 0.6f, 0.8f, 0.0f, 1.0f},
        {"quatR=\"0.7071\" quatK=\"0.7071\"", 0.0f, 0.0f, 1.0f, kPi / 2},
        {"quatR=\"0.7071\" quatI=\"-0.7071\"", -1.0f, 0.0f, 0.0f, kPi / 2},
        // A real part above 1 is brought to unit length first.
        {"quatR=\"1.5\" quatJ=\"0.5\"", 0.0f, 1.0f, 0.0f, 2 * std::acos(1.5f / std::sqrt(2.5f))},
        // ... and so is one below -1, instead of giving no angle at all.
        {"quatR=\"-1.5\" quatK=\"0.5\"", 0.0f, 0.0f, 1.0f, 2 * std::acos(-1.5f / std::sqrt(2.5f))},
        // The identity, however given, is no rotation about the default axis.
        {"quatR=\"1\"", 0.0f, 0.0f, -1.0f, 0.0f},
        {"quatR=\"-2\"", 0.0f, 0.0f, -1.0f, 0.0f},
        {"quatR=\"1.0000001\"", 0.0f, 0.0f, -1.0f, 0.0f},
        {"axisX=\"0\" axisY=\"0\" axisZ=\"0\" angle=\"1\"", 0.0f, 0.0f, -1.0f, 0.0f},
    };
    for (const Case& c : cases) {
        const RotationKey key = ReadRotation(c.attributes);
        EXPECT_NEAR(key.x, c.x, 1e-4) << c.attributes;
        EXPECT_NEAR(key.y, c.y, 1e-4) << c.attributes;
        EXPECT_NEAR(key.z, c.z, 1e-4) << c.attributes;
        EXPECT_NEAR(key.angle, c.angle, 1e-4) << c.attributes;
        EXPECT_EQ(key.interpolation, 1u) << c.attributes;
    }
}

TEST(XmlAnimationTest, RefusesRotationKeyWithBothForms)
{
    CreatorOutcome result = Create(Document("<RotationKey axisX=\"1\" quatR=\"1\"/>\n"));
    EXPECT_EQ(result.object, nullptr);
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.log.find("Resource::XmlAnimation::Parser::ParseQuaternionKey(): Quaternion key cannot have "
                              "both axis/angle and quaternion parameters\n"),
              0u)
        << result.log;
    EXPECT_NE(result.log.find("Resource::XmlAnimation::Create(): Failed, XML parse error line 3"), std::string::npos)
        << result.log;
}

TEST(XmlAnimationTest, RefusesBrokenAnimationDocuments)
{
    const std::string cases[] = {
        Document("<PositionKey><PositionKey/></PositionKey>\n"),
        Document("<UnknownKey/>\n"),
        Document("<AlphaKey time=\"soon\"/>\n"),
        Document("<AmbientColorKey color=\"1, 2\"/>\n"),
        Document("<IndexKey value=\"{missing}\"/>\n"),
        Document("", " startTime=\"x\""),
        "<Animation><AlphaKey/>", // cut off
    };
    for (const std::string& text : cases) {
        CreatorOutcome result = Create(text);
        EXPECT_EQ(result.object, nullptr) << text;
        EXPECT_TRUE(result.failed) << text;
        EXPECT_TRUE(result.releaseData) << text;
        EXPECT_NE(result.log.find("Resource::XmlAnimation::Create(): Failed, XML parse error"), std::string::npos)
            << text << ": " << result.log;
    }
}

TEST(XmlAnimationTest, DeclinesOtherDocumentsSilently)
{
    const std::string cases[] = {
        "",
        "<Graph><Node/></Graph>",
        "not xml at all",
        std::string("VORN\x04\0\0\0ANIM", 12),
        "<!-- nothing -->",
    };
    for (const std::string& text : cases) {
        CreatorOutcome result = Create(text);
        EXPECT_EQ(result.object, nullptr) << text;
        EXPECT_FALSE(result.failed) << text;
        EXPECT_EQ(result.log, "") << text;
    }
}

TEST(XmlAnimationTest, WritesNativeFormThatReadsBackEqual)
{
    CreatorOutcome xml = Create(Document("<VisibleKey value=\"1\"/>\n"
                                       "<VisibleKey time=\"1\"/>\n"
                                       "<EmissiveColorKey color=\"0.5,0.5,0.5\" time=\"0.25\"/>\n"
                                       "<ScalingKey scaleX=\"2\" interpolation=\"HERMITE_EASE_OUT_IN\"/>\n"
                                       "<RotationKey quatR=\"0.7071\" quatK=\"0.7071\"/>\n",
                                       " startTime=\"-1\" endTime=\"2\""));
    const Animation* source = xml.As<Animation>();
    ASSERT_NE(source, nullptr);
    Data data;
    ASSERT_TRUE(source->GetNativeData(data));

    Bool releaseData = true;
    Bool failed = false;
    std::unique_ptr<IObject> object(
        NativeAnimation::Create(nullptr, "anim", data.GetData(), data.GetSize(), nullptr, 0, &releaseData, &failed));
    const Animation* copy = dynamic_cast<const Animation*>(object.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(releaseData);
    EXPECT_EQ(copy->GetStartTime(), source->GetStartTime());
    EXPECT_EQ(copy->GetEndTime(), source->GetEndTime());
    for (UInt32 i = 0; i < kNumberOfAnimationKeyKinds; ++i) {
        const AnimationKeyKind kind = AnimationKeyKind(i);
        ASSERT_EQ(copy->GetNumberOfKeys(kind), source->GetNumberOfKeys(kind)) << i;
        if (source->GetNumberOfKeys(kind) == 0)
            continue;
        const size_t bytes = source->GetNumberOfKeys(kind) * GetAnimationKeyKindInfo(kind).recordSize;
        EXPECT_EQ(std::memcmp(copy->GetKeyData(kind), source->GetKeyData(kind), bytes), 0) << i;
    }
}

TEST(XmlAnimationTest, AnimationWithoutKeysWritesHeadOnly)
{
    CreatorOutcome xml = Create(Document("", " endTime=\"3\""));
    ASSERT_NE(xml.As<Animation>(), nullptr);
    Data data;
    ASSERT_TRUE(xml.As<Animation>()->GetNativeData(data));
    ASSERT_EQ(data.GetSize(), 12u + 8u + 12u);
    EXPECT_EQ(std::memcmp(data.GetData() + 12, "HEAD", 4), 0);
    EXPECT_EQ(std::memcmp(data.GetData() + 20, "0.01", 4), 0);
}
