// The level chooser over the menu and the map. For now it holds its root node "/overlaymap" and
// its caption; the pages and level papers come later.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "logic/graph_node.h"

namespace Vorn {
namespace Graph {
class INamespace;
}
namespace Logic {
class IState;
}

namespace App {

class AppContext;

class LevelSelectOverlay
{
public:
    explicit LevelSelectOverlay(AppContext* context);

    // False when "/overlaymap" is missing.
    Bool Init(Logic::IState* state);
    Bool DeInit();

    // Shown or hidden as a whole; nothing happens while the node is missing.
    void SetShown(Bool shown);
    Bool IsShown() const;

    void SetCaption(const String& caption) { mCaption = caption; }
    const String& GetCaption() const { return mCaption; }

private:
    AppContext* mContext;
    Logic::GraphNodeT<Graph::INamespace> mRoot;
    String mCaption;
};

} // namespace App
} // namespace Vorn
