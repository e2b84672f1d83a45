// The game stage's aggregate of play objects: the application-wide objects it reaches, and the
// pools and handlers of play, wired to each other when it is made. The framebuffer node is the
// one that the game stage shows for one frame while it rescales the view.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "game/play/animal_container.h"
#include "game/play/animal_selector.h"
#include "game/play/clouds.h"
#include "game/play/course_handler.h"
#include "game/play/explosion_handler.h"
#include "game/play/flying_object.h"
#include "game/play/score_text.h"
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
class ScoresFontContainer;
class SoundContainer;

class Playfield
{
public:
    explicit Playfield(AppContext* context);

    // Binds the pools under the base path, in order, and stops at the first that fails; binds
    // base path + "/framebuffer" when it exists.
    Bool Init(Graph::INamespace* nameSpace, const String& basePath);
    // Runs every step; true when all succeeded.
    Bool DeInit();
    // Empties every pool and zeroes the counters for a new level.
    void Reset();

    void SetViewScale(Float width, Float height);

    AppContext* GetContext() const { return mContext; }
    GameState* GetGameState() const { return mGameState; }
    AppProcessor* GetAppProcessor() const { return mAppProcessor; }
    SoundContainer* GetSoundContainer() const { return mSoundContainer; }
    ScoresFontContainer* GetScoresFontContainer() const { return mScoresFonts; }
    ExplosionHandler* GetExplosionHandler() { return &mExplosionHandler; }
    AnimalContainer* GetAnimalContainer() { return &mAnimalContainer; }
    AnimalSelector* GetAnimalSelector() { return &mAnimalSelector; }
    FlyingObjectHandler* GetFlyingObjectHandler() { return &mFlyingObjects; }
    CourseHandler* GetCourseHandler() { return &mCourseHandler; }
    CloudsContainer* GetCloudsContainer() { return &mClouds; }
    ScoreTextContainer* GetScoreTextContainer() { return &mScoreTexts; }
    // Null while the node is missing.
    Graph::INode* GetFramebuffer() const { return mFramebuffer.GetNode(); }
    Float GetViewWidth() const { return mViewWidth; }
    Float GetViewHeight() const { return mViewHeight; }
    UInt32 GetNumberOfViewScales() const { return mNumberOfViewScales; }

private:
    AppContext* mContext;
    GameState* mGameState;
    AppProcessor* mAppProcessor;
    SoundContainer* mSoundContainer;
    ScoresFontContainer* mScoresFonts;
    ExplosionHandler mExplosionHandler;
    AnimalContainer mAnimalContainer;
    AnimalSelector mAnimalSelector;
    FlyingObjectHandler mFlyingObjects;
    CourseHandler mCourseHandler;
    CloudsContainer mClouds;
    ScoreTextContainer mScoreTexts;
    Logic::GraphINode mFramebuffer;
    Float mViewWidth;
    Float mViewHeight;
    UInt32 mNumberOfViewScales;
};

} // namespace App
} // namespace Vorn
