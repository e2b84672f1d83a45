// Ash and ice explosions: short sprite animations of the play field that play on their own graph
// timeline. The explosion handler places and starts one; the pool's step follows the game's speed
// and takes an explosion back once its timeline has stopped.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "game/graph_instance_container.h"
#include "game/graph_position_object.h"
#include "logic/graph_node.h"
#include "logic/stepable.h"

namespace Vorn {
namespace Graph {
class INamespace;
class ITimeline;
} // namespace Graph

namespace App {

class GameState;

// One instance: its root, its "/timeline" and the transform of its "/sequence".
class TimedExplosion : public GraphPositionObject
{
public:
    // Never slower than half speed.
    static constexpr Float kMinSpeed = 0.5f;

    explicit TimedExplosion(SInt32 depthOrderBase);
    ~TimedExplosion() override;

    // Binds the root at the path, its "/timeline" and its "/sequence"; false when one is missing.
    Bool Init(Graph::INamespace* nameSpace, const String& path, UInt32 index) override;
    Graph::INode* GetRootNode() const override;

    // Rewinds the timeline and runs it at time scale 1.
    void Start();
    // The time scale of a running timeline, raised to half speed; a stopped one is left alone.
    void SetSpeed(Float speed);
    Bool IsRunning() const;
    // A turn of angle radians about z; the translation is kept.
    void SetRotation(Float angle);
    void SetActiveAndVisible(Bool on);

private:
    Logic::GraphNodeT<Graph::INamespace>* mNamespaceNode;
    Logic::GraphNodeT<Graph::ITimeline>* mTimelineNode;
};

class IceExplosion : public TimedExplosion
{
public:
    static constexpr SInt32 kDepthOrderBase = 201000;
    IceExplosion() : TimedExplosion(kDepthOrderBase) {}
};

class AshExplosion : public TimedExplosion
{
public:
    static constexpr SInt32 kDepthOrderBase = 202000;
    AshExplosion() : TimedExplosion(kDepthOrderBase) {}
};

// The pool of one kind of explosion, stepped with the game: each step sets the game's speed on
// every running explosion and takes back those whose timeline has stopped.
template <class T>
class TimedExplosionContainer : public GraphInstanceContainer<T>, public Logic::IStepable
{
public:
    // Without a game state the explosions play at time scale 1.
    explicit TimedExplosionContainer(GameState* gameState) : mGameState(gameState) {}

    using GraphInstanceContainer<T>::Init;
    void Reset() override { this->ReleaseAll(); }
    void Step(Double dt) override;

protected:
    Float GetSpeed() const;

    GameState* mGameState;
};

class IceExplosionContainer : public TimedExplosionContainer<IceExplosion>
{
public:
    explicit IceExplosionContainer(GameState* gameState) : TimedExplosionContainer<IceExplosion>(gameState) {}
    using TimedExplosionContainer<IceExplosion>::Init;
    // Binds "/iceexplosion" instances under "/iceexplosion_container" below the base path.
    Bool Init(Graph::INamespace* nameSpace, const String& basePath);
};

class AshExplosionContainer : public TimedExplosionContainer<AshExplosion>
{
public:
    explicit AshExplosionContainer(GameState* gameState) : TimedExplosionContainer<AshExplosion>(gameState) {}
    using TimedExplosionContainer<AshExplosion>::Init;
    // Binds "/ashexplosion" instances under "/ashexplosion_container" below the base path.
    Bool Init(Graph::INamespace* nameSpace, const String& basePath);
};

extern template class TimedExplosionContainer<IceExplosion>;
extern template class TimedExplosionContainer<AshExplosion>;

} // namespace App
} // namespace Vorn
