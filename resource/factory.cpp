#include "resource/factory.h"

#include <new>

#include "resource/collection.h"
#include "resource/raw_image.h"

namespace Vorn {
namespace Resource {

Factory::Factory(const IConfiguration* configuration, IFileInterface* fileInterface)
    : mConfiguration(configuration), mFileInterface(fileInterface)
{
}

Factory::~Factory() {}

Collection* Factory::CreateCollection()
{
    return new (std::nothrow) Collection(mConfiguration, mFileInterface);
}

void Factory::DestroyCollection(Collection*& collection)
{
    delete collection;
    collection = nullptr;
}

RawImage* Factory::CreateRawImage(UInt32 width, UInt32 height)
{
    return new (std::nothrow) RawImage(width, height);
}

void Factory::DestroyRawImage(RawImage*& image)
{
    delete image;
    image = nullptr;
}

} // namespace Resource
} // namespace Vorn
