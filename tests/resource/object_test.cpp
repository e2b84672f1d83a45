#include "resource/object.h"

#include <gtest/gtest.h>

#include <vector>

#include "resource/image.h"
#include "resource/text.h"
#include "tests/support/fake_configuration.h"

namespace Vorn {
namespace {

using Resource::Condition::MakeExclude;
using Resource::Condition::MakeInclude;
namespace Condition = Resource::Condition;

class StoredImage : public Resource::Image
{
public:
    using Image::Image;
    Bool GetNativeData(Data& data) const override { return CopyNativeData(data); }
};

struct MatchCase
{
    const char* name;
    std::vector<UInt32> words;
    Bool expected;
};

// Configuration: German, laptop computer, prescale factor 2.
class ConditionTest : public ::testing::Test
{
protected:
    ConditionTest()
    {
        mConfiguration.SetLanguage(Enums::Language::GERMAN);
        mConfiguration.SetDeviceClass(Enums::DeviceClass::COMPUTER_LAPTOP);
        mConfiguration.SetPrescaleFactor(2);
    }

    Testing::FakeConfiguration mConfiguration;
};

TEST_F(ConditionTest, MatchesByCategoryRule)
{
    const UInt32 english = UInt32(Enums::Language::ENGLISH);
    const UInt32 german = UInt32(Enums::Language::GERMAN);
    const UInt32 computer = UInt32(Enums::DeviceClass::COMPUTER);
    const UInt32 handheld = UInt32(Enums::DeviceClass::HANDHELD);
    const UInt32 desktop = UInt32(Enums::DeviceClass::COMPUTER_DESKTOP);
    const UInt32 laptop = UInt32(Enums::DeviceClass::COMPUTER_LAPTOP);
    const std::vector<MatchCase> cases = {
        {"no words", {}, true},
        {"one of two languages", {MakeInclude(Condition::LANGUAGES, english), MakeInclude(Condition::LANGUAGES, german)}, true},
        {"other language only", {MakeInclude(Condition::LANGUAGES, english)}, false},
        {"language and wrong class",
         {MakeInclude(Condition::LANGUAGES, english), MakeInclude(Condition::LANGUAGES, german),
          MakeInclude(Condition::TARGET_CLASSES, handheld)},
         false},
        {"family word", {0x41000100}, true},
        {"exact member", {MakeInclude(Condition::TARGET_CLASSES, laptop)}, true},
        {"other member", {MakeInclude(Condition::TARGET_CLASSES, desktop)}, false},
        {"exclude beats includes", {MakeInclude(Condition::LANGUAGES, german), MakeExclude(Condition::TARGET_CLASSES, computer)}, false},
        {"exclude of another language", {0x80000003}, true},
        {"exclude before include", {MakeExclude(Condition::LANGUAGES, german), MakeInclude(Condition::LANGUAGES, german)}, false},
        {"default language only matches default", {MakeInclude(Condition::LANGUAGES, 0)}, false},
        {"prescale factor", {MakeInclude(Condition::PRESCALE_FACTORS, 2)}, true},
        {"unknown category include never satisfied", {0x49000000}, false},
        {"unknown category exclude never excludes", {0x89000000}, true},
        {"word without include or exclude is ignored", {0x01000001}, true},
        {"include bit wins over exclude bit", {0xC0000000 | german}, true},
    };
    for (const MatchCase& c : cases) {
        EXPECT_EQ(Condition::Matches(&mConfiguration, c.words.data(), UInt32(c.words.size())), c.expected) << c.name;
        StoredImage image("image", nullptr, 0, c.words.data(), UInt32(c.words.size()));
        EXPECT_EQ(image.MatchesConditions(&mConfiguration), c.expected) << c.name;
        Resource::Text text("text", "value", c.words.data(), UInt32(c.words.size()));
        EXPECT_EQ(text.MatchesConditions(&mConfiguration), c.expected) << c.name;
    }
}

TEST_F(ConditionTest, DefaultLanguageWordMatchesDefaultConfiguration)
{
    const UInt32 word = MakeInclude(Condition::LANGUAGES, 0);
    mConfiguration.SetLanguage(Enums::Language::DEFAULT);
    EXPECT_TRUE(Condition::Matches(&mConfiguration, &word, 1));
}

TEST(ConditionNames, FollowCategoryOrder)
{
    const char* expected[] = {"Languages", "TargetClasses", "TargetDevices", "OperatingSystems", "Gpus",
                              "ScreenSizes", "PrescaleFactors", "DisplayInterfaces", "AudioInterfaces"};
    for (UInt32 i = 0; i < Condition::kCategoryCount; ++i)
        EXPECT_STREQ(Condition::GetCategoryName(i), expected[i]);
    EXPECT_EQ(Condition::GetCategoryName(Condition::kCategoryCount), nullptr);
    EXPECT_TRUE(Condition::IsValidValue(0xFFFFFF));
    EXPECT_FALSE(Condition::IsValidValue(0x1000000));
}

TEST(ObjectTest, KeepsBorrowedBytesAndCopiesThemAsNativeData)
{
    const char bytes[] = "payload";
    const UInt32 words[] = {0x41000100};
    StoredImage image("ui_button", bytes, 7, words, 1);
    EXPECT_EQ(image.GetId(), "ui_button");
    EXPECT_EQ(image.GetData(), bytes);
    EXPECT_EQ(image.GetConditions(), words);
    EXPECT_EQ(image.GetNumberOfConditions(), 1u);
    EXPECT_TRUE(image.Init());
    EXPECT_TRUE(image.DeInit());

    Data native(bytes, 3);
    ASSERT_TRUE(image.GetNativeData(native));
    ASSERT_EQ(native.GetSize(), 7u);
    EXPECT_EQ(std::memcmp(native.GetData(), bytes, 7), 0);

    StoredImage empty("empty", nullptr, 5, nullptr, 0);
    ASSERT_TRUE(empty.GetNativeData(native));
    EXPECT_TRUE(native.IsEmpty());
}

TEST(ObjectTest, DestroysThroughEitherBase)
{
    Resource::IImage* image = new StoredImage("a", nullptr, 0, nullptr, 0);
    delete image;
    Resource::IObject* object = new StoredImage("b", nullptr, 0, nullptr, 0);
    delete object;
}

} // namespace
} // namespace Vorn
