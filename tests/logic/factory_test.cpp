#include "logic/factory.h"

#include <gtest/gtest.h>

#include "logic/child_processor.h"
#include "logic/node_observer.h"
#include "logic/stage.h"
#include "logic/stage_processor.h"
#include "logic/stage_timeline.h"
#include "logic/state.h"
#include "logic/stepable.h"
#include "logic/timeframe.h"
#include "logic/timeline.h"
#include "logic/touch_area.h"
#include "tests/support/recording_logic.h"

namespace Vorn {
namespace Logic {
namespace {

// Makes an object through the factory, checks its class, destroys it and checks the pointer is
// null; a second destroy of the null pointer must do nothing.
template <typename Concrete, typename Interface>
void ExpectMadeAndDestroyed(Interface* object, void (Factory::*destroy)(Interface*&), Factory& factory)
{
    ASSERT_NE(object, nullptr);
    EXPECT_NE(dynamic_cast<Concrete*>(object), nullptr);
    (factory.*destroy)(object);
    EXPECT_EQ(object, nullptr);
    (factory.*destroy)(object);
    EXPECT_EQ(object, nullptr);
}

TEST(FactoryTest, MakesEachClassAndDestroysNullSafely)
{
    Factory factory;
    EXPECT_TRUE(factory.Init());
    ExpectMadeAndDestroyed<ChildProcessor>(factory.CreateProcessor(), &Factory::DestroyProcessor, factory);
    ExpectMadeAndDestroyed<Stage>(factory.CreateStage(), &Factory::DestroyStage, factory);
    ExpectMadeAndDestroyed<StageProcessor>(factory.CreateStageProcessor(), &Factory::DestroyStageProcessor, factory);
    ExpectMadeAndDestroyed<StageTimeline>(factory.CreateStageTimeline(), &Factory::DestroyStageTimeline, factory);
    ExpectMadeAndDestroyed<StepableObserver>(factory.CreateStepableObserver(), &Factory::DestroyStepableObserver,
                                             factory);
    ExpectMadeAndDestroyed<TouchArea>(factory.CreateTouchArea(), &Factory::DestroyTouchArea, factory);
    ExpectMadeAndDestroyed<Timeframe>(factory.CreateTimeframe(), &Factory::DestroyTimeframe, factory);
    ExpectMadeAndDestroyed<Timeline>(factory.CreateTimeline(), &Factory::DestroyTimeline, factory);
    ExpectMadeAndDestroyed<NodeObserver>(factory.CreateNodeObserver(), &Factory::DestroyNodeObserver, factory);
    ExpectMadeAndDestroyed<State>(factory.CreateState(nullptr, nullptr, nullptr, nullptr), &Factory::DestroyState,
                                  factory);
    EXPECT_TRUE(factory.DeInit());
}

TEST(FactoryTest, TheStateHandsOutTheFactoryAndServicesItWasMadeWith)
{
    Testing::LogicServices services;
    EXPECT_EQ(services.mState->GetFactory(), services.mLogicFactory.GetFactory());
    EXPECT_EQ(services.mState->GetFactory(), static_cast<IFactory*>(&services.mLogicFactory));
    EXPECT_EQ(services.mState->GetDeviceHandler(), &services.mDevices);
    EXPECT_EQ(services.mState->GetLoader(), &services.mLoader);
    EXPECT_EQ(services.mState->GetGraphRoot(), nullptr);
    EXPECT_EQ(services.mEngineState->GetState(), services.mState);
}

TEST(StateTest, RegistersEachProcessorOnceInOrder)
{
    State state(nullptr, nullptr, nullptr, nullptr, nullptr);
    ChildProcessor first;
    ChildProcessor second;
    EXPECT_TRUE(state.Lock());
    EXPECT_TRUE(state.Lock());
    EXPECT_FALSE(state.AddProcessor(nullptr));
    EXPECT_FALSE(state.RemoveProcessor(&first));
    EXPECT_TRUE(state.AddProcessor(&first));
    EXPECT_FALSE(state.AddProcessor(&first));
    EXPECT_TRUE(state.AddProcessor(&second));
    EXPECT_EQ(state.GetNumberOfProcessors(), 2u);
    EXPECT_EQ(state.GetProcessor(2), nullptr);
    EXPECT_TRUE(state.RemoveProcessor(&first));
    EXPECT_EQ(state.GetProcessor(0), &second);
    EXPECT_TRUE(state.Unlock());
    EXPECT_TRUE(state.Unlock());

    state.SetCurrentTickTime(3.5);
    state.SetCurrentTickDuration(0.5);
    EXPECT_EQ(state.GetCurrentTickTime(), 3.5);
    EXPECT_EQ(state.GetCurrentTickDuration(), 0.5);
    state.SetText(String("score"));
    EXPECT_EQ(state.GetText(), String("score"));
    state.SetText(static_cast<const char*>(nullptr));
    EXPECT_TRUE(state.GetText().IsEmpty());
}

} // namespace
} // namespace Logic
} // namespace Vorn
