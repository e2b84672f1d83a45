#include "game/play/obstacle.h"

#include <cmath>

#include "foundation/attributes.h"
#include "foundation/math.h"
#include "foundation/random.h"
#include "game/game_state.h"
#include "game/helpers.h"
#include "game/play/explosion_handler.h"
#include "game/play/play_seed.h"
#include "game/sound_container.h"
#include "graph/display_plane.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/parameters.h"
#include "graph/switch.h"
#include "graph/time/timeline.h"
#include "graph/transform/scalable.h"
#include "graph/transform/transform.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kSoundBeeHit = 22;
constexpr UInt32 kSoundRockHit = 23;
constexpr UInt32 kSoundExplBlue = 25;
constexpr UInt32 kSoundPop = 28;
constexpr UInt32 kEffectHit = 35;
constexpr UInt32 kEffectSparkle = 1;
constexpr UInt32 kEffectFinale = 38;
constexpr UInt32 kScoreObstacleDestroyed = 10;
constexpr UInt32 kObstaclePoints = 5000;
constexpr Float kLifeBarWidth = 113.0f;
constexpr Float kLifeBarHeight = 16.0f;
constexpr Float kStatusBarHeight = 100.0f;
constexpr Float kPush = 5.0f;
constexpr Float kStunPerDamage = 0.05f;
constexpr Float kAreaMargin = 160.0f;

// The delays of the bursts that a destroyed obstacle and a finale leave behind.
const Float kDestroyDelays[] = {0.05f, 0.1f, 0.2f, 0.3f, 0.4f};
const Float kSparkleDelays[] = {0.0f, 0.1f, 0.2f};
const Float kFinaleDelays[] = {0.1f, 0.2f, 0.4f, 0.7f, 1.0f, 1.3f, 1.6f, 1.9f};

void Show(Logic::GraphINode& reference, Bool shown)
{
    if (Graph::INode* node = reference.GetNode())
        node->SetActiveAndVisible(shown);
}

void SetColour(Logic::GraphNodeT<Graph::IParameters>& reference, Float r, Float g, Float b, Float a)
{
    if (Graph::IParameters* parameters = reference.Get())
        parameters->SetColor(1, Color{r, g, b, a});
}

template <class T>
void BindIfPresent(Logic::GraphNodeT<T>& reference, Graph::INamespace* nameSpace, const char* name)
{
    reference.Remove();
    if (Graph::INode* node = nameSpace->FindNode(String(name))) {
        reference.GetReference(node);
        node->RemoveReference();
    }
}

// The size of the display plane "plane" in the namespace; false when there is none.
Bool ReadPlaneSize(Graph::INamespace* nameSpace, Float& width, Float& height)
{
    Logic::GraphNodeT<Graph::IDisplayPlane> plane;
    BindIfPresent(plane, nameSpace, "plane");
    if (!plane.IsValid())
        return false;
    width = plane.Get()->GetScaleFactorX();
    height = plane.Get()->GetScaleFactorY();
    plane.Remove();
    return true;
}

Float SquaredDistance(const Math::Vector<Float>& a, const Math::Vector<Float>& b)
{
    const Float dx = a.x - b.x;
    const Float dy = a.y - b.y;
    return dx * dx + dy * dy;
}

} // namespace

Obstacle::Obstacle()
    : GraphPositionObject(DepthOrderBase), mType(0), mMaxLife(0), mLife(0), mVelocity(0.0f, 0.0f, 0.0f, 0.0f),
      mDelay(0.0f), mBuzzTimer(13.0f), mIsFirstBuzz(true), mPlaneWidth(0.0f), mPlaneHeight(0.0f), mHitTimer(0.0f)
{
}

Obstacle::~Obstacle() {}

void Obstacle::Reset()
{
    GraphPositionObject::Reset();
    mType = 0;
    mMaxLife = 0;
    mLife = 0;
    mVelocity = Math::Vector<Float>(0.0f, 0.0f, 0.0f, 0.0f);
    mDelay = 0.0f;
    mBuzzTimer = 10.0f;
    mIsFirstBuzz = true;
    mHitTimer = 0.0f;
    Show(mStatusBar, false);
    SetBodyColour(1.0f, 1.0f, 1.0f);
    SetColour(mStatusColour, 0.98f, 0.87f, 0.12f, 1.0f);
    if (Graph::IScalable* life = mLifeBar.Get())
        life->SetScaleFactor(kLifeBarWidth, kLifeBarHeight, 1.0f);
    if (Graph::ITransform* offset = mLifeOffset.Get())
        offset->SetPositionX(0.0f);
    Show(mShootMe, false);
}

