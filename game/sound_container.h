// The game's sound table: every sound, music and effects alike, played by a fixed entry number.
// An entry may hold several variants of one sound so that it can overlap itself; music entries
// are paused rather than stopped when the sound is switched off, and single entries fade in.
#pragma once

#include <memory>
#include <vector>

#include "foundation/string.h"
#include "foundation/types.h"
#include "logic/graph_node.h"
#include "logic/stepable.h"

namespace Vorn {
namespace Graph {
class INamespace;
class IPlayable;
class ITimeline;
} // namespace Graph

namespace App {

class GameState;

class SoundContainer : public Logic::IStepable
{
public:
    static constexpr UInt32 NumberOfEntries = 75;
    static constexpr UInt32 LastMusicEntry = 8;

    // One variant: the timeline that plays a sound's sequence, with the sequence's own volume.
    class SoundBundle
    {
    public:
        enum FadeState : UInt32 { kNoFade = 0, kFadeIn = 1, kFadeOutThenPause = 2, kFadeOutThenStop = 3 };
        virtual ~SoundBundle() {}
        UInt32 mFadeState = kNoFade;
        Logic::GraphNodeT<Graph::ITimeline> mTimeline;
        Logic::GraphNodeT<Graph::IPlayable> mSequence;
        Float mVolume = 1.0f;
    };

    // One entry: its variants in order.
    class SoundCluster
    {
    public:
        virtual ~SoundCluster() {}
        Bool mEnabled = false;
        std::vector<std::unique_ptr<SoundBundle>> mVariants;
    };

    // The game state's sound-off setting silences the table.
    explicit SoundContainer(const GameState* gameState);
    ~SoundContainer() override;

    // Sizes the table and binds every variant under "/sounds/" in the namespace; an entry whose
    // nodes are missing stays silent.
    void BuildTable(Graph::INamespace* nameSpace);
    // Appends a variant bound to path + "/timeline" and path + "/sequence" and enables the entry;
    // a variant whose nodes do not resolve is not added.
    void AddVariant(UInt32 entry, Graph::INamespace* nameSpace, const String& path);
    // Releases every reference; true when all were released.
    Bool DeInit();

    void Play(UInt32 entry);
    // Starts the first variant only when it is not running, fading in or at its own volume.
    void PlayIfIdle(UInt32 entry, Bool fadeIn);
    Bool IsPlaying(UInt32 entry) const;
    // Stops every variant, also while the sound is off.
    void Stop(UInt32 entry);
    // Fades every variant out and then pauses it.
    void FadeOut(UInt32 entry);
    void PauseMusic();
    void StopEffects();

    void Reset() override {}
    // Runs the fades.
    void Step(Double dt) override;

    UInt32 GetNumberOfVariants(UInt32 entry) const;

private:
    SoundContainer(const SoundContainer&) = delete;
    SoundContainer& operator=(const SoundContainer&) = delete;

    Bool IsMuted() const;
    // The enabled entry, or null for entry 0, an entry out of range or one without variants.
    SoundCluster* GetEntry(UInt32 entry) const;
    static void StartAtOwnVolume(SoundBundle& variant);
    void ForEachVariant(UInt32 first, UInt32 last, void (*action)(SoundBundle&));

    const GameState* mGameState;
    std::vector<std::unique_ptr<SoundCluster>> mEntries;
};

} // namespace App
} // namespace Vorn
