// A folder file interface for tests that fails one chosen step of writing: the steps are counted
// across every write-mode open, write, close, load (a read back) and rename, and the chosen one
// fails as a crash, a full disk or a refusing system would make it; one file may be made
// unreadable. Every other call goes to the folders unchanged.
#pragma once

#include <string>
#include <vector>

#include "foundation/data.h"
#include "foundation/file.h"
#include "foundation/folder_file_interface.h"

namespace Vorn {
namespace Testing {

class FailingFileInterface : public Platform::FolderFileInterface
{
public:
    enum class Step
    {
        kOpen,
        kWrite,
        kClose,
        kLoad,
        kRename,
    };

    // How the chosen write fails: half the bytes written and that reported, or half written and
    // the whole reported (bytes that a full disk loses after the write said they were taken).
    enum class WriteFailure
    {
        kShort,
        kLost,
    };

    static constexpr SInt32 kNever = -1;

    explicit FailingFileInterface(const String& rootFolder) : FolderFileInterface(rootFolder) {}

    // Counts from 0 again, failing the step of that number (kNever: none).
    void FailAt(SInt32 step, WriteFailure writeFailure = WriteFailure::kShort)
    {
        mFailAt = step;
        mWriteFailure = writeFailure;
        mSteps.clear();
    }
    // The steps counted since FailAt, in order.
    const std::vector<Step>& GetSteps() const { return mSteps; }
    // The file of that path is there but never loads, as a file the user may not read; the
    // load is not counted as a step.
    void SetUnreadable(const std::string& path) { mUnreadable = path; }

    Bool OpenFile(const String& path, Enums::FileCategory category, Enums::FileAccessMode mode, Bool createFolders,
                  IFile*& file) override
    {
        if (mode == Enums::FileAccessMode::READ_ONLY)
            return FolderFileInterface::OpenFile(path, category, mode, createFolders, file);
        if (Fails(Step::kOpen))
            return false;
        IFile* inner = nullptr;
        if (!FolderFileInterface::OpenFile(path, category, mode, createFolders, inner))
            return false;
        file = new FailingFile(*this, inner);
        return true;
    }
    Bool CloseFile(IFile* file) override
    {
        FailingFile* failing = dynamic_cast<FailingFile*>(file);
        if (failing == nullptr)
            return FolderFileInterface::CloseFile(file);
        const Bool fails = Fails(Step::kClose);
        const Bool closed = FolderFileInterface::CloseFile(failing->mInner);
        delete failing;
        return closed && !fails;
    }
    Bool LoadFile(const String& path, Enums::FileCategory category, ConstData* view) override
    {
        if (path.GetText() == mUnreadable)
            return false;
        return !Fails(Step::kLoad) && FolderFileInterface::LoadFile(path, category, view);
    }
    Bool RenameFile(const String& path, const String& newPath, Enums::FileCategory category) override
    {
        return !Fails(Step::kRename) && FolderFileInterface::RenameFile(path, newPath, category);
    }

private:
    class FailingFile : public IFile
    {
    public:
        FailingFile(FailingFileInterface& owner, IFile* inner) : mOwner(owner), mInner(inner) {}
        UInt32 GetPosition() override { return mInner->GetPosition(); }
        void SetPosition(UInt32 position) override { mInner->SetPosition(position); }
        UInt32 GetSize() override { return mInner->GetSize(); }
        UInt32 Read(Data& data) override { return mInner->Read(data); }
        UInt32 Read(void* buffer, UInt32 size) override { return mInner->Read(buffer, size); }
        UInt32 Write(const ConstData& data) override { return Write(data.GetData(), data.GetSize()); }
        UInt32 Write(const void* buffer, UInt32 size) override
        {
            if (!mOwner.Fails(Step::kWrite))
                return mInner->Write(buffer, size);
            const UInt32 written = mInner->Write(buffer, size / 2);
            return mOwner.mWriteFailure == WriteFailure::kLost ? size : written;
        }

        FailingFileInterface& mOwner;
        IFile* mInner;
    };

    // Counts the step; true when it is the one to fail.
    Bool Fails(Step step)
    {
        mSteps.push_back(step);
        return SInt32(mSteps.size()) - 1 == mFailAt;
    }

    SInt32 mFailAt = kNever;
    WriteFailure mWriteFailure = WriteFailure::kShort;
    std::vector<Step> mSteps;
    std::string mUnreadable;
};

} // namespace Testing
} // namespace Vorn
