#include "platform/win32/dx_input.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "input/device.h"
#include "platform/win32/raw_key.h"
#include "tests/support/recording_input_sinks.h"

namespace Vorn {
namespace {

class DxInputTest : public ::testing::Test
{
protected:
    // One frame's states handed to the reader, then its events.
    void Frame(const DIMOUSESTATE& mouse, std::initializer_list<UInt8> heldKeys = {})
    {
        UInt8 keys[Win32::DxInput::kNumberOfKeys] = {};
        for (UInt8 key : heldKeys)
            keys[key] = 0x80;
        mInput.TakeStates(mouse, keys);
        mInput.SendInput(mRawKey, &mRawKeyboard, &mRawMouse, &mMouse);
    }

    Win32::RawKey mRawKey;
    Win32::DxInput mInput;
    Testing::RecordingRawKeyboard mRawKeyboard;
    Testing::RecordingRawMouse mRawMouse;
    Testing::RecordingMouse mMouse;
};

TEST_F(DxInputTest, RawKeysAreTheScanCodesWithTheApplicationKeyAs0x59)
{
    EXPECT_EQ(mRawKey.GetNumberOfKeys(), 114u);
    const std::pair<UInt32, UInt32> cases[] = {
        {DIK_A, DIK_A},       {DIK_Z, DIK_Z},         {DIK_0, DIK_0},         {DIK_ESCAPE, DIK_ESCAPE},
        {DIK_F12, DIK_F12},   {DIK_NUMPADEQUALS, 0x8D}, {DIK_SYSRQ, 0xB7},    {DIK_APPS, 0x59},
        {0x59, 0},            {0xFF, 0},              {0, 0},                 {DIK_KANJI, 0x94},
    };
    for (const auto& [scanCode, code] : cases)
        EXPECT_EQ(mRawKey.GetRawKey(scanCode), code) << std::hex << scanCode;
}

TEST_F(DxInputTest, HeldKeysGiveOnePressAndOneRelease)
{
    Frame({}, {DIK_A, DIK_APPS});
    Frame({}, {DIK_A, DIK_APPS});
    Frame({}, {0x59});
    Frame({}, {});
    const std::vector<std::pair<UInt32, UInt32>> expected = {
        {1, DIK_A}, {1, 0x59}, {2, DIK_A}, {1, 0}, {2, 0x59}, {2, 0}};
    EXPECT_EQ(mRawKeyboard.mEvents, expected);
}

TEST_F(DxInputTest, MovementPointsUpAndWheelAndButtonsOnlyWhileExclusive)
{
    DIMOUSESTATE state = {};
    state.lX = 5;
    state.lY = 3;
    state.lZ = 240;
    state.rgbButtons[0] = 0x80;
    Frame(state);
    using Motion = std::tuple<UInt32, SInt32, SInt32>;
    EXPECT_EQ(mRawMouse.mEvents, (std::vector<Motion>{Motion{1, 5, -3}}));
    EXPECT_TRUE(mMouse.mEvents.empty());
    EXPECT_TRUE(mInput.IsMouseButtonDown(0));
    EXPECT_FALSE(mInput.IsMouseButtonUp(0));
}

TEST_F(DxInputTest, ExclusiveMouseGivesWheelStepsAndButtons)
{
    // Exclusive mode without a device is refused and stays shared.
    EXPECT_FALSE(mInput.SetMouseExclusive(true, nullptr));
    EXPECT_FALSE(mInput.IsMouseExclusive());

    HWND window = CreateWindowExW(0, L"STATIC", L"dxinput", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(mInput.Init(GetModuleHandleW(nullptr), window));
    EXPECT_FALSE(mInput.Init(GetModuleHandleW(nullptr), window));
    mInput.Poll();
    mInput.SetMouseExclusive(true, window);
    ASSERT_TRUE(mInput.IsMouseExclusive());

    DIMOUSESTATE state = {};
    state.lZ = 240;
    state.rgbButtons[1] = 0x80;
    Frame(state);
    state.lZ = -119;
    state.rgbButtons[1] = 0;
    state.rgbButtons[2] = 0x80;
    Frame(state);
    using Motion = std::tuple<UInt32, SInt32, SInt32>;
    EXPECT_EQ(mRawMouse.mEvents, (std::vector<Motion>{Motion{2, 0, 2}}));
    using Pointer = std::tuple<UInt32, UInt32, Float, Float>;
    const std::vector<Pointer> expected = {Pointer{1, 1, 0.0f, 0.0f}, Pointer{2, 1, 0.0f, 0.0f},
                                           Pointer{1, 2, 0.0f, 0.0f}};
    EXPECT_EQ(mMouse.mEvents, expected);

    EXPECT_TRUE(mInput.DeInit());
    EXPECT_FALSE(mInput.IsMouseExclusive());
    DestroyWindow(window);
}

} // namespace
} // namespace Vorn
