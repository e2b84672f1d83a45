#include "graph/terrain/map_surface.h"

#include <cstdio>

#include "resource/collection.h"
#include "resource/display_surface.h"
#include "resource/image.h"

namespace Vorn {
namespace Graph {

MapSurface::~MapSurface()
{
    Close();
}

void MapSurface::Close()
{
    if (mSurface == nullptr)
        return;
    if (mPixels != nullptr)
        mSurface->Unlock();
    delete mSurface;
    mSurface = nullptr;
    mPixels = nullptr;
    mWidth = mHeight = mPitch = 0;
}

Bool MapSurface::Open(Resource::ICollection* collection, const String& id, const char* what, const LogSite& site)
{
    Close();
    const Resource::IImage* image = collection != nullptr ? collection->GetImage(id) : nullptr;
    if (image == nullptr) {
        char message[512];
        std::snprintf(message, sizeof(message), "Failed to get %s resource image \"%s\"", what, id.GetText());
        return BackEndObject::Fail(site, message);
    }
    mSurface = image->CreateDisplaySurface(Enums::PixelFormat::R8_G8_B8_A8, 0, 0, 1, false);
    if (mSurface == nullptr)
        return BackEndObject::Fail(site, "Failed to create resource surface");
    if (!mSurface->Lock(0)) {
        Close();
        return BackEndObject::Fail(site, "Failed to create resource surface");
    }
    mPixels = static_cast<const UInt8*>(static_cast<const IDisplaySurface*>(mSurface)->GetPixels(0));
    if (mPixels == nullptr) {
        mSurface->Unlock();
        Close();
        return BackEndObject::Fail(site, "Failed to create resource surface");
    }
    mWidth = mSurface->GetWidth(0);
    mHeight = mSurface->GetHeight(0);
    mPitch = mSurface->GetPitch(0);
    if (mWidth == 0 || mHeight == 0 || mPitch < mWidth * 4) {
        Close();
        return BackEndObject::Fail(site, "Failed to create resource surface");
    }
    return true;
}

} // namespace Graph
} // namespace Vorn
