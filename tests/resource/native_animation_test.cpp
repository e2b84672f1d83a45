#include "resource/native_animation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/byte_order.h"
#include "foundation/iff_stream.h"
#include "resource/native_package.h"
#include "resource/xml_animation.h"
#include "tests/support/chunk_file_fixture.h"
#include "tests/support/fake_configuration.h"

using namespace Vorn;
using namespace Vorn::Resource;
using Testing::CreatorOutcome;
using Testing::ExactBytes;
using Testing::FloatBits;
using Testing::kVersionWord;
using Testing::RawChunk;
using Testing::RunCreator;

namespace {

constexpr UInt32 kAnim = MakeTag("ANIM");

// An animation over key tables the test holds, to feed the writer.
class TestAnimation : public Animation
{
public:
    TestAnimation(Float startTime, Float endTime) : Animation("test", nullptr, 0, nullptr, 0)
    {
        SetTimeRange(startTime, endTime);
    }
    template <class Key>
    void Set(AnimationKeyKind kind, const std::vector<Key>& keys)
    {
        SetTrack(kind, UInt32(keys.size()), keys.data());
    }
    Bool GetNativeData(Data& data) const override { return NativeAnimation::Write(*this, data); }
};

CreatorOutcome Create(ExactBytes& bytes)
{
    return RunCreator(&NativeAnimation::Create, bytes, "anim");
}

Data MakeFile(const std::vector<RawChunk>& chunks)
{
    return Testing::MakeChunkFile(kAnim, chunks);
}

const RawChunk kHead = {MakeTag("HEAD"), {kVersionWord, FloatBits(1.5f), FloatBits(4.0f)}};

// One visible key at time 0 with value 1, constant.
RawChunk VisibleChunk(UInt32 count = 1, UInt32 offset = 8)
{
    return {MakeTag("VISK"), {count, offset, FloatBits(0.0f), 0, 1}};
}

std::vector<FlagKey> kVisible = {{0.0f, 0, 1}, {1.0f, 0, 0}};
std::vector<IndexKey> kIndex = {{0.0f, 1, 0}, {1.0f, 1, 3}};
std::vector<ColorKey> kAmbient = {{0.5f, 1, {0.1f, 0.2f, 0.3f, 0.4f}}};
std::vector<PositionKey> kPosition = {{0.0f, 1, 1.0f, 2.0f, 3.0f}, {2.0f, 4, -1.0f, -2.0f, -3.0f}};
std::vector<RotationKey> kRotation = {{0.0f, 1, 0.0f, 0.0f, 1.0f, 0.0f}, {1.0f, 1, 0.0f, 0.0f, 1.0f, 1.5f}};

Data WriteSample()
{
    TestAnimation animation(1.5f, 4.0f);
    animation.Set(AnimationKeyKind::VISIBLE, kVisible);
    animation.Set(AnimationKeyKind::INDEX, kIndex);
    animation.Set(AnimationKeyKind::AMBIENT_COLOR, kAmbient);
    animation.Set(AnimationKeyKind::POSITION, kPosition);
    animation.Set(AnimationKeyKind::ROTATION, kRotation);
    Data data;
    EXPECT_TRUE(animation.GetNativeData(data));
    return data;
}

// True when every key array of the animation lies inside [begin, begin + size).
Bool KeysLieInside(const Animation& animation, const UInt8* begin, UInt32 size)
{
    const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(begin);
    for (UInt32 i = 0; i < kNumberOfAnimationKeyKinds; ++i) {
        const AnimationKeyKindInfo& kind = GetAnimationKeyKindInfos()[i];
        const UInt32 count = animation.GetNumberOfKeys(kind.kind);
        if (count == 0)
            continue;
        const std::uintptr_t keys = reinterpret_cast<std::uintptr_t>(animation.GetKeyData(kind.kind));
        if (keys < first || keys - first + UInt64(count) * kind.recordSize > size)
            return false;
    }
    return true;
}

} // namespace