Bool Obstacle::Init(Graph::INamespace* nameSpace, const String& path, UInt32 index)
{
    Observe(mRoot.GetReference(nameSpace, path));
    Observe(mSelect.GetReference(nameSpace, path + "/select"));
    Observe(mStatusColour.GetReference(nameSpace, path + "/parameters"));
    Observe(mLifeBar.GetReference(nameSpace, path + "/life"));
    Observe(mLifeOffset.GetReference(nameSpace, path + "/offset"));
    Observe(mStatusBar.GetReference(nameSpace, path + "/statusbar"));
    Observe(mShootMe.GetReference(nameSpace, path + "/shootme"));
    Observe(mShootMeTimeline.GetReference(nameSpace, path + "/shootme_timeline"));
    Observe(mWings.GetReference(nameSpace, path + "/wings"));
    Observe(mWingsRotation.GetReference(nameSpace, path + "/wings_rotation"));
    Observe(mWingsTimeline.GetReference(nameSpace, path + "/wings_timeline"));
    Observe(mBodyColour.GetReference(nameSpace, path + "/parameters_obstacle"));
    return BindTransform(nameSpace, path + "/position", index);
}

Bool Obstacle::DeInit()
{
    ReleaseTypeNodes();
    return GraphPositionObject::DeInit();
}

void Obstacle::ReleaseTypeNodes()
{
    mRotation.Remove();
    mShadowRotation.Remove();
}

Graph::INode* Obstacle::GetRootNode() const
{
    return mRoot.GetNode();
}

void Obstacle::SetBodyColour(Float red, Float green, Float blue)
{
    SetColour(mBodyColour, red, green, blue, 1.0f);
}

Bool Obstacle::SetObstacleType(SInt32 type)
{
    if (type < 0 || type >= NumberOfTypes)
        return false;
    mIsFirstBuzz = true;
    mType = type;
    if (Graph::ITransform* statusBar = mStatusBar.Get())
        statusBar->SetPositionY(kStatusBarHeight);
    ReleaseTypeNodes();
    if (!mSelect.IsValid() || !mSelect.Get()->SetIndex(type))
        return false;
    auto* picture = dynamic_cast<Graph::INamespace*>(mSelect.Get()->GetSelectedChild());
    if (picture == nullptr)
        return false;
    BindIfPresent(mRotation, picture, "rotation");
    if (!mRotation.IsValid())
        return false;
    BindIfPresent(mShadowRotation, picture, "shadow_rotation");
    if (!ReadPlaneSize(picture, mPlaneWidth, mPlaneHeight))
        return false;
    SetBodyColour(1.0f, 1.0f, 1.0f);
    return true;
}

void Obstacle::SetLife(SInt32 life)
{
    mMaxLife = life;
    mLife = life;
    Show(mStatusBar, life > 0);
}

Bool Obstacle::HasLeftArea(Float width, Float height) const
{
    const Float x = mPosition.x;
    const Float y = mPosition.y;
    return (x + kAreaMargin < -width / 2.0f && mVelocity.x < 0.0f) ||
           (x - kAreaMargin > width / 2.0f && mVelocity.x > 0.0f) ||
           (y + kAreaMargin < -height / 2.0f && mVelocity.y < 0.0f) ||
           (y - kAreaMargin > height / 2.0f && mVelocity.y > 0.0f);
}

