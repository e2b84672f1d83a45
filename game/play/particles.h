// Particles: pooled instances of the particle graph (a plane showing one rectangle of the particle
// atlas, with its own position, scale, rotation and colour). An effect fills the four keyed tracks
// of an animator from the application-wide pool and starts it; the pool's step plays it and takes
// it back when every track has ended.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "game/graph_instance_container.h"
#include "game/graph_position_object.h"
#include "logic/animation.h"
#include "logic/graph_node.h"
#include "logic/stepable.h"

namespace Vorn {
namespace Graph {
class IIndexed;
class INamespace;
class IParameters;
class IScalable;
} // namespace Graph

namespace App {

class Particle : public GraphPositionObject
{
public:
    static constexpr SInt32 kDepthOrderBase = 503000;

    Particle();
    ~Particle() override;

    // Origin, identity matrix, image 0 (the plane keeps showing its old image until SetImage),
    // scale 1 and a white diffuse colour.
    void Reset() override;
    // Binds the instance root at the path and its "/scale", "/parameters", "/select" and
    // "/transform"; false when one is missing.
    Bool Init(Graph::INamespace* nameSpace, const String& path, UInt32 index) override;
    Graph::INode* GetRootNode() const override;

    Bool SetImage(SInt32 index);
    SInt32 GetImage() const { return mImageIndex; }
    // Red, green, blue and alpha from 0 to 1, as the diffuse colour.
    void SetColor(const Math::Vector<float>& color);
    void SetColor(Float red, Float green, Float blue, Float alpha);
    void SetScaleFactor(const Math::Vector<float>& factor);
    // A turn of w radians about the axis (x, y, z), taken as given; the translation is kept.
    void SetRotation(const Math::Vector<float>& axisAngle);
    void SetActiveAndVisible(Bool on);

protected:
    SInt32 mImageIndex;
    Logic::GraphNodeT<Graph::INamespace>* mNamespaceNode;
    Logic::GraphNodeT<Graph::IScalable>* mScaleNode;
    Logic::GraphNodeT<Graph::IParameters>* mParametersNode;
    Logic::GraphNodeT<Graph::IIndexed>* mSelectNode;
};

// A keyed vector track whose key storage survives clearing, so that a recycled animator fills
// its keys without allocating.
class ParticleTrack : public Logic::Animation<Math::Vector<float>>
{
public:
    // No keys, the storage kept.
    void RemoveKeys();
};

class ParticleAnimator : public Particle
{
public:
    ParticleAnimator();
    ~ParticleAnimator() override;

    // As Particle, and every track emptied, stopped and rewound; not persistent. End times and
    // time scales stay as the last user set them.
    void Reset() override;
    // Hides the particle until its first update and runs every track that has keys.
    void Start();
    // Shows the particle, steps each track by dt seconds and applies the value of every track
    // still running.
    void Update(Double dt);
    Bool IsAnimating() const;
    Bool IsPersistent() const { return mIsPersistent; }
    void SetPersistent(Bool persistent) { mIsPersistent = persistent; }

    // The filling code appends keys and sets end times and time scales on these directly.
    ParticleTrack& GetPositionTrack() { return mPositionTrack; }
    ParticleTrack& GetScaleTrack() { return mScaleTrack; }
    ParticleTrack& GetRotationTrack() { return mRotationTrack; }
    ParticleTrack& GetColorTrack() { return mColorTrack; }

private:
    ParticleTrack mPositionTrack;
    ParticleTrack mScaleTrack;
    ParticleTrack mRotationTrack;
    ParticleTrack mColorTrack;
    Bool mIsPersistent;
};

class GameState;

// The application-wide particle pool, bound to "/particle" instances under "/particle_container".
// Its step follows the game's speed factor.
class ParticleContainer : public GraphInstanceContainer<ParticleAnimator>, public Logic::IStepable
{
public:
    // Particles showing this image ignore the time factor.
    static constexpr SInt32 kUnscaledImage = 15;
    static constexpr Float kMinTimeFactor = 0.001f;

    // Without a game state the particles play at the pace of the step.
    explicit ParticleContainer(GameState* gameState = nullptr);
    ~ParticleContainer() override;

    // The pool's own form, with its container and instance names.
    using GraphInstanceContainer<ParticleAnimator>::Init;
    Bool Init(Graph::INamespace* nameSpace, const String& basePath);

    // Takes every animator back.
    void Reset() override;
    // Takes back each animator in use that has ended and is not persistent, and updates the
    // others with dt times the game's speed factor (at least kMinTimeFactor).
    void Step(Double dt) override;

private:
    GameState* mGameState;
};

} // namespace App
} // namespace Vorn
