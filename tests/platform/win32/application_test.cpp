#include "platform/win32/application.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/configuration.h"
#include "tests/support/fake_app.h"
#include "tests/support/fake_engine_factory.h"

namespace Vorn {
namespace {

using Calls = std::vector<std::string>;
using Record = Testing::FakeEngineFactory::Record;

IApp* MakeApp(IConfiguration* configuration)
{
    configuration->SetDisplayName("Vorn Application Test");
    configuration->SetDisplaySurfaceSize(640, 400);
    configuration->SetAspectRatio(1.6f);
    configuration->SetFullScreen(false);
    return new Testing::FakeApp();
}

Platform::EngineFactory::CreateFactoryFunction MakeFactory(const std::shared_ptr<Record>& record)
{
    return [record]() -> Factory* { return new Testing::FakeEngineFactory(record); };
}

// Removes the quit messages the frames posted; answers how many there were.
int TakeQuitMessages()
{
    int count = 0;
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        ++count;
    return count;
}

// The start-up of Run up to the main loop, with frames run by the test.
class ApplicationTest : public ::testing::Test
{
protected:
    enum WindowState { kActive, kInactive, kMinimised };

    ApplicationTest() : mRecord(std::make_shared<Record>()), mApplication(&MakeApp, MakeFactory(mRecord)) {}

    void SetUp() override
    {
        ASSERT_TRUE(mApplication.GetPlatform().Init());
        ASSERT_TRUE(mApplication.GetWindow().RegisterWindowClass(&mApplication, &mApplication.GetPlatform(), nullptr));
        ASSERT_TRUE(mApplication.GetWindow().Create());
        ASSERT_TRUE(mApplication.GetPlatform().GetEngineFactory()->Start());
        mEngine = mRecord->mEngine;
        mEngine->mCalls.clear();
    }
    void TearDown() override
    {
        mApplication.GetWindow().UnregisterWindowClass();
        mApplication.GetPlatform().DeInit();
        TakeQuitMessages();
    }

    void SetWindowState(WindowState state)
    {
        HWND window = mApplication.GetWindow().GetHandle();
        SendMessageW(window, WM_ACTIVATE, state == kInactive ? WA_INACTIVE : WA_ACTIVE, 0);
        SendMessageW(window, WM_SIZE, state == kMinimised ? SIZE_MINIMIZED : SIZE_RESTORED, MAKELPARAM(640, 400));
    }
    Calls Frame()
    {
        mEngine->mCalls.clear();
        mApplication.RunFrame();
        return mEngine->mCalls;
    }