TEST(NativeAnimationTest, ReadsWrittenKeysInPlace)
{
    ExactBytes bytes(WriteSample());
    CreatorOutcome result = Create(bytes);
    const Animation* animation = result.As<Animation>();
    ASSERT_NE(animation, nullptr);
    EXPECT_FALSE(result.releaseData);
    EXPECT_FALSE(result.failed);
    EXPECT_EQ(result.log, "");

    EXPECT_EQ(animation->GetId(), "anim");
    EXPECT_FLOAT_EQ(animation->GetStartTime(), 1.5f);
    EXPECT_FLOAT_EQ(animation->GetEndTime(), 4.0f);
    EXPECT_FLOAT_EQ(animation->GetDuration(), 2.5f);

    ASSERT_EQ(animation->GetNumberOfVisibleKeys(), 2u);
    EXPECT_EQ(std::memcmp(animation->GetVisibleKeys(), kVisible.data(), 2 * sizeof(FlagKey)), 0);
    ASSERT_EQ(animation->GetNumberOfIndexKeys(), 2u);
    EXPECT_EQ(animation->GetIndexKeys()[1].value, 3);
    ASSERT_EQ(animation->GetNumberOfAmbientColorKeys(), 1u);
    EXPECT_FLOAT_EQ(animation->GetAmbientColorKeys()[0].value.alpha, 0.4f);
    ASSERT_EQ(animation->GetNumberOfPositionKeys(), 2u);
    EXPECT_EQ(animation->GetPositionKeys()[1].interpolation, 4u);
    EXPECT_FLOAT_EQ(animation->GetPositionKeys()[1].z, -3.0f);
    ASSERT_EQ(animation->GetNumberOfRotationKeys(), 2u);
    EXPECT_FLOAT_EQ(animation->GetRotationKeys()[1].angle, 1.5f);
    EXPECT_TRUE(KeysLieInside(*animation, bytes.Get(), bytes.GetSize()));

    for (UInt32 count : {animation->GetNumberOfActiveKeys(), animation->GetNumberOfAlphaKeys(),
                         animation->GetNumberOfVolumeKeys(), animation->GetNumberOfTimeKeys(),
                         animation->GetNumberOfDiffuseColorKeys(), animation->GetNumberOfSpecularColorKeys(),
                         animation->GetNumberOfEmissiveColorKeys(), animation->GetNumberOfScalingKeys()})
        EXPECT_EQ(count, 0u);
    EXPECT_EQ(animation->GetScalingKeys(), nullptr);

    // The native data is the source file itself.
    Data copy;
    EXPECT_TRUE(animation->GetNativeData(copy));
    ASSERT_EQ(copy.GetSize(), bytes.GetSize());
    EXPECT_EQ(std::memcmp(copy.GetData(), bytes.Get(), copy.GetSize()), 0);
}

TEST(NativeAnimationTest, WriterEmitsKindsWithKeysInFixedOrder)
{
    Data data = WriteSample();
    Util::IffStream stream(kAnim, data);
    ASSERT_TRUE(stream.Open());
    std::vector<std::string> tags;
    for (; !stream.IsAtEnd(); stream.NextChunk()) {
        const UInt8* chunk = stream.GetChunk();
        ASSERT_NE(chunk, nullptr);
        tags.emplace_back(reinterpret_cast<const char*>(chunk), 4);
        for (UInt32 i = 0; i < kNumberOfAnimationKeyKinds; ++i) {
            const AnimationKeyKindInfo& kind = GetAnimationKeyKindInfos()[i];
            if (stream.GetChunkSize(kind.tag) == 0)
                continue;
            // Count, offset 8, then the records back to back.
            UInt32 words[2];
            std::memcpy(words, chunk + 8, 8);
            EXPECT_EQ(words[1], 8u) << tags.back();
            EXPECT_EQ(stream.GetChunkSize(), 8u + words[0] * kind.recordSize) << tags.back();
        }
    }
    EXPECT_EQ(tags, (std::vector<std::string>{"HEAD", "VISK", "IDXK", "AMCK", "POSK", "ROTK"}));
}

TEST(NativeAnimationTest, HeadOnlyFileGivesEmptyTracks)
{
    TestAnimation empty(0.0f, 2.0f);
    Data data;
    ASSERT_TRUE(empty.GetNativeData(data));
    EXPECT_EQ(data.GetSize(), 12u + 8u + 12u);
    ExactBytes bytes(data);
    CreatorOutcome result = Create(bytes);
    const Animation* animation = result.As<Animation>();
    ASSERT_NE(animation, nullptr);
    for (UInt32 i = 0; i < kNumberOfAnimationKeyKinds; ++i) {
        EXPECT_EQ(animation->GetNumberOfKeys(AnimationKeyKind(i)), 0u);
        EXPECT_EQ(animation->GetKeyData(AnimationKeyKind(i)), nullptr);
    }
    EXPECT_EQ(animation->GetVisibleKeys(), nullptr);
    EXPECT_EQ(animation->GetRotationKeys(), nullptr);
    EXPECT_FLOAT_EQ(animation->GetDuration(), 2.0f);
}

