// The game stage's aggregate of play objects. For now it gives the application-wide objects and
// holds the framebuffer node that the game stage shows for one frame while it rescales the view;
// the pools and handlers of play come later.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "logic/graph_node.h"

namespace Vorn {
namespace Graph {
class INode;
}
namespace Logic {
class IState;
}

namespace App {

class AppContext;
class GameState;
class SoundContainer;

class Playfield
{
public:
    explicit Playfield(AppContext* context);

    // Binds base path + "/framebuffer" when it exists; true.
    Bool Init(Logic::IState* state, const String& basePath);
    Bool DeInit();

    void SetViewScale(Float width, Float height);

    AppContext* GetContext() const { return mContext; }
    GameState* GetGameState() const;
    SoundContainer* GetSoundContainer() const;
    // Null while the node is missing.
    Graph::INode* GetFramebuffer() const { return mFramebuffer.GetNode(); }
    Float GetViewWidth() const { return mViewWidth; }
    Float GetViewHeight() const { return mViewHeight; }
    UInt32 GetNumberOfViewScales() const { return mNumberOfViewScales; }

private:
    AppContext* mContext;
    Logic::GraphINode mFramebuffer;
    Float mViewWidth;
    Float mViewHeight;
    UInt32 mNumberOfViewScales;
};

} // namespace App
} // namespace Vorn