    std::shared_ptr<Record> mRecord;
    Win32::Application mApplication;
    Testing::FakeEngine* mEngine = nullptr;
};

TEST_F(ApplicationTest, TheInactivePolicyAppliesToInactiveAndMinimisedWindows)
{
    const Calls frame = {"BeginFrame", "EndFrame"};
    struct Case
    {
        Enums::AppRunState mPolicy;
        WindowState mState;
        Calls mExpected;
    };
    const Case cases[] = {
        {Enums::AppRunState::DEFAULT, kInactive, frame},
        {Enums::AppRunState::RUNNING, kInactive, frame},
        {Enums::AppRunState::RUNNING, kMinimised, frame},
        {Enums::AppRunState::PAUSED, kActive, frame},
        {Enums::AppRunState::PAUSED, kInactive, {"Pause", "BeginFrame", "EndFrame"}},
        {Enums::AppRunState::PAUSED, kMinimised, {"Pause", "BeginFrame", "EndFrame"}},
        {Enums::AppRunState::SUSPENDED, kActive, frame},
        {Enums::AppRunState::SUSPENDED, kInactive, {"Suspend"}},
        {Enums::AppRunState::SUSPENDED, kMinimised, {"Suspend"}},
    };
    for (const Case& c : cases) {
        mApplication.GetPlatform().GetConfiguration()->SetDeactivatedRunState(c.mPolicy);
        SetWindowState(c.mState);
        EXPECT_EQ(Frame(), c.mExpected) << UInt32(c.mPolicy) << " " << c.mState;
        SetWindowState(kActive);
        Frame();
    }
}

TEST_F(ApplicationTest, SuspendedFramesNeitherDrawNorPollUntilTheWindowIsActiveAgain)
{
    mApplication.GetPlatform().GetConfiguration()->SetDeactivatedRunState(Enums::AppRunState::SUSPENDED);
    SetWindowState(kInactive);
    EXPECT_EQ(Frame(), (Calls{"Suspend"}));
    // A key held meanwhile would reach the raw keyboard at the next poll; none happens here.
    EXPECT_EQ(Frame(), Calls{});
    EXPECT_EQ(Frame(), Calls{});
    SetWindowState(kActive);
    EXPECT_EQ(Frame(), (Calls{"Resume", "BeginFrame", "EndFrame"}));
}

TEST_F(ApplicationTest, AFailedEngineFrameOrAQuitRequestPostsTheQuitMessageEachFrame)
{
    SetWindowState(kActive);
    Frame();
    EXPECT_EQ(TakeQuitMessages(), 0);
    mEngine->mFailing = "BeginFrame";
    // The frame still runs to its end.
    EXPECT_EQ(Frame(), (Calls{"BeginFrame", "EndFrame"}));
    EXPECT_EQ(TakeQuitMessages(), 1);
    mEngine->mFailing = "";
    mApplication.GetPlatform().GetConfigurationControl()->Quit();
    Frame();
    Frame();
    EXPECT_EQ(TakeQuitMessages(), 2);
}

struct RunCase
{
    const char* mName;
    std::string mFailing;
    Bool mNoApp;
    Bool mResult;
    Calls mFirst;
    Calls mLast;
};

class ApplicationRunTest : public ::testing::TestWithParam<RunCase>
{
};

TEST_P(ApplicationRunTest, RunsStartUpTheLoopAndShutdownInOrder)
{
    const RunCase& c = GetParam();
    auto record = std::make_shared<Record>();
    record->mFailing = c.mFailing;
    {
        Win32::Application application(
            [&c](IConfiguration* configuration) { return c.mNoApp ? nullptr : MakeApp(configuration); },
            MakeFactory(record));
        // The game asks to quit at once, so the loop ends at its first frame.
        application.GetPlatform().GetConfigurationControl()->Quit();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(application.Run(nullptr), c.mResult);
    }
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.find("Memory leak"), std::string::npos) << log;
    TakeQuitMessages();
    const Calls& calls = record->mCalls;
    ASSERT_GE(calls.size(), c.mFirst.size() + c.mLast.size());
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + c.mFirst.size()), c.mFirst);
    EXPECT_EQ(Calls(calls.end() - c.mLast.size(), calls.end()), c.mLast);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ApplicationRunTest,
    ::testing::Values(RunCase{"Quit", "", false, true, {"Init", "Start"}, {"BeginFrame", "EndFrame", "Stop", "DeInit"}},
                      // A failed frame (a failed package load fails EndFrame) ends the program
                      // as a failure too, after the same shutdown.
                      RunCase{"BeginFrameFails", "BeginFrame", false, false, {"Init", "Start"},
                              {"BeginFrame", "EndFrame", "Stop", "DeInit"}},
                      RunCase{"EndFrameFails", "EndFrame", false, false, {"Init", "Start"},
                              {"BeginFrame", "EndFrame", "Stop", "DeInit"}},
                      // What a failed start left is stopped; the program exits with -1.
                      RunCase{"StartFails", "Start", false, false, {"Init", "Start", "Stop", "DeInit"}, {}},
                      RunCase{"InitFails", "Init", false, false, {"Init", "DeInit"}, {}},
                      RunCase{"NoApp", "", true, false, {"DeInit"}, {}}),
    [](const ::testing::TestParamInfo<RunCase>& info) { return std::string(info.param.mName); });

// Refuses every window the thread tries to create.
LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam)
{
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(ApplicationFailureTest, AWindowThatCannotBeMadeEndsTheRunWithFailureAndNothingLeft)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const Bool classTaken : {true, false}) {
        auto record = std::make_shared<Record>();
        HHOOK hook = nullptr;
        if (classTaken) {
            WNDCLASSW other = {};
            other.lpfnWndProc = DefWindowProcW;
            other.hInstance = instance;
            other.lpszClassName = Win32::Window::kClassName;
            ASSERT_NE(RegisterClassW(&other), 0);
        } else {
            hook = SetWindowsHookExW(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
            ASSERT_NE(hook, nullptr);
        }
        {
            Win32::Application application(&MakeApp, MakeFactory(record));
            ::testing::internal::CaptureStderr();
            EXPECT_FALSE(application.Run(nullptr)) << classTaken;
        }
        const std::string log = ::testing::internal::GetCapturedStderr();
        if (hook != nullptr)
            UnhookWindowsHookEx(hook);
        // Our own class stays ours; the program's is gone again.
        EXPECT_EQ(UnregisterClassW(Win32::Window::kClassName, instance) != 0, classTaken);
        EXPECT_EQ(log.find("Memory leak"), std::string::npos) << log;
        const char* failure = classTaken ? "Failed to register window class" : "Failed to create window";
        EXPECT_NE(log.find(failure), std::string::npos) << log;
        // The engine never started.
        EXPECT_EQ(record->mCalls, (Calls{"Init", "DeInit"})) << classTaken;
    }
}

} // namespace
} // namespace Vorn
