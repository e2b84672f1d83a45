// The player-data file with three full profiles of 102 levels, saved and loaded through the folder
// file interface in a temporary folder, as the game does on every change of persistent data. The
// aim is far below one frame (16 ms). Times are microseconds per save or load.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "foundation/folder_file_interface.h"
#include "game/game_state.h"
#include "game/player_data.h"

using namespace Vorn;

namespace {

constexpr UInt32 kLevels = 102;

// A temporary folder, removed again at the end.
class BenchFolder
{
public:
    BenchFolder() : mPath(std::filesystem::temp_directory_path() / ("vorn_game_bench_" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(mPath);
    }
    ~BenchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(mPath, ignored);
    }
    std::string Get() const { return mPath.string() + "/"; }

private:
    std::filesystem::path mPath;
};

// A game state whose three profiles have played every level with a score, a time and stars.
class FullProfiles
{
public:
    FullProfiles() : mFiles(String(mFolder.Get().c_str()))
    {
        mState.Init(nullptr, nullptr);
        mState.SetLevelCount(&mFiles, kLevels);
        for (UInt32 slot = 0; slot < App::GameState::NumberOfPlayers; ++slot) {
            const std::string name = "Player " + std::to_string(slot + 1);
            mState.CreatePlayer(slot, String(name.c_str()), String(("id-" + std::to_string(slot)).c_str()));
            App::PlayerData* player = mState.GetPlayer(slot);
            for (UInt32 level = 1; level < kLevels; ++level) {
                App::PlayerLevelData run;
                run.AddScore(1000 * level + slot);
                run.AddTime(30.0 + level);
                run.SetStars(1 + level % 3);
                player->RecordLevelResult(run, level);
            }
        }
        mState.SavePlayerData();
    }

    App::GameState& Get() { return mState; }

private:
    BenchFolder mFolder;
    Platform::FolderFileInterface mFiles;
    App::GameState mState;
};

void BM_SavePlayerData(benchmark::State& state)
{
    FullProfiles profiles;
    for (auto _ : state)
        benchmark::DoNotOptimize(profiles.Get().SavePlayerData());
}
BENCHMARK(BM_SavePlayerData)->Unit(benchmark::kMicrosecond);

void BM_LoadPlayerData(benchmark::State& state)
{
    FullProfiles profiles;
    Bool loaded = true;
    for (auto _ : state) {
        loaded = profiles.Get().LoadPlayerData() && loaded;
        benchmark::DoNotOptimize(loaded);
    }
    if (!loaded)
        state.SkipWithError("the player-data file did not load");
}
BENCHMARK(BM_LoadPlayerData)->Unit(benchmark::kMicrosecond);

} // namespace
