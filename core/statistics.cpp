#include "core/statistics.h"

#include <cstdio>

#include "foundation/configuration.h"
#include "graph/node.h"
#include "graph/root.h"
#include "graph/text.h"
#include "graph/transform/scalable.h"

namespace Vorn {
namespace Core {

namespace {

const char* const kStageLabels[Statistics::kNumberOfStages] = {
    "us Proc", "us Fnsh", "us Step", "us Anim", "us Prep", "us Cull", "us Enqu", "us Rend",
};

const char* const kCountLabels[Statistics::kNumberOfCounts] = {
    "# Init", "# Proc", "# Fnsh", "# Prep", "# Cull", "# Enqu",
};

void AppendLine(String& text, const char* label, const char* format, Double value)
{
    char number[64];
    std::snprintf(number, sizeof(number), format, value);
    text += label;
    text += ": ";
    text += number;
    text += "\n";
}

void AppendCountLine(String& text, const char* label, UInt32 value)
{
    char number[64];
    std::snprintf(number, sizeof(number), "%6d", SInt32(value));
    text += label;
    text += ": ";
    text += number;
    text += "\n";
}

Math::Vector<float> ScaleVector(Float scale)
{
    return Math::Vector<float>(scale, scale, 1.0f, 0.0f);
}

} // namespace

Statistics::Statistics(Clock::TimeSource timeSource)
    : mTimeSource(timeSource != nullptr ? timeSource : &System::Time::GetCurrent)
{
    for (UInt32& count : mCounts)
        count = 0;
}

Statistics::~Statistics() {}

void Statistics::StartTimer(Stage stage)
{
    mTimers[stage].mStart = mTimeSource();
}

void Statistics::StopTimer(Stage stage)
{
    Timer& timer = mTimers[stage];
    timer.mEnd = mTimeSource();
    timer.mAccumulated += Double((timer.mEnd - timer.mStart).ToMicroSeconds());
}

void Statistics::SetCount(Count count, UInt32 value)
{
    mCounts[count] = value;
}

void Statistics::Reset()
{
    for (Timer& timer : mTimers)
        timer.mAccumulated = 0.0;
}

void Statistics::Smooth()
{
    for (Timer& timer : mTimers)
        timer.mSmoothed = timer.mAccumulated * 0.1 + timer.mSmoothed * 0.9;
}

Double Statistics::GetFrameTime(Stage stage) const
{
    return mTimers[stage].mAccumulated;
}

Double Statistics::GetSmoothedTime(Stage stage) const
{
    return mTimers[stage].mSmoothed;
}

String Statistics::BuildReport() const
{
    String text("\n");
    Double total = 0.0;
    for (UInt32 stage = kProc; stage < kRend; ++stage) {
        AppendLine(text, kStageLabels[stage], "%6.0f", mTimers[stage].mSmoothed);
        total += mTimers[stage].mSmoothed;
    }
    AppendLine(text, "us Tot ", "%6.0f", total);
    text += "\n";
    for (UInt32 count = 0; count < kNumberOfCounts; ++count)
        AppendCountLine(text, kCountLabels[count], mCounts[count]);
    text += "\n";
    AppendLine(text, kStageLabels[kRend], "%6.0f", mTimers[kRend].mSmoothed);
    return text;
}

template <typename Interface>
void Statistics::Bind(Graph::IRoot* root, const char* path, DebugNode<Interface>& slot)
{
    Graph::INode* node = root->FindNode(path);
    if (node == nullptr)
        return;
    Interface* face = dynamic_cast<Interface*>(node);
    if (face == nullptr) {
        node->RemoveReference();
        return;
    }
    slot.mNode = node;
    slot.mInterface = face;
}

template <typename Interface>
void Statistics::Release(DebugNode<Interface>& slot)
{
    if (slot.mNode != nullptr)
        slot.mNode->RemoveReference();
    slot.mNode = nullptr;
    slot.mInterface = nullptr;
}

Bool Statistics::BindNodes(Graph::IRoot* root, Float scale)
{
    ReleaseNodes();
    Bind(root, "/debug/system_message", mSystemMessage);
    Bind(root, "/debug/system_scale", mSystemScale);
    Bind(root, "/debug/user_message", mUserMessage);
    Bind(root, "/debug/user_scale", mUserScale);
    ApplyScale(scale);
    return true;
}

void Statistics::ConfigChanged(const IConfiguration* configuration, UInt32 stamp)
{
    if (configuration->HasDebugTextScaleChanged(stamp))
        ApplyScale(configuration->GetDebugTextScale());
}

void Statistics::ApplyScale(Float scale)
{
    if (mSystemScale.mInterface != nullptr)
        mSystemScale.mInterface->SetScaleFactor(ScaleVector(scale));
    if (mUserScale.mInterface != nullptr)
        mUserScale.mInterface->SetScaleFactor(ScaleVector(scale));
}

void Statistics::ReleaseNodes()
{
    Release(mSystemMessage);
    Release(mSystemScale);
    Release(mUserMessage);
    Release(mUserScale);
}

Bool Statistics::HasSystemMessage() const
{
    return mSystemMessage.mInterface != nullptr;
}

Bool Statistics::HasUserMessage() const
{
    return mUserMessage.mInterface != nullptr;
}

void Statistics::SetSystemMessage(const String& text)
{
    if (mSystemMessage.mInterface != nullptr)
        mSystemMessage.mInterface->SetText(text);
}

void Statistics::SetUserMessage(const String& text)
{
    if (mUserMessage.mInterface != nullptr)
        mUserMessage.mInterface->SetText(text);
}

String Statistics::BuildSystemMessage(const IClock* clock) const
{
    const Double frameDuration = clock->GetFrameDuration();
    const UInt32 framesPerSecond = frameDuration != 0.0 ? UInt32(1.0 / frameDuration) : 0;
    char line[64];
    std::snprintf(line, sizeof(line), "FPS:%u\nTPF:%u\n", framesPerSecond, clock->GetNumberOfSteps());
    return String(line) + BuildReport();
}

} // namespace Core
} // namespace Vorn
