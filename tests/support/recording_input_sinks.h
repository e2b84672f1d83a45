// Feed interfaces of the input devices that record what the platform wrote into them, in order,
// for the window and DirectInput tests.
#pragma once

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "input/device.h"

namespace Vorn {
namespace Testing {

class RecordingKeyboard : public IKeyboard
{
public:
    void AddText(const String& text) override { mTexts.push_back(text.GetText()); }
    std::vector<std::string> mTexts;
};

class RecordingMouse : public IMouse
{
public:
    using Event = std::tuple<UInt32, UInt32, Float, Float>;
    void SetPointer(UInt32 action, UInt32 button, Float x, Float y) override { mEvents.emplace_back(action, button, x, y); }
    std::vector<Event> mEvents;
};

class RecordingRawMouse : public IRawMouse
{
public:
    using Event = std::tuple<UInt32, SInt32, SInt32>;
    void SetMotion(UInt32 action, SInt32 a, SInt32 b) override { mEvents.emplace_back(action, a, b); }
    std::vector<Event> mEvents;
};

class RecordingRawKeyboard : public IRawKeyboard
{
public:
    void SetKey(UInt32 action, UInt32 key) override { mEvents.emplace_back(action, key); }
    std::vector<std::pair<UInt32, UInt32>> mEvents;
};

} // namespace Testing
} // namespace Vorn
