// The level file reader over arbitrary bytes: every level it keeps is read to its last field,
// so that a record sized beyond what its chunk held shows up under the sanitizers.
#include <cstddef>
#include <cstdint>

#include "game/play/level_data.h"

namespace {

volatile std::uint32_t gSink = 0;

template <class T>
void Touch(const T& value)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&value);
    for (std::size_t i = 0; i < sizeof(T); ++i)
        gSink = gSink + bytes[i];
}

template <class T>
void TouchAll(const Vorn::Array<T>& array)
{
    for (const T& element : array)
        Touch(element);
}

void TouchLevel(const Vorn::App::LevelData& level)
{
    Touch(level.mType);
    Touch(level.mLaunchSpeed);
    TouchAll(level.mPlayerStatistics);
    TouchAll(level.mWeaponPlacements);
    TouchAll(level.mWeaponSupplies);
    TouchAll(level.mAnimals);
    for (const Vorn::App::CourseRecord& course : level.mCourses) {
        Touch(course.mCountB);
        for (const Vorn::App::AnimalList& list : course.mAnimalLists)
            TouchAll(list.mAnimals);
        TouchAll(course.mPathPieces);
    }
    for (const char* text = level.mAssetResourceId.GetText(); *text; ++text)
        gSink = gSink + std::uint32_t(*text);
    TouchAll(level.mAssets);
    TouchAll(level.mClouds);
    TouchAll(level.mObstacles);
    TouchAll(level.mCarrots);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;
    Vorn::Array<Vorn::App::LevelData> levels;
    Vorn::App::LevelData::LoadLevels(data, std::uint32_t(size), levels, "fuzz input");
    for (const Vorn::App::LevelData& level : levels)
        TouchLevel(level);
    return 0;
}
