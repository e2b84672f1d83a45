#include "game/sound_container.h"

#include "game/game_state.h"
#include "graph/audio/playable.h"
#include "graph/namespace.h"
#include "graph/time/timeline.h"

namespace Vorn {
namespace App {

namespace {

struct SoundRow
{
    UInt32 entry;
    const char* name;
};

// In the order the variants are added; only the order within an entry matters.
const SoundRow kSoundTable[] = {
    {1, "title"}, {2, "beach"}, {3, "grass"}, {4, "winter"}, {5, "win"}, {6, "loser"}, {7, "pause"},
    {8, "fanfare"}, {9, "click"}, {10, "ape1"}, {11, "ape2"}, {18, "bigtranq"}, {19, "bee"}, {20, "carrot"},
    {21, "donk3"}, {22, "beehit"}, {22, "beehit"}, {23, "rockhit"}, {24, "explosion1"}, {24, "explosion2"},
    {24, "explosion3"}, {24, "explosion4"}, {24, "explosion5"}, {25, "expl_blue"}, {26, "expl_red"},
    {27, "descent"}, {12, "frog1"}, {13, "frog2"}, {14, "lion1"}, {15, "panda"}, {28, "pop"}, {29, "pop2_1"},
    {29, "pop2_2"}, {29, "pop2_3"}, {29, "pop2_4"}, {16, "rabbit"}, {30, "ramp1"}, {31, "removeanimals"},
    {32, "removeanimals1"}, {33, "removeanimals2"}, {34, "removeanimals3"}, {35, "removeanimals4"},
    {36, "removeanimals5"}, {37, "removeanimals6"}, {38, "removeanimals7"}, {39, "removeanimals8"},
    {40, "removeanimals9"}, {41, "removeanimals10"}, {42, "rhino"}, {43, "sign"}, {17, "snake1"}, {44, "tranq"},
    {45, "whistle"}, {46, "jingle1"}, {47, "jingle2"}, {48, "jingle7"}, {49, "flute1"}, {50, "flute2"},
    {51, "flute_combo"}, {52, "icebreak"}, {53, "swirl"}, {54, "bounce"}, {55, "bounce2"}, {56, "scratch"},
    {56, "scratch2"}, {56, "scratch3"}, {57, "rattle"}, {58, "airstrike"}, {59, "donk"}, {60, "excellent"},
    {61, "yourock"}, {62, "yourule"}, {63, "zesty"}, {64, "great"}, {65, "wow"}, {66, "yihaa"}, {67, "ohnoes"},
    {68, "uhoh"}, {69, "dontgiveup"}, {70, "toobad"}, {71, "welcomeback"}, {72, "nice"}, {73, "hurryup"},
    {74, "watchout"}, {30, "ramp2"}, {30, "ramp3"}, {30, "ramp4"},
};

constexpr Double kFadeRate = 2.0; // a fade takes half a second

} // namespace

SoundContainer::SoundContainer(const GameState* gameState) : mGameState(gameState) {}

SoundContainer::~SoundContainer() {}

void SoundContainer::BuildTable(Graph::INamespace* nameSpace)
{
    mEntries.clear();
    for (UInt32 i = 0; i < NumberOfEntries; ++i)
        mEntries.push_back(std::make_unique<SoundCluster>());
    for (const SoundRow& row : kSoundTable)
        AddVariant(row.entry, nameSpace, String("/sounds/") + row.name);
}

void SoundContainer::AddVariant(UInt32 entry, Graph::INamespace* nameSpace, const String& path)
{
    if (entry >= NumberOfEntries || entry >= mEntries.size())
        return;
    auto variant = std::make_unique<SoundBundle>();
    variant->mTimeline.GetReference(nameSpace, path + "/timeline");
    variant->mSequence.GetReference(nameSpace, path + "/sequence");
    if (!variant->mTimeline.IsValid() || !variant->mSequence.IsValid())
        return; // the references let go of what they found with the variant
    variant->mVolume = variant->mSequence.Get()->GetVolume();
    mEntries[entry]->mVariants.push_back(std::move(variant));
    mEntries[entry]->mEnabled = true;
}

Bool SoundContainer::DeInit()
{
    Bool released = true;
    for (const std::unique_ptr<SoundCluster>& entry : mEntries) {
        for (const std::unique_ptr<SoundBundle>& variant : entry->mVariants) {
            released = variant->mTimeline.Remove() && released;
            released = variant->mSequence.Remove() && released;
        }
    }
    return released;
}

Bool SoundContainer::IsMuted() const
{
    return mGameState != nullptr && mGameState->IsMuted();
}

SoundContainer::SoundCluster* SoundContainer::GetEntry(UInt32 entry) const
{
    if (entry == 0 || entry >= NumberOfEntries || entry >= mEntries.size() || !mEntries[entry]->mEnabled)
        return nullptr;
    return mEntries[entry].get();
}

void SoundContainer::StartAtOwnVolume(SoundBundle& variant)
{
    variant.mSequence.Get()->SetVolume(variant.mVolume);
    variant.mTimeline.Get()->Rewind();
    variant.mTimeline.Get()->Start();
}

void SoundContainer::Play(UInt32 entry)
{
    SoundCluster* cluster = IsMuted() ? nullptr : GetEntry(entry);
    if (cluster == nullptr)
        return;
    if (cluster->mVariants.size() == 1) {
        cluster->mVariants[0]->mTimeline.Get()->Stop();
        StartAtOwnVolume(*cluster->mVariants[0]);
        return;
    }
    SoundBundle* closestToEnd = nullptr;
    for (const std::unique_ptr<SoundBundle>& variant : cluster->mVariants) {
        Graph::ITimeline* timeline = variant->mTimeline.Get();
        if (!timeline->IsRunning()) {
            StartAtOwnVolume(*variant);
            return;
        }
        if (closestToEnd == nullptr ||
            timeline->GetRemainingTime() < closestToEnd->mTimeline.Get()->GetRemainingTime())
            closestToEnd = variant.get();
    }
    Graph::ITimeline* timeline = closestToEnd->mTimeline.Get();
    timeline->Stop();
    timeline->Rewind();
    timeline->Start();
}

void SoundContainer::PlayIfIdle(UInt32 entry, Bool fadeIn)
{
    SoundCluster* cluster = IsMuted() ? nullptr : GetEntry(entry);
    if (cluster == nullptr)
        return;
    SoundBundle& variant = *cluster->mVariants[0];
    if (variant.mTimeline.Get()->IsRunning())
        return;
    if (fadeIn) {
        variant.mFadeState = SoundBundle::kFadeIn;
    } else {
        variant.mFadeState = SoundBundle::kNoFade;
        variant.mSequence.Get()->SetVolume(variant.mVolume);
    }
    variant.mTimeline.Get()->Start();
}

Bool SoundContainer::IsPlaying(UInt32 entry) const
{
    const SoundCluster* cluster = IsMuted() ? nullptr : GetEntry(entry);
    return cluster != nullptr && cluster->mVariants[0]->mTimeline.Get()->IsRunning();
}

void SoundContainer::Stop(UInt32 entry)
{
    if (SoundCluster* cluster = GetEntry(entry)) {
        for (const std::unique_ptr<SoundBundle>& variant : cluster->mVariants) {
            variant->mFadeState = SoundBundle::kNoFade;
            variant->mTimeline.Get()->Stop();
        }
    }
}

void SoundContainer::FadeOut(UInt32 entry)
{
    if (SoundCluster* cluster = GetEntry(entry)) {
        for (const std::unique_ptr<SoundBundle>& variant : cluster->mVariants)
            variant->mFadeState = SoundBundle::kFadeOutThenPause;
    }
}

void SoundContainer::ForEachVariant(UInt32 first, UInt32 last, void (*action)(SoundBundle&))
{
    for (UInt32 entry = first; entry <= last; ++entry) {
        if (SoundCluster* cluster = GetEntry(entry)) {
            for (const std::unique_ptr<SoundBundle>& variant : cluster->mVariants)
                action(*variant);
        }
    }
}

void SoundContainer::PauseMusic()
{
    if (mEntries.size() > LastMusicEntry)
        ForEachVariant(1, LastMusicEntry, [](SoundBundle& variant) { variant.mTimeline.Get()->Pause(); });
}

void SoundContainer::StopEffects()
{
    if (mEntries.size() >= NumberOfEntries)
        ForEachVariant(LastMusicEntry + 1, NumberOfEntries - 1,
                       [](SoundBundle& variant) { variant.mTimeline.Get()->Stop(); });
}

void SoundContainer::Step(Double dt)
{
    for (const std::unique_ptr<SoundCluster>& cluster : mEntries) {
        for (const std::unique_ptr<SoundBundle>& variant : cluster->mVariants) {
            if (variant->mFadeState == SoundBundle::kNoFade || !variant->mTimeline.Get()->IsRunning())
                continue;
            Graph::IPlayable* sequence = variant->mSequence.Get();
            const Double step = dt * kFadeRate * Double(variant->mVolume);
            if (variant->mFadeState == SoundBundle::kFadeIn) {
                const Double volume = Double(sequence->GetVolume()) + step;
                if (volume >= Double(variant->mVolume)) {
                    sequence->SetVolume(variant->mVolume);
                    variant->mFadeState = SoundBundle::kNoFade;
                } else {
                    sequence->SetVolume(Float(volume));
                }
                continue;
            }
            const Double volume = Double(sequence->GetVolume()) - step;
            if (volume > 0.0) {
                sequence->SetVolume(Float(volume));
                continue;
            }
            if (variant->mFadeState == SoundBundle::kFadeOutThenPause)
                variant->mTimeline.Get()->Pause();
            else
                variant->mTimeline.Get()->Stop();
            variant->mFadeState = SoundBundle::kNoFade;
        }
    }
}

UInt32 SoundContainer::GetNumberOfVariants(UInt32 entry) const
{
    const SoundCluster* cluster = GetEntry(entry);
    return cluster != nullptr ? UInt32(cluster->mVariants.size()) : 0;
}

} // namespace App
} // namespace Vorn
