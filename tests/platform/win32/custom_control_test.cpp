#include "platform/win32/custom_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/controlable.h"
#include "tests/support/fake_device_handler.h"

namespace Vorn {
namespace {

class NamedControl : public IControlable
{
public:
    NamedControl(const char* name, std::vector<std::string>& log) : mName(name), mLog(log) {}
    void Process() override { mLog.push_back(mName + " Process"); }
    void Update() override { mLog.push_back(mName + " Update"); }
    void ConfigChanged(IConfiguration*, UInt32) override { mLog.push_back(mName + " ConfigChanged"); }

private:
    std::string mName;
    std::vector<std::string>& mLog;
};

TEST(CustomControlTest, StepsTheRegisteredControlsInIndexOrderOnlyAfterInit)
{
    std::vector<std::string> log;
    NamedControl first("first", log);
    NamedControl second("second", log);
    Testing::FakeDeviceHandler deviceHandler;
    deviceHandler.mOutput.AddControl(9, &first);
    deviceHandler.mOutput.AddControl(2, &second);

    Win32::CustomControl control;
    control.Process();
    EXPECT_TRUE(log.empty());

    control.Init(&deviceHandler);
    control.Process();
    deviceHandler.mOutput.RemoveControlById(9);
    control.Process();
    EXPECT_EQ(log, (std::vector<std::string>{"first Process", "second Process", "second Process"}));
}

} // namespace
} // namespace Vorn
