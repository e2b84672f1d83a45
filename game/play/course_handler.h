// The courses of the level in play: one course animator per course record, and the pool of
// strips that draw them. The course, player and animals processors call it every logic step or
// on events; beyond starting dependent courses, finishing cleared ones and the periodic
// highlight it adds no policy of its own.
#pragma once

#include "foundation/array.h"
#include "foundation/random.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "game/play/course_strip.h"

namespace Vorn {
namespace Graph {
class INamespace;
}

namespace App {

class AnimalContainer;
class AnimalCounter;
class CourseAnimator;
class ExplosionHandler;
class FlyingObjectHandler;
class GameState;
class SoundContainer;

class CourseHandler
{
public:
    CourseHandler(GameState* gameState, AnimalContainer* animalContainer, ExplosionHandler* explosionHandler,
                  FlyingObjectHandler* flyingObjectHandler, SoundContainer* soundContainer);
    virtual ~CourseHandler();

    // Binds the strip pool under the base path.
    Bool Init(Graph::INamespace* nameSpace, const String& basePath);
    Bool DeInit();
    Bool RemoveAllCourses();
    void Reset();

    // A new course at the index with a strip from the pool (none when it is exhausted); null for
    // an index beyond the end.
    CourseAnimator* AddCourse(UInt32 index);
    CourseAnimator* AppendCourse();
    Bool RemoveCourseAt(UInt32 index);
    Bool RemoveCourse(CourseAnimator* course);
    CourseAnimator* FindCourseByKey(UInt32 key) const;
    CourseAnimator* PickRandomRunningCourse();
    UInt32 AddKindWeightsOfRunningCourses(AnimalCounter& weights) const;
    // The first running course that has collapsed: its gap closes and its centre is given.
    Bool FindCourseAtCentre(Math::Vector<Float>& centre);
    UInt32 CountUnfinishedCourses() const;
    Bool IsAnyChainClosed(Math::Vector<Float>& position);
    void StartPendingCourses();
    void UpdateCourseStates();
    void StepCourses(Double dt);
    void CollideCourses();
    void JoinCourses();
    void MatchCourses();
    void StartCollapse();
    void ShakeAnimals();
    void FinishCourse(CourseAnimator* course);
    void FinishAllRunningCourses();
    void FinishClearedCourses();
    void ReleaseDependents(const Array<UInt32>& keys);
    void ScatterAndRemoveAll(const Math::Vector<Float>& point);

    UInt32 GetCourseCount() const { return UInt32(mCourseAnimators.GetCount()); }
    CourseAnimator* GetCourse(UInt32 index) const;
    CourseContainer& GetCourseContainer() { return mCourseContainer; }

private:
    CourseHandler(const CourseHandler&) = delete;
    CourseHandler& operator=(const CourseHandler&) = delete;

    void DeleteAllCourses();
    // Finishes the courses that the test picks and starts the courses that wait for them.
    template <class Test>
    void FinishRunningCourses(Test test);

    Array<CourseAnimator*> mCourseAnimators;
    CourseContainer mCourseContainer;
    GameState* mGameState;
    AnimalContainer* mAnimalContainer;
    ExplosionHandler* mExplosionHandler;
    FlyingObjectHandler* mFlyingObjectHandler;
    SoundContainer* mSoundContainer;
    Float mHighlightTimer;
    Util::TT800 mRng;
};

} // namespace App
} // namespace Vorn