void Obstacle::Step(Double dt)
{
    if (mDelay > 0.0f) {
        mDelay -= Float(dt);
        return;
    }
    Graph::ITimeline* wings = mWingsTimeline.Get();
    if (!(mHitTimer > 0.0f)) {
        const Float seconds = Float(dt);
        mPosition.x += mVelocity.x * seconds;
        mPosition.y += mVelocity.y * seconds;
        mPosition.z += mVelocity.z * seconds;
        mPosition.w += mVelocity.w * seconds;
        UpdateTransform();
        if (wings != nullptr && !wings->IsRunning()) {
            wings->Rewind();
            wings->Start();
        }
    } else {
        mHitTimer -= Float(dt);
        if (mHitTimer <= 0.0f)
            SetBodyColour(1.0f, 1.0f, 1.0f);
        if (wings != nullptr && wings->IsRunning())
            wings->Pause();
    }
    Face();
}

void Obstacle::Face()
{
    const Float angle = mVelocity.x < 0.0f ? Float(Math::Pi) : 0.0f;
    for (Logic::GraphNodeT<Graph::ITransform>* transform : {&mRotation, &mShadowRotation, &mWingsRotation})
        if (Graph::ITransform* node = transform->Get())
            node->SetRotationY(angle);
}

Bool Obstacle::Hit(SInt32 damage, const Math::Vector<Float>& hitPoint)
{
    if (mMaxLife <= 0)
        return true;
    if (mLife < 1)
        return true;
    // Wide enough that no damage can wrap a life around.
    const SInt64 left = SInt64(mLife) - SInt64(damage);
    mLife = left < 0 ? 0 : SInt32(left > 0x7FFFFFFF ? 0x7FFFFFFF : left);
    if (mLife <= 0)
        return false;
    const Float f = Float(mLife) / Float(mMaxLife);
    SetColour(mStatusColour, 0.98f - 0.09f * f, 0.87f * f, 0.12f * f, 1.0f);
    if (Graph::IScalable* life = mLifeBar.Get())
        life->SetScaleFactor(kLifeBarWidth * f, kLifeBarHeight, 1.0f);
    if (Graph::ITransform* offset = mLifeOffset.Get())
        offset->SetPositionX((kLifeBarWidth * f - kLifeBarWidth) * 0.5f);
    SetBodyColour(0.8f, 0.0f, 0.0f);
    mHitTimer = Float(damage) * kStunPerDamage;
    const Float dx = mPosition.x - hitPoint.x;
    const Float dy = mPosition.y - hitPoint.y;
    const Float dz = mPosition.z - hitPoint.z;
    const Float length = std::sqrt(dx * dx + dy * dy + dz * dz);
    // A hit right at the centre has no direction to push in.
    if (length > 0.0f && std::isfinite(length)) {
        mPosition.x += dx / length * kPush;
        mPosition.y += dy / length * kPush;
        mPosition.z += dz / length * kPush;
    }
    UpdateTransform();
    return true;
}

UInt32 Obstacle::BuzzTick(Float dt)
{
    if (mDelay > 0.0f)
        return 0;
    mBuzzTimer -= dt;
    if (mBuzzTimer <= 0.0f) {
        Util::TT800 random;
        random.Seed(GetPlaySeed());
        mBuzzTimer = random.RandReal(10.0f, 15.0f);
        if (mIsFirstBuzz) {
            mIsFirstBuzz = false;
            return SoundWatchout;
        }
    }
    return SoundBee;
}

void Obstacle::ShowHint()
{
    if (!IsActive())
        return;
    Show(mShootMe, true);
    Graph::ITimeline* timeline = mShootMeTimeline.Get();
    if (timeline != nullptr && !timeline->IsRunning()) {
        timeline->Rewind();
        timeline->Start();
    }
}

Bool Obstacle::IsNear(const Math::Vector<Float>& point, Float r, Float r2) const
{
    return IsActive() && SquaredDistance(mPosition, point) < (r + r2) * (r + r2);
}

Bool Obstacle::IsNearTyped(const Math::Vector<Float>& point, Float r) const
{
    return IsActive() && mType >= 0 && mType < NumberOfTypes &&
           SquaredDistance(mPosition, point) < (r + HitReach) * (r + HitReach);
}

ObstacleRock::ObstacleRock() : GraphPositionObject(DepthOrderBase), mPlaneWidth(0.0f), mPlaneHeight(0.0f) {}

ObstacleRock::~ObstacleRock() {}

