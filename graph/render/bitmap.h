// The bitmap node ("Bitmap"): holds the pixel surface of one image resource, in the image's own
// format and size, without a renderer object.
#pragma once

#include "foundation/string.h"
#include "graph/node.h"

namespace Vorn {

class IDisplaySurface;

namespace Resource {
class IImage;
}

namespace Graph {

class Bitmap : public Node
{
public:
    Bitmap();
    ~Bitmap() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    // Null before initialisation.
    const IDisplaySurface* GetSurface() const { return mSurface; }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;

    String mBitmapResourceId;
    const Resource::IImage* mImage;
    IDisplaySurface* mSurface;
};

} // namespace Graph
} // namespace Vorn
