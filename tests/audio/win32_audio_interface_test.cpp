#include "platform/win32_audio_interface.h"

#include <gtest/gtest.h>

#include <AL/alc.h>

namespace Vorn {
namespace Win32 {
namespace {

TEST(Win32AudioInterfaceTest, OneContextServesRenderAndLoader)
{
    AudioInterface audio;
    EXPECT_FALSE(audio.IsThreadSafe());
    EXPECT_EQ(audio.GetRenderContext(), nullptr);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(audio.ActivateRenderContext());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Win32::AudioInterface::MakeCurrent(): No audio context"),
              std::string::npos);

    ASSERT_TRUE(audio.Init());
    ASSERT_NE(audio.GetRenderContext(), nullptr);
    EXPECT_EQ(audio.GetLoaderContext(), audio.GetRenderContext());
    EXPECT_TRUE(audio.ActivateRenderContext());
    EXPECT_EQ(alcGetCurrentContext(), audio.GetRenderContext());
    EXPECT_TRUE(audio.ActivateLoaderContext());
    EXPECT_TRUE(audio.DeactivateLoaderContext());
    EXPECT_EQ(alcGetCurrentContext(), audio.GetRenderContext());
    // Deactivating twice is harmless.
    EXPECT_TRUE(audio.DeactivateRenderContext());
    EXPECT_TRUE(audio.DeactivateRenderContext());
    EXPECT_EQ(alcGetCurrentContext(), nullptr);
    EXPECT_TRUE(audio.DeInit());
    EXPECT_EQ(audio.GetRenderContext(), nullptr);
    EXPECT_TRUE(audio.DeInit());
}

} // namespace
} // namespace Win32
} // namespace Vorn