Bool ObstacleRock::Init(Graph::INamespace* nameSpace, const String& path, UInt32 index)
{
    Observe(mRoot.GetReference(nameSpace, path));
    if (!BindTransform(nameSpace, path + "/position", index))
        return false;
    Logic::GraphNodeT<Graph::IDisplayPlane> plane;
    if (!plane.GetReference(nameSpace, path + "/plane")->IsValid())
        return false;
    mPlaneWidth = plane.Get()->GetScaleFactorX();
    mPlaneHeight = plane.Get()->GetScaleFactorY();
    return plane.Remove();
}

Bool ObstacleRock::DeInit()
{
    return GraphPositionObject::DeInit();
}

void ObstacleRock::UpdateTransform()
{
    if (mTransformMatrix == nullptr)
        return;
    (*mTransformMatrix)[12] = AlignToPixelGrid(mPosition.x, mPlaneWidth, kMenuPixel);
    (*mTransformMatrix)[13] = AlignToPixelGrid(mPosition.y, mPlaneHeight, kMenuPixel);
}

Graph::INode* ObstacleRock::GetRootNode() const
{
    return mRoot.GetNode();
}

const char* const ObstacleContainer::RockBasePath = "/framebuffer";

ObstacleContainer::ObstacleContainer(GameState* gameState, ExplosionHandler* explosionHandler, SoundContainer* sounds)
    : mGameState(gameState), mExplosionHandler(explosionHandler), mSounds(sounds), mWarningPlayed(false)
{
}

ObstacleContainer::~ObstacleContainer() {}

Bool ObstacleContainer::Init(Graph::INamespace* nameSpace, const String& basePath)
{
    return mObstacles.Init(nameSpace, basePath, "/obstacle_container", "/obstacle") &&
           mRocks.Init(nameSpace, RockBasePath, "/obstacle_container", "/obstacle");
}

Bool ObstacleContainer::DeInit()
{
    const Bool obstacles = mObstacles.DeInit();
    const Bool rocks = mRocks.DeInit();
    return obstacles && rocks;
}

void ObstacleContainer::Reset()
{
    mObstacles.ReleaseAll();
    mRocks.ReleaseAll();
    mWarningPlayed = false;
}

Obstacle* ObstacleContainer::AddObstacle(SInt32 type, Float x, Float y, Float vx, Float vy, Float delay, SInt32 life)
{
    // A type without a picture would be an invisible bee: it is not placed.
    if (type < 0 || type >= Obstacle::NumberOfTypes)
        return nullptr;
    Obstacle* obstacle = mObstacles.Obtain();
    if (obstacle == nullptr)
        return nullptr;
    obstacle->SetObstacleType(type);
    obstacle->SetPosition(x, y);
    obstacle->UpdateTransform();
    obstacle->SetVelocity(vx, vy);
    obstacle->SetLife(life);
    obstacle->SetDelay(delay);
    return obstacle;
}

ObstacleRock* ObstacleContainer::AddRock(Float x, Float y)
{
    ObstacleRock* rock = mRocks.Obtain();
    if (rock == nullptr)
        return nullptr;
    rock->SetPosition(x, y);
    rock->UpdateTransform();
    return rock;
}

Bool ObstacleContainer::HasLivingObstacle() const
{
    for (UInt32 i = 0; i < mObstacles.GetUsedEnd(); ++i)
        if (mObstacles.IsEntryUsed(i) && mObstacles.GetEntry(i)->IsAlive())
            return true;
    return false;
}

void ObstacleContainer::StartEffect(UInt32 type, const Math::Vector<Float>& position, Float first, Float second)
{
    if (mExplosionHandler != nullptr)
        mExplosionHandler->StartEffect(type, position, first, second);
}

