#include "resource/factory.h"

#include <gtest/gtest.h>

#include "resource/collection.h"
#include "resource/raw_image.h"
#include "tests/support/fake_configuration.h"

namespace Vorn {
namespace {

TEST(ResourceFactoryTest, MakesAndDestroysCollectionsAndRawImages)
{
    Testing::FakeConfiguration configuration;
    Resource::Factory factory(&configuration, nullptr);

    Resource::Collection* collection = factory.CreateCollection();
    ASSERT_NE(collection, nullptr);
    factory.DestroyCollection(collection);
    EXPECT_EQ(collection, nullptr);
    factory.DestroyCollection(collection);
    EXPECT_EQ(collection, nullptr);

    Resource::RawImage* image = factory.CreateRawImage(4, 3);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 4u);
    EXPECT_EQ(image->GetHeight(), 3u);
    EXPECT_EQ(image->GetPixelFormat(), Enums::PixelFormat::R8_G8_B8_A8);
    factory.DestroyRawImage(image);
    EXPECT_EQ(image, nullptr);
    factory.DestroyRawImage(image);
}

} // namespace
} // namespace Vorn
