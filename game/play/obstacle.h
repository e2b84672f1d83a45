// The obstacles that stand in the way of shots: flying bees that cross the play field, buzz and
// are destroyed once shots have taken their life, and rocks that stand still and swallow every
// shot. The container places both from the level, moves the bees and answers the hit test that
// flying shots and the launcher ask for.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "game/graph_instance_container.h"
#include "game/graph_position_object.h"
#include "logic/graph_node.h"
#include "logic/stepable.h"

namespace Vorn {
namespace Graph {
class IDisplayPlane;
class INamespace;
class INode;
class IParameters;
class IScalable;
class ISwitch;
class ITimeline;
class ITransform;
} // namespace Graph

namespace App {

class ExplosionHandler;
class GameState;
class SoundContainer;

class Obstacle : public GraphPositionObject
{
public:
    static constexpr SInt32 DepthOrderBase = 301000;
    // Types 0 to 2 are the bee pictures under "/select".
    static constexpr SInt32 NumberOfTypes = 3;
    // What a shot's radius is grown by for a hit.
    static constexpr Float HitReach = 66.0f;
    // Sounds that BuzzTick asks for.
    static constexpr UInt32 SoundBee = 19;
    static constexpr UInt32 SoundWatchout = 74;

    Obstacle();
    ~Obstacle() override;

    // The base's reset, the defaults, status bar and hint off, full life bar in its colours.
    void Reset() override;
    // Binds the instance root at the path and its nodes; false when one is missing.
    Bool Init(Graph::INamespace* nameSpace, const String& path, UInt32 index) override;
    Bool DeInit() override;
    Graph::INode* GetRootNode() const override;

    // Shows the type's picture and binds its nodes; false for a type beyond the pictures or a
    // picture without "rotation" or "plane".
    Bool SetObstacleType(SInt32 type);
    // Full life; the status bar shows only for a life above 0.
    void SetLife(SInt32 life);
    void SetVelocity(Float vx, Float vy) { mVelocity = Math::Vector<Float>(vx, vy, 0.0f, 1.0f); }
    const Math::Vector<Float>& GetVelocity() const { return mVelocity; }
    void SetDelay(Float delay) { mDelay = delay; }
    SInt32 GetType() const { return mType; }
    SInt32 GetLife() const { return mLife; }
    SInt32 GetMaxLife() const { return mMaxLife; }
    Float GetHitTimer() const { return mHitTimer; }
    // Not waiting to enter.
    Bool IsActive() const { return !(mDelay > 0.0f); }
    Bool IsAlive() const { return IsActive() && mMaxLife > 0; }
    // True once beyond the area by 160 units and still moving outwards.
    Bool HasLeftArea(Float width, Float height) const;
    // Waits, or moves (unless stunned) and faces its direction of travel.
    void Step(Double dt);
    // Takes the damage; false when it used up the last life. A survivor is stunned and pushed
    // away from the hit point.
    Bool Hit(SInt32 damage, const Math::Vector<Float>& hitPoint);
    // The sound to keep playing: 0 while waiting, "watchout" once after each reset when the buzz
    // timer first runs out, else "bee".
    UInt32 BuzzTick(Float dt);
    // Shows the arrow that asks to shoot it.
    void ShowHint();
    Bool IsNear(const Math::Vector<Float>& point, Float r, Float r2) const;
    // Near a flying obstacle within r + 66.
    Bool IsNearTyped(const Math::Vector<Float>& point, Float r) const;

private:
    void ReleaseTypeNodes();
    void SetBodyColour(Float red, Float green, Float blue);
    void Face();

    SInt32 mType;
    SInt32 mMaxLife;
    SInt32 mLife;
    Math::Vector<Float> mVelocity;
    Float mDelay;
    Float mBuzzTimer;
    Bool mIsFirstBuzz;
    Float mPlaneWidth;
    Float mPlaneHeight;
    Float mHitTimer;

