// Clouds drifting over the play field. Each cloud entry of a level becomes an emitter that bursts
// a number of clouds at spread-out times from one edge; the clouds are pooled instances of the
// "/clouds" graph, moved every step and taken back once they have left the screen.
#pragma once

#include <vector>

#include "foundation/random.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "game/graph_instance_container.h"
#include "game/graph_position_object.h"
#include "logic/graph_node.h"
#include "logic/stepable.h"

namespace Vorn {
namespace Graph {
class INamespace;
class IParameters;
class ISwitch;
} // namespace Graph

namespace App {

class GameState;

class Clouds : public GraphPositionObject
{
public:
    static constexpr SInt32 kDepthOrderBase = 800500;
    // How far past the edge it drifts toward a cloud goes before it is off screen.
    static constexpr Float kOffScreenMargin = 300.0f;

    Clouds();
    ~Clouds() override;

    // The base's reset with the velocity zeroed.
    void Reset() override;
    // Binds the instance root at the path and its "/select", "/parameters" and "/position";
    // false when one is missing.
    Bool Init(Graph::INamespace* nameSpace, const String& path, UInt32 index) override;
    Bool DeInit() override;
    Graph::INode* GetRootNode() const override;

    void SetVelocity(const Math::Vector<Float>& velocity) { mVelocity = velocity; }
    const Math::Vector<Float>& GetVelocity() const { return mVelocity; }
    // Position += velocity × dt, written into the transform.
    void Move(Float dt);
    void SetActiveAndVisible(Bool visible) { SetActive(visible); }
    Bool IsActiveAndVisible() const;
    // Selects the type's picture and its opacity variants; a type beyond the pictures changes
    // nothing.
    void SetCloudType(UInt32 type);
    // Nearly opaque clouds use the type's opacity variants; fainter ones fade by colour.
    void SetOpacity(Float alpha);
    // True once past the edge it drifts toward; a cloud at rest in an axis never leaves by it.
    Bool IsOffScreen(Float width, Float height) const;

private:
    Math::Vector<Float> mVelocity;
    Logic::GraphNodeT<Graph::INamespace>* mNamespace;
    Logic::GraphNodeT<Graph::ISwitch>* mSelect;
    Logic::GraphNodeT<Graph::IParameters>* mParameters;
    Graph::ISwitch* mOpacity;
};

struct CloudEmitter
{
    UInt32 mCount = 0;
    // Sorted; the larger is also the time between bursts.
    Float mDelayMin = 0.0f;
    Float mDelayMax = 0.0f;
    // Bursts after the first; kUnlimited bursts for ever.
    UInt32 mBurstLimit = 0;
    UInt32 mBursts = 0;
    Float mSpeedA = 0.0f, mSpeedB = 0.0f;
    Float mOpacityA = 0.75f, mOpacityB = 1.0f;
    Float mPositionXA = 0.0f, mPositionXB = 0.0f, mPositionYA = 0.0f, mPositionYB = 0.0f;
    Float mDirectionXA = 0.0f, mDirectionXB = 0.0f, mDirectionYA = 0.0f, mDirectionYB = 0.0f;
    Float mTimer = 0.0f;

    static constexpr UInt32 kUnlimited = 0xFFFFFFFF;
};

struct ScheduledCloud
{
    UInt32 mType = 0;
    Float mDelay = 0.0f;
    Float mOpacity = 0.0f;
    Math::Vector<Float> mPosition{0.0f, 0.0f, 0.0f, 1.0f};
    Math::Vector<Float> mVelocity{0.0f, 0.0f, 0.0f, 0.0f};
};

// The play field's clouds, bound to "/clouds" instances under "/clouds_container".
class CloudsContainer : public GraphInstanceContainer<Clouds>, public Logic::IStepable
{
public:
    static constexpr UInt32 kNumberOfPresets = 32;
    static constexpr UInt32 kNumberOfTypes = 5;
    // Twenty one-second steps fill the sky before a level whose clouds start at once.
    static constexpr UInt32 kWarmUpSteps = 20;

    // Not owned.
    explicit CloudsContainer(GameState* gameState);
    ~CloudsContainer() override;

    // The pool's own form, with its container and instance names.
    using GraphInstanceContainer<Clouds>::Init;
    Bool Init(Graph::INamespace* nameSpace, const String& basePath);
    // The pool's, with every emitter and waiting cloud dropped.
    Bool DeInit() override;
    void ReleaseAll() override;

    // A cloud of the type, or null when every cloud is in use.
    Clouds* ObtainCloud(UInt32 type);
    // Adds an emitter with the preset's start and direction boxes; an unknown preset, a count of
    // 0 or a speed or delay that is not a number adds nothing.
    void AddCloudPreset(UInt32 preset, UInt32 count, UInt32 burstLimit, Float speedMin, Float speedMax,
                        Float delayMin, Float delayMax);
    // Appends the emitter and makes its first burst.
    void AddEmitter(const CloudEmitter& emitter);

    void Reset() override { ReleaseAll(); }
    void Step(Double dt) override;

    UInt32 GetNumberOfEmitters() const { return UInt32(mEmitters.size()); }
    const CloudEmitter& GetEmitter(UInt32 index) const { return mEmitters[index]; }
    // Clouds waiting for their delay or for a free cloud.
    UInt32 GetNumberOfScheduled() const { return UInt32(mScheduled.size()); }

private:
    void Burst(const CloudEmitter& emitter);
    // A value from the range [min(a, b), max(a, b)).
    Float Draw(Float a, Float b);

    Util::TT800 mRng;
    std::vector<ScheduledCloud> mScheduled;
    std::vector<CloudEmitter> mEmitters;
    GameState* mGameState;
};

} // namespace App
} // namespace Vorn
