#include "output/output_device_handler.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "output/factory.h"
#include "tests/support/fake_output_device_handler.h"

namespace Vorn {
namespace {

using Testing::FakeConfigurationControl;
using Testing::FakeControl;
using Testing::FakeScreenshotControl;
using Testing::FakeSystemDialogControl;
using Testing::FakeSystemFontControl;
using Testing::FakeWebControl;

// One kind's add, remove and get, over its own control interface.
struct KindOperations
{
    const char* name;
    std::function<Bool(Output::IDeviceHandler&, IControlable*)> add;
    std::function<Bool(Output::IDeviceHandler&, IControlable*)> remove;
    std::function<IControlable*(Output::IDeviceHandler&, UInt32)> get;
    std::function<IControlable*()> make;
};

template <class Interface, class Fake>
KindOperations Kind(const char* name, Bool (Output::IDeviceHandler::*add)(Interface*),
                    Bool (Output::IDeviceHandler::*remove)(Interface*),
                    Interface* (Output::IDeviceHandler::*get)(UInt32))
{
    return KindOperations{
        name,
        [add](Output::IDeviceHandler& h, IControlable* c) { return (h.*add)(dynamic_cast<Interface*>(c)); },
        [remove](Output::IDeviceHandler& h, IControlable* c) { return (h.*remove)(dynamic_cast<Interface*>(c)); },
        [get](Output::IDeviceHandler& h, UInt32 i) -> IControlable* { return (h.*get)(i); },
        []() -> IControlable* { return new Fake(); }};
}

// In the order in which Update and ConfigChanged visit the lists.
std::vector<KindOperations> AllKinds()
{
    using H = Output::IDeviceHandler;
    return {
        Kind<IControlable, FakeControl>("A", &H::AddControlA, &H::RemoveControlA, &H::GetControlA),
        Kind<IConfigurationControl, FakeConfigurationControl>("configuration", &H::AddConfigurationControl,
                                                              &H::RemoveConfigurationControl,
                                                              &H::GetConfigurationControl),
        Kind<IControlable, FakeControl>("B", &H::AddControlB, &H::RemoveControlB, &H::GetControlB),
        Kind<IControlable, FakeControl>("C", &H::AddControlC, &H::RemoveControlC, &H::GetControlC),
        Kind<IControlable, FakeControl>("D", &H::AddControlD, &H::RemoveControlD, &H::GetControlD),
        Kind<IScreenshotControl, FakeScreenshotControl>("screenshot", &H::AddScreenshotControl,
                                                        &H::RemoveScreenshotControl, &H::GetScreenshotControl),
        Kind<ISystemDialogControl, FakeSystemDialogControl>("system dialog", &H::AddSystemDialogControl,
                                                            &H::RemoveSystemDialogControl,
                                                            &H::GetSystemDialogControl),
        Kind<ISystemFontControl, FakeSystemFontControl>("system font", &H::AddSystemFontControl,
                                                        &H::RemoveSystemFontControl, &H::GetSystemFontControl),
        Kind<IWebControl, FakeWebControl>("web", &H::AddWebControl, &H::RemoveWebControl, &H::GetWebControl),
    };
}

TEST(OutputDeviceHandlerTest, EachKindListsItsControlsInOrderAndRemovesTheFirstOccurrence)
{
    for (const KindOperations& kind : AllKinds()) {
        SCOPED_TRACE(kind.name);
        Output::DeviceHandler handler;
        std::unique_ptr<IControlable> first(kind.make()), second(kind.make());
        EXPECT_EQ(kind.get(handler, 0), nullptr);
        EXPECT_FALSE(kind.remove(handler, first.get()));
        EXPECT_TRUE(kind.add(handler, first.get()));
        EXPECT_TRUE(kind.add(handler, second.get()));
        EXPECT_TRUE(kind.add(handler, first.get()));
        EXPECT_EQ(kind.get(handler, 0), first.get());
        EXPECT_EQ(kind.get(handler, 2), first.get());
        EXPECT_EQ(kind.get(handler, 3), nullptr);
        // One removal takes out the first occurrence only.
        EXPECT_TRUE(kind.remove(handler, first.get()));
        EXPECT_EQ(kind.get(handler, 0), second.get());
        EXPECT_EQ(kind.get(handler, 1), first.get());
        EXPECT_EQ(kind.get(handler, 2), nullptr);
        // The other kinds saw nothing of it.
        for (const KindOperations& other : AllKinds()) {
            if (std::string(other.name) != kind.name) {
                EXPECT_EQ(other.get(handler, 0), nullptr) << other.name;
            }
        }
    }
}

TEST(OutputDeviceHandlerTest, ControlsByIdentifierKeepTheFirstRegistration)
{
    Output::Factory factory;
    Output::IDeviceHandler* handler = factory.CreateDeviceHandler();
    ASSERT_NE(handler, nullptr);
    EXPECT_TRUE(handler->Init());
    FakeControl c1, c2, c3;
    EXPECT_TRUE(handler->AddControl(7, &c1));
    EXPECT_FALSE(handler->AddControl(7, &c2));
    EXPECT_EQ(handler->GetControlById(7), &c1);
    EXPECT_TRUE(handler->AddControl(3, &c2));
    EXPECT_TRUE(handler->AddControl(0xFFFFFFFF, &c3));
    EXPECT_EQ(handler->GetNumberOfControls(), 3u);
    // By position in registration order, not by identifier.
    EXPECT_EQ(handler->GetControl(0), &c1);
    EXPECT_EQ(handler->GetControl(1), &c2);
    EXPECT_EQ(handler->GetControl(2), &c3);
    EXPECT_EQ(handler->GetControl(3), nullptr);
    EXPECT_EQ(handler->GetControlById(4), nullptr);

    EXPECT_TRUE(handler->RemoveControl(&c1));
    EXPECT_FALSE(handler->RemoveControl(&c1));
    EXPECT_EQ(handler->GetControl(0), &c2);
    EXPECT_EQ(handler->GetControlById(0xFFFFFFFF), &c3);
    EXPECT_TRUE(handler->RemoveControlById(3));
    EXPECT_FALSE(handler->RemoveControlById(3));
    EXPECT_EQ(handler->GetNumberOfControls(), 1u);
    EXPECT_EQ(handler->GetControlById(3), nullptr);
    EXPECT_TRUE(handler->DeInit());
    factory.DestroyDeviceHandler(handler);
    EXPECT_EQ(handler, nullptr);
    factory.DestroyDeviceHandler(handler);
}

TEST(OutputDeviceHandlerTest, UpdateAndConfigChangedVisitListsInKindOrderThenTheMap)
{
    Output::DeviceHandler handler;
    std::vector<IControlable*> log;
    std::vector<std::unique_ptr<IControlable>> controls;
    auto make = [&](const KindOperations& kind) {
        controls.emplace_back(kind.make());
        dynamic_cast<Testing::FakeControlCounts*>(controls.back().get())->mUpdateLog = &log;
        return controls.back().get();
    };
    // The map's control first, then the kinds in reverse order, two each: only the handler's
    // order can sort them.
    const std::vector<KindOperations> kinds = AllKinds();
    IControlable* custom = make(kinds[0]);
    EXPECT_TRUE(handler.AddControl(1, custom));
    for (auto kind = kinds.rbegin(); kind != kinds.rend(); ++kind)
        for (int i = 0; i < 2; ++i)
            ASSERT_TRUE(kind->add(handler, make(*kind)));
    std::vector<IControlable*> expected;
    for (const KindOperations& kind : kinds) {
        expected.push_back(kind.get(handler, 0));
        expected.push_back(kind.get(handler, 1));
    }
    expected.push_back(custom);

    EXPECT_TRUE(handler.Update());
    EXPECT_EQ(log, expected);
    handler.ConfigChanged(nullptr, 42);
    for (const std::unique_ptr<IControlable>& control : controls) {
        const auto* counts = dynamic_cast<Testing::FakeControlCounts*>(control.get());
        EXPECT_EQ(counts->mUpdateCount, 1u);
        EXPECT_EQ(counts->mConfigChangedCount, 1u);
        EXPECT_EQ(counts->mLastStamp, 42u);
        EXPECT_EQ(counts->mProcessCount, 0u);
    }
    EXPECT_TRUE(handler.BeginProcessLogic());
    EXPECT_TRUE(handler.EndProcessLogic());
}

} // namespace
} // namespace Vorn