    Logic::GraphNodeT<Graph::INamespace> mRoot;
    Logic::GraphNodeT<Graph::ISwitch> mSelect;
    Logic::GraphNodeT<Graph::IParameters> mStatusColour;
    Logic::GraphNodeT<Graph::IScalable> mLifeBar;
    Logic::GraphNodeT<Graph::ITransform> mLifeOffset;
    Logic::GraphNodeT<Graph::ITransform> mStatusBar;
    Logic::GraphNodeT<Graph::INode> mShootMe;
    Logic::GraphNodeT<Graph::ITimeline> mShootMeTimeline;
    Logic::GraphNodeT<Graph::ITransform> mWings;
    Logic::GraphNodeT<Graph::ITransform> mWingsRotation;
    Logic::GraphNodeT<Graph::ITimeline> mWingsTimeline;
    Logic::GraphNodeT<Graph::IParameters> mBodyColour;
    // Nodes of the selected type.
    Logic::GraphNodeT<Graph::ITransform> mRotation;
    Logic::GraphNodeT<Graph::ITransform> mShadowRotation;
};

class ObstacleRock : public GraphPositionObject
{
public:
    static constexpr SInt32 DepthOrderBase = 5000;
    static constexpr Float HitReach = 60.0f;

    ObstacleRock();
    ~ObstacleRock() override;

    // Binds the instance root, "/position" and the plane "plane" whose size snaps the rock to the
    // pixel grid; false when one is missing.
    Bool Init(Graph::INamespace* nameSpace, const String& path, UInt32 index) override;
    Bool DeInit() override;
    // x and y on the pixel grid; z is left.
    void UpdateTransform() override;
    Graph::INode* GetRootNode() const override;

private:
    Logic::GraphNodeT<Graph::INamespace> mRoot;
    Float mPlaneWidth;
    Float mPlaneHeight;
};

class ObstacleContainer : public Logic::IStepable
{
public:
    // The obstacle whose hint shows on the level that teaches shooting them.
    static constexpr UInt32 HintLevel = 20;
    // Where the rock pool lies, whatever the base path.
    static const char* const RockBasePath;

    ObstacleContainer(GameState* gameState, ExplosionHandler* explosionHandler, SoundContainer* sounds);
    ~ObstacleContainer() override;

    // Binds the obstacles under the base path, then the rocks; false when either is missing.
    Bool Init(Graph::INamespace* nameSpace, const String& basePath);
    // True only when both pools let go of their nodes.
    Bool DeInit();

    // Empties both pools for a new level; "watchout" may play again.
    void Reset() override;
    // Moves, retires and buzzes the obstacles while the level is in play or just lost.
    void Step(Double dt) override;

    // A flying obstacle placed with its delay; null for a type beyond the pictures or when the
    // pool is exhausted.
    Obstacle* AddObstacle(SInt32 type, Float x, Float y, Float vx, Float vy, Float delay, SInt32 life);
    // Null when the pool is exhausted.
    ObstacleRock* AddRock(Float x, Float y);
    Bool HasLivingObstacle() const;
    // Whether a shot at the point with the radius hits an obstacle or a rock, with the hit's
    // effects, sounds and score; withFinale adds the closing burst.
    Bool HitTest(const Math::Vector<Float>& point, Float radius, SInt32 damage, Bool withFinale);
    // Retires the obstacle of the pool index with the effect (1 to 39; others start none).
    void DestroyObstacle(UInt32 index, UInt32 effectType);
    // Retires every active obstacle without score.
    void DestroyAll();

    GraphInstanceContainer<Obstacle>& GetObstacles() { return mObstacles; }
    GraphInstanceContainer<ObstacleRock>& GetRocks() { return mRocks; }

private:
    ObstacleContainer(const ObstacleContainer&) = delete;
    ObstacleContainer& operator=(const ObstacleContainer&) = delete;

    void StartEffect(UInt32 type, const Math::Vector<Float>& position, Float first, Float second);

    GameState* mGameState;
    ExplosionHandler* mExplosionHandler;
    SoundContainer* mSounds;
    Bool mWarningPlayed;
    GraphInstanceContainer<Obstacle> mObstacles;
    GraphInstanceContainer<ObstacleRock> mRocks;
};

} // namespace App
} // namespace Vorn