TEST(NativeAnimationTest, TakesKeyChunksInAnyOrderAndSkipsOthers)
{
    const RawChunk rotation = {MakeTag("ROTK"), {1, 8, FloatBits(0.5f), 1, 0, 0, FloatBits(1.0f), FloatBits(2.0f)}};
    const RawChunk other = {MakeTag("XTRA"), {1, 2, 3}};
    ExactBytes bytes(MakeFile({kHead, rotation, other, VisibleChunk()}));
    CreatorOutcome result = Create(bytes);
    const Animation* animation = result.As<Animation>();
    ASSERT_NE(animation, nullptr);
    ASSERT_EQ(animation->GetNumberOfRotationKeys(), 1u);
    EXPECT_FLOAT_EQ(animation->GetRotationKeys()[0].z, 1.0f);
    EXPECT_FLOAT_EQ(animation->GetRotationKeys()[0].angle, 2.0f);
    ASSERT_EQ(animation->GetNumberOfVisibleKeys(), 1u);
    EXPECT_EQ(animation->GetVisibleKeys()[0].value, 1);
}

TEST(NativeAnimationTest, DeclinesOtherFormsSilently)
{
    const RawChunk otherVersion = {MakeTag("HEAD"), {0x32302E30u, 0, 0}}; // "0.02"
    const RawChunk notHead = {MakeTag("BODY"), {0, 0, 0}};
    Util::IffData graph(MakeTag("GRPH"));
    graph.AddChunk(graph.CreateChunk(MakeTag("HEAD"), 8, 12));
    Data graphFile;
    graph.GetData(graphFile);
    const std::string text = "<Animation/>";

    const std::vector<std::pair<const char*, Data>> cases = {
        {"empty", Data()},
        {"XML text", Data(text.data(), UInt32(text.size()))},
        {"another form", std::move(graphFile)},
        {"another version", MakeFile({otherVersion, VisibleChunk()})},
        {"first chunk not HEAD", MakeFile({notHead, kHead})},
    };
    for (const auto& [name, data] : cases)
        Testing::ExpectDeclinedSilently(&NativeAnimation::Create, data, name);
}

TEST(NativeAnimationTest, RefusesRepeatedKeyChunk)
{
    ExactBytes bytes(MakeFile({kHead, VisibleChunk(), VisibleChunk()}));
    CreatorOutcome result = Create(bytes);
    EXPECT_EQ(result.object, nullptr);
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.log, "Resource::NativeAnimation::Create(): File cannot contain more than one VISK chunk\n");
}

TEST(NativeAnimationTest, RefusesCountsAndOffsetsBeyondTheirChunk)
{
    const RawChunk shortHead = {MakeTag("HEAD"), {kVersionWord, 0}};
    const RawChunk shortKeyChunk = {MakeTag("POSK"), {1}};
    const std::vector<std::pair<const char*, Data>> cases = {
        {"count beyond chunk", MakeFile({kHead, VisibleChunk(2)})},
        {"huge count", MakeFile({kHead, VisibleChunk(0x40000000)})},
        {"offset beyond chunk", MakeFile({kHead, VisibleChunk(1, 24)})},
        {"huge offset", MakeFile({kHead, VisibleChunk(1, 0xFFFFFFF8u)})},
        {"key chunk without count and offset", MakeFile({kHead, shortKeyChunk})},
        {"HEAD without times", MakeFile({shortHead})},
    };
    for (const auto& [name, data] : cases)
        Testing::ExpectRefusedWithOneLine(&NativeAnimation::Create, data, name);
}

TEST(NativeAnimationTest, RefusesChunkThatRunsPastTheFile)
{
    Data data = MakeFile({kHead, VisibleChunk()});
    ExactBytes bytes(data);
    // The VISK chunk claims four bytes more than the file holds.
    Util::WriteLittleEndian32(bytes.Get() + 12 + 20 + 4, 20 + 4);
    CreatorOutcome result = Create(bytes);
    EXPECT_EQ(result.object, nullptr);
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.log, "Resource::NativeAnimation::Create(): Chunk #1 runs past the end of the file\n");
}

TEST(NativeAnimationTest, TruncatedFilesAreRefusedWithOneLine)
{
    Testing::ExpectEveryCutRefused(&NativeAnimation::Create, WriteSample(), "anim");
}

