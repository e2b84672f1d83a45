// The game stage's aggregate of play objects: the application-wide objects it reaches, and every
// pool and handler of play, wired to each other when it is made. The processors and the level
// handler reach the members through the accessors. The framebuffer node is the one that the game
// stage shows for one frame while it rescales the view.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "game/play/animal_container.h"
#include "game/play/animal_selector.h"
#include "game/play/asset_container.h"
#include "game/play/clouds.h"
#include "game/play/course_handler.h"
#include "game/play/effects/explosions.h"
#include "game/play/effects/snow.h"
#include "game/play/explosion_handler.h"
#include "game/play/flying_object.h"
#include "game/play/obstacle.h"
#include "game/play/score_text.h"
#include "game/play/weapon.h"
#include "logic/graph_node.h"

namespace Vorn {
namespace Graph {
class INamespace;
class INode;
}

namespace App {

class AppContext;
class AppProcessor;
class GameState;
class ParticleContainer;
class Popup;
class ScoresFontContainer;
class SoundContainer;

class Playfield
{
public:
    // The path of the frame-buffer namespace under which the backgrounds and the rocks hang.
    static const char* const kFramebufferPath;

    explicit Playfield(AppContext* context);
    ~Playfield();

    // Binds "/framebuffer" when it exists, then the pools under the base path in order; stops at
    // the first that fails, leaving the later ones unbound.
    Bool Init(Graph::INamespace* nameSpace, const String& basePath);
    // Runs every step, bound or not; true when all succeeded.
    Bool DeInit();
    // Empties every pool and zeroes the counters for a new level.
    void Reset();

    // Keeps the view size and scales the background a half percent beyond it.
    void SetViewScale(Float width, Float height);

    AppContext* GetContext() const { return mContext; }
    GameState* GetGameState() const { return mGameState; }
    AppProcessor* GetAppProcessor() const { return mAppProcessor; }
    SoundContainer* GetSoundContainer() const { return mSoundContainer; }
    ParticleContainer* GetParticleContainer() const { return mParticleContainer; }
    ScoresFontContainer* GetScoresFontContainer() const { return mScoresFonts; }
    Popup* GetPopup() const { return mPopup; }
    AshExplosionContainer* GetAshExplosionContainer() { return &mAshExplosions; }
    IceExplosionContainer* GetIceExplosionContainer() { return &mIceExplosions; }
    ExplosionHandler* GetExplosionHandler() { return &mExplosionHandler; }
    AnimalContainer* GetAnimalContainer() { return &mAnimalContainer; }
    AnimalSelector* GetAnimalSelector() { return &mAnimalSelector; }
    WeaponContainer* GetWeaponContainer() { return &mWeaponContainer; }
    AssetContainer* GetAssetContainer() { return &mAssetContainer; }
    ObstacleContainer* GetObstacleContainer() { return &mObstacleContainer; }
    FlyingObjectHandler* GetFlyingObjectHandler() { return &mFlyingObjects; }
    CourseHandler* GetCourseHandler() { return &mCourseHandler; }
    CloudsContainer* GetCloudsContainer() { return &mClouds; }
    SnowHandler* GetSnowHandler() { return &mSnow; }
    ScoreTextContainer* GetScoreTextContainer() { return &mScoreTexts; }
    // Null while the node is missing.
    Graph::INode* GetFramebuffer() const { return mFramebuffer.GetNode(); }
    Float GetViewWidth() const { return mViewWidth; }
    Float GetViewHeight() const { return mViewHeight; }
    UInt32 GetNumberOfViewScales() const { return mNumberOfViewScales; }

private:
    Playfield(const Playfield&) = delete;
    Playfield& operator=(const Playfield&) = delete;

    AppContext* mContext;
    GameState* mGameState;
    AppProcessor* mAppProcessor;
    SoundContainer* mSoundContainer;
    ParticleContainer* mParticleContainer;
    ScoresFontContainer* mScoresFonts;
    Popup* mPopup;
    AshExplosionContainer mAshExplosions;
    IceExplosionContainer mIceExplosions;
    ExplosionHandler mExplosionHandler;
    AnimalContainer mAnimalContainer;
    AnimalSelector mAnimalSelector;
    WeaponContainer mWeaponContainer;
    AssetContainer mAssetContainer;
    ObstacleContainer mObstacleContainer;
    FlyingObjectHandler mFlyingObjects;
    CourseHandler mCourseHandler;
    CloudsContainer mClouds;
    SnowHandler mSnow;
    ScoreTextContainer mScoreTexts;
    Logic::GraphINode mFramebuffer;
    Float mViewWidth;
    Float mViewHeight;
    UInt32 mNumberOfViewScales;
};

} // namespace App
} // namespace Vorn
