#include "platform/win32/engine_factory.h"

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

class EngineFactoryTest : public ::testing::Test
{
protected:
    EngineFactoryTest()
        : mRecord(std::make_shared<Testing::FakeEngineFactory::Record>()),
          mFactory([](IConfiguration*) -> IApp* { return new Testing::FakeApp(); },
                   [record = mRecord]() -> Factory* { return new Testing::FakeEngineFactory(record); })
    {
    }
    void SetUp() override
    {
        ASSERT_TRUE(mFactory.Init());
        ASSERT_TRUE(mFactory.CreateEngine());
    }
    void TearDown() override
    {
        EXPECT_TRUE(mFactory.DestroyEngine());
        EXPECT_TRUE(mFactory.DeInit());
    }
    // The run-state calls the engine saw, without its DeInit.
    Calls Seen() const { return mRecord->mEngine != nullptr ? mRecord->mEngine->mCalls : mRecord->mCalls; }

    std::shared_ptr<Testing::FakeEngineFactory::Record> mRecord;
    Platform::EngineFactory mFactory;
};

TEST_F(EngineFactoryTest, StartAndStopReachTheEngineOnceEach)
{
    EXPECT_TRUE(mFactory.Stop());
    EXPECT_TRUE(mFactory.Start());
    EXPECT_TRUE(mFactory.Start());
    EXPECT_TRUE(mFactory.Pause());
    EXPECT_TRUE(mFactory.Pause());
    EXPECT_TRUE(mFactory.Stop());
    EXPECT_TRUE(mFactory.Stop());
    EXPECT_EQ(Seen(), (Calls{"Start", "Pause", "Stop"}));
    EXPECT_FALSE(mFactory.IsStarted());
    EXPECT_FALSE(mFactory.IsPaused());
}

TEST_F(EngineFactoryTest, ARefusedRunStateChangeIsTriedAgain)
{
    mRecord->mEngine->mFailing = "Suspend";
    EXPECT_FALSE(mFactory.Suspend());
    EXPECT_FALSE(mFactory.IsSuspended());
    mRecord->mEngine->mFailing = "";
    EXPECT_TRUE(mFactory.Suspend());
    EXPECT_TRUE(mFactory.Resume());
    EXPECT_EQ(Seen(), (Calls{"Suspend", "Suspend", "Resume"}));
}

TEST_F(EngineFactoryTest, TheInactivePolicyDecidesWhatDeactivateAndReactivateDo)
{
    struct Case
    {
        Enums::AppRunState mPolicy;
        Calls mExpected;
    };
    const Case cases[] = {
        {Enums::AppRunState::DEFAULT, {}},
        {Enums::AppRunState::RUNNING, {}},
        {Enums::AppRunState::PAUSED, {"Pause", "Continue"}},
        {Enums::AppRunState::SUSPENDED, {"Suspend", "Resume"}},
    };
    for (const Case& c : cases) {
        mRecord->mEngine->mCalls.clear();
        mFactory.GetConfiguration()->SetDeactivatedRunState(c.mPolicy);
        // Two inactive frames, then two active ones.
        EXPECT_TRUE(mFactory.Deactivate());
        EXPECT_TRUE(mFactory.Deactivate());
        EXPECT_TRUE(mFactory.Reactivate());
        EXPECT_TRUE(mFactory.Reactivate());
        EXPECT_EQ(Seen(), c.mExpected) << UInt32(c.mPolicy);
    }
}

TEST_F(EngineFactoryTest, APolicyChangedWhileSuspendedStillResumes)
{
    mFactory.GetConfiguration()->SetDeactivatedRunState(Enums::AppRunState::SUSPENDED);
    EXPECT_TRUE(mFactory.Deactivate());
    mFactory.GetConfiguration()->SetDeactivatedRunState(Enums::AppRunState::PAUSED);
    EXPECT_TRUE(mFactory.Deactivate());
    EXPECT_TRUE(mFactory.Reactivate());
    EXPECT_TRUE(mFactory.Reactivate());
    EXPECT_EQ(Seen(), (Calls{"Suspend", "Pause", "Continue", "Resume"}));
}

TEST(EngineFactoryLifeTest, FailuresAndMissingTeardownAreReported)
{
    auto record = std::make_shared<Testing::FakeEngineFactory::Record>();
    {
        Platform::EngineFactory factory([](IConfiguration*) -> IApp* { return nullptr; },
                                        [record]() -> Factory* { return new Testing::FakeEngineFactory(record); });
        EXPECT_FALSE(factory.Start());
        EXPECT_FALSE(factory.CreateEngine());
        EXPECT_TRUE(factory.Init());
        EXPECT_FALSE(factory.Init());
        // The application factory answers null.
        EXPECT_FALSE(factory.CreateEngine());
        ::testing::internal::CaptureStderr();
    }
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Memory leak: Platform::EngineFactory::DestroyEngine() missing"), std::string::npos);
    EXPECT_NE(log.find("Memory leak: Platform::EngineFactory::DeInit() missing"), std::string::npos);
}

} // namespace
} // namespace Vorn