Bool ObstacleContainer::HitTest(const Math::Vector<Float>& point, Float radius, SInt32 damage, Bool withFinale)
{
    const Float obstacleReach = (radius + Obstacle::HitReach) * (radius + Obstacle::HitReach);
    for (UInt32 i = 0; i < mObstacles.GetUsedEnd(); ++i) {
        if (!mObstacles.IsEntryUsed(i))
            continue;
        Obstacle* obstacle = mObstacles.GetEntry(i);
        if (!obstacle->IsActive() || obstacle->GetType() < 0 || obstacle->GetType() >= Obstacle::NumberOfTypes)
            continue;
        if (!(SquaredDistance(obstacle->GetPosition(), point) < obstacleReach))
            continue;
        // Copied: destroying the obstacle below gives its entry back to the pool.
        const Math::Vector<Float> position = obstacle->GetPosition();
        StartEffect(kEffectHit, position, 0.0f, 0.0f);
        if (obstacle->Hit(damage, point)) {
            if (mSounds != nullptr)
                mSounds->Play(kSoundBeeHit);
        } else {
            DestroyObstacle(i, kEffectHit);
            if (mSounds != nullptr) {
                mSounds->Stop(Obstacle::SoundBee);
                mSounds->PlayIfIdle(kSoundExplBlue, false);
                mSounds->PlayIfIdle(kSoundPop, false);
            }
            if (mGameState != nullptr) {
                ScoreEvent& event = mGameState->AddScoreEvent();
                event.mPosition = position;
                event.mType = kScoreObstacleDestroyed;
                event.mValue = kObstaclePoints;
            }
        }
        if (withFinale) {
            for (Float delay : kFinaleDelays)
                StartEffect(kEffectHit, position, 0.0f, delay);
            StartEffect(kEffectFinale, position, 0.0f, 0.0f);
        }
        return true;
    }
    const Float rockReach = (radius + ObstacleRock::HitReach) * (radius + ObstacleRock::HitReach);
    for (UInt32 i = 0; i < mRocks.GetUsedEnd(); ++i) {
        if (!mRocks.IsEntryUsed(i) || !(SquaredDistance(mRocks.GetEntry(i)->GetPosition(), point) < rockReach))
            continue;
        if (mSounds != nullptr)
            mSounds->Play(kSoundRockHit);
        return true;
    }
    return false;
}

void ObstacleContainer::DestroyObstacle(UInt32 index, UInt32 effectType)
{
    Obstacle* obstacle = mObstacles.GetEntry(index);
    if (obstacle == nullptr)
        return;
    obstacle->SetActive(false);
    mObstacles.SetEntryUsed(index, false);
    const Math::Vector<Float> position = obstacle->GetPosition();
    if (effectType >= 1 && effectType <= ExplosionHandler::NumberOfEffects)
        for (Float delay : kDestroyDelays)
            StartEffect(effectType, position, 0.0f, delay);
    for (Float delay : kSparkleDelays)
        StartEffect(kEffectSparkle, position, 0.0f, delay);
}

void ObstacleContainer::DestroyAll()
{
    for (UInt32 i = 0; i < mObstacles.GetUsedEnd(); ++i)
        if (mObstacles.IsEntryUsed(i) && mObstacles.GetEntry(i)->IsActive())
            DestroyObstacle(i, kEffectHit);
}

void ObstacleContainer::Step(Double dt)
{
    if (mGameState == nullptr)
        return;
    const UInt32 state = mGameState->GetPlayState();
    if (state != 4 && state != 5 && state != 10)
        return;
    const Float width = mGameState->GetViewWidth();
    const Float height = mGameState->GetPlayHeight();
    const Double scaled = dt * Double(mGameState->GetTimeFactor());
    for (UInt32 i = 0; i < mObstacles.GetUsedEnd(); ++i) {
        if (!mObstacles.IsEntryUsed(i))
            continue;
        Obstacle* obstacle = mObstacles.GetEntry(i);
        if (obstacle->HasLeftArea(width, height)) {
            obstacle->SetActive(false);
            mObstacles.SetEntryUsed(i, false);
            continue;
        }
        obstacle->Step(scaled);
        const UInt32 sound = obstacle->BuzzTick(Float(dt));
        if (sound == Obstacle::SoundWatchout) {
            if (!mWarningPlayed && mSounds != nullptr)
                mSounds->PlayIfIdle(Obstacle::SoundWatchout, false);
            mWarningPlayed = true;
        } else if (sound == Obstacle::SoundBee && mSounds != nullptr) {
            mSounds->PlayIfIdle(Obstacle::SoundBee, false);
        }
        if (i == 0 && mGameState->GetLevel() == HintLevel && obstacle->IsActive())
            obstacle->ShowHint();
    }
}

} // namespace App
} // namespace Vorn