TEST(NativeAnimationTest, BitFlippedFilesNeverReadOutsideTheirBytes)
{
    Data data = WriteSample();
    auto check = [](const Animation& animation, const ExactBytes& bytes, UInt32 bit) {
        EXPECT_TRUE(KeysLieInside(animation, bytes.Get(), bytes.GetSize())) << bit;
    };
    Testing::ExpectBitFlipsHandled<Animation>(&NativeAnimation::Create, data,
                                              Testing::GetEveryBitPosition(data.GetSize()), check, "anim");
}

TEST(NativeAnimationTest, PackageServesNativeAndXmlAnimationsAndWritesThemNatively)
{
    Testing::FakeConfiguration configuration;
    const Data walk = WriteSample();
    const std::string fade = "<Animation endTime=\"2\"><AlphaKey value=\"1\"/><AlphaKey time=\"2\"/></Animation>";
    NativePackageWriter writer("pack");
    ASSERT_TRUE(writer.AddResource("walk", walk.GetData(), walk.GetSize(), nullptr, 0));
    ASSERT_TRUE(writer.AddResource("fade", fade.data(), UInt32(fade.size()), nullptr, 0));
    Data file;
    ASSERT_TRUE(writer.GetData(file));

    Bool releaseData = true;
    Bool failed = false;
    std::unique_ptr<Package> package(NativePackage::Create(&configuration, nullptr, String(), file.GetData(),
                                                           file.GetSize(), &releaseData, &failed));
    ASSERT_NE(package, nullptr);
    EXPECT_FALSE(releaseData); // the native animation points into the file
    const IAnimation* native = package->GetAnimation("walk");
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(native->GetNumberOfRotationKeys(), 2u);
    const IAnimation* xml = package->GetAnimation("fade");
    ASSERT_NE(xml, nullptr);
    ASSERT_EQ(xml->GetNumberOfAlphaKeys(), 2u);

    // Written again, the XML animation comes back as a native one with the same keys.
    Data serialized;
    ASSERT_TRUE(package->Serialize(serialized, false, false));
    std::unique_ptr<Package> again(NativePackage::Create(&configuration, nullptr, String(), serialized.GetData(),
                                                         serialized.GetSize(), &releaseData, &failed));
    ASSERT_NE(again, nullptr);
    const IAnimation* copy = again->GetAnimation("fade");
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(dynamic_cast<const NativeAnimation*>(copy), nullptr);
    ASSERT_EQ(copy->GetNumberOfAlphaKeys(), 2u);
    EXPECT_EQ(std::memcmp(copy->GetAlphaKeys(), xml->GetAlphaKeys(), 2 * sizeof(AlphaKey)), 0);
    EXPECT_FLOAT_EQ(copy->GetDuration(), 2.0f);
}

TEST(NativeAnimationTest, RefusedAnimationEndsTheCreatorSearchAndThePackage)
{
    Testing::FakeConfiguration configuration;
    const Data repeated = MakeFile({kHead, VisibleChunk(), VisibleChunk()});
    NativePackageWriter writer("pack");
    ASSERT_TRUE(writer.AddResource("walk", repeated.GetData(), repeated.GetSize(), nullptr, 0));
    Data file;
    ASSERT_TRUE(writer.GetData(file));

    Bool releaseData = true;
    Bool failed = false;
    ::testing::internal::CaptureStderr();
    std::unique_ptr<Package> package(NativePackage::Create(&configuration, nullptr, String(), file.GetData(),
                                                           file.GetSize(), &releaseData, &failed));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(package, nullptr);
    EXPECT_TRUE(failed);
    EXPECT_EQ(log.find("Resource::NativeAnimation::Create(): File cannot contain more than one VISK chunk\n"), 0u)
        << log;
}

TEST(NativeAnimationTest, ReadsAFileAtAnOddAddress)
{
    const Data file = WriteSample();
    const std::unique_ptr<Testing::OddAddressCreation> odd =
        Testing::RunCreatorAtOddAddress(&NativeAnimation::Create, file);
    const Animation* animation = odd->outcome.As<Animation>();
    ASSERT_NE(animation, nullptr);
    ASSERT_EQ(animation->GetNumberOfPositionKeys(), kPosition.size());
    EXPECT_EQ(std::memcmp(animation->GetPositionKeys(), kPosition.data(), kPosition.size() * sizeof(PositionKey)), 0);
    ASSERT_EQ(animation->GetNumberOfRotationKeys(), kRotation.size());
    EXPECT_EQ(animation->GetRotationKeys()[1].angle, 1.5f);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(animation->GetVisibleKeys()) % alignof(FlagKey), 0u);
}
