// The player-data reader: the bytes stand as the player-data file, with and without a valid digest
// appended, and the game state loads its settings and three profiles from them.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "foundation/data.h"
#include "foundation/file_interface.h"
#include "foundation/md5.h"
#include "game/game_state.h"

namespace {

// Serves one file from memory; everything else is missing.
class MemoryFileInterface : public Vorn::IFileInterface
{
public:
    explicit MemoryFileInterface(const Vorn::Data& file) : mFile(file) {}
    Vorn::Bool FileExists(const Vorn::String&, Vorn::Enums::FileCategory) override { return true; }
    Vorn::Bool DirectoryExists(const Vorn::String&, Vorn::Enums::FileCategory) override { return false; }
    Vorn::Bool GetFileNames(const Vorn::String&, Vorn::Enums::FileCategory, Vorn::Array<Vorn::String>&) override
    {
        return false;
    }
    Vorn::Bool GetDirectoryNames(const Vorn::String&, Vorn::Enums::FileCategory, Vorn::Array<Vorn::String>&) override
    {
        return false;
    }
    Vorn::Bool OpenFile(const Vorn::String&, Vorn::Enums::FileCategory, Vorn::Enums::FileAccessMode, Vorn::Bool,
                        Vorn::IFile*&) override
    {
        return false;
    }
    Vorn::Bool CloseFile(Vorn::IFile*) override { return false; }
    Vorn::Bool MapFile(const Vorn::String&, Vorn::Enums::FileCategory, const void*& data, Vorn::UInt32& size) override
    {
        data = mFile.GetData();
        size = mFile.GetSize();
        return true;
    }
    Vorn::Bool UnmapFile(const void*) override { return true; }
    Vorn::Bool LoadFile(const Vorn::String&, Vorn::Enums::FileCategory, Vorn::ConstData* view) override
    {
        view->Set(mFile.GetData(), mFile.GetSize());
        return true;
    }
    Vorn::Bool UnloadFile(Vorn::ConstData* view) override
    {
        view->Set(nullptr, 0);
        return true;
    }
    Vorn::Bool CreateDirectory(const Vorn::String&) override { return false; }
    Vorn::Bool GetBasePath(Vorn::Enums::FileCategory, Vorn::String&) override { return false; }
    Vorn::Bool RenameFile(const Vorn::String&, const Vorn::String&, Vorn::Enums::FileCategory) override
    {
        return false;
    }

private:
    const Vorn::Data& mFile;
};

void Load(const Vorn::Data& file)
{
    MemoryFileInterface files(file);
    Vorn::App::GameState state;
    state.Init(nullptr, nullptr);
    state.SetLevelCount(&files, 102);
    for (Vorn::UInt32 i = 0; i < Vorn::App::GameState::NumberOfPlayers; ++i) {
        const Vorn::App::PlayerData* player = state.GetPlayer(i);
        volatile Vorn::UInt32 sink = player->ComputeTotalScore() + player->SumLevelWord2() +
                                     Vorn::UInt32(player->GetName().GetLength() + player->GetPlayerId().GetLength());
        (void)sink;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 0xFFFF0000u)
        return 0;
    const Vorn::Data bare(data, Vorn::UInt32(size));
    Load(bare);
    // The same bytes with the digest that a save would append, so that the profiles are read too.
    Vorn::Data signed_;
    Vorn::App::GameState::AppendDigest(bare, signed_);
    Load(signed_);
    return 0;
}
