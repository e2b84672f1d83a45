// The loader stage: the splash pictures at the first start and the loader screen behind which
// the logic root changes the package groups between stages.
#pragma once

#include "foundation/types.h"
#include "logic/base_child_processor.h"
#include "logic/graph_node.h"
#include "logic/stage.h"

namespace Vorn {
class IPackage;
namespace Graph {
class INamespace;
class ISwitch;
} // namespace Graph

namespace App {

class AppContext;

class StageLoader : public Logic::BaseStage
{
public:
    // The logic of the loader package: places the busy ring and the title for the display and
    // fits the splash pictures, laid out for 16:10, to the display's shape.
    class StartupLogic : public Logic::BaseChildProcessor
    {
    public:
        StartupLogic(Logic::IFactory* factory, Float longSide, Float shortSide);
        // False when the busy ring is missing.
        Bool OnInit(Logic::IState* state) override;

    private:
        Float mLongSide;
        Float mShortSide;
    };

    static constexpr Double kFirstSplashSeconds = 3.0;
    static constexpr Double kNextSplashSeconds = 4.0;

    StageLoader(Logic::IFactory* factory, AppContext* context, Float longSide, Float shortSide);
    ~StageLoader() override;

    Bool OnInit(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    Bool OnDeInit(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    void OnStageRunning(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;

    // Starts the loader screen; true while the logic root may load the target group.
    Bool IsLoaderShown();
    // True once the loader screen is down again.
    Bool IsLoaderDone();

    void SetLoaderPackage(IPackage* package) { mLoaderPackage = package; }
    IPackage* GetLoaderPackage() const { return mLoaderPackage; }
    StartupLogic* GetStartupLogic() { return &mStartupLogic; }
    Bool IsSplashPending() const { return mSplashPending; }
    Double GetCountdown() const { return mCountdown; }

private:
    AppContext* mContext;
    Logic::GraphNodeT<Graph::INamespace> mScreen;
    Logic::GraphNodeT<Graph::ISwitch> mSplashSwitch;
    Bool mSplashPending;
    Double mCountdown;
    StartupLogic mStartupLogic;
    IPackage* mLoaderPackage;
};

} // namespace App
} // namespace Vorn
