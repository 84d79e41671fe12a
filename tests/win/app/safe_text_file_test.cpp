// The safe writer on files of the test's own folder: what it leaves on every
// failure (the old bytes, no temporary file) and what it writes.
#include "app/safe_text_file.h"
#include "app/shell_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>


namespace {


// Files and folders in the folder, to see that no temporary file stayed.
size_t EntryCount(const std::string& folder) {
    ovix::FileSearch search;
    search.AddFolder(folder, false);
    search.Search("*", true, true);
    return search.Results().size();
}

// Fails the second write.
struct FailingWrites : ovix::FileWriteCall {
    bool Write(HANDLE file, const void* bytes, DWORD size) override {
        return ++calls < 2 && FileWriteCall::Write(file, bytes, size);
    }
    int calls = 0;
};

TEST(SafeTextFile, ReplacesTheTargetWithCrLfLines) {
    test::TempFolder folder{"safe-writer"};
    const std::string target = folder.File("log.txt");
    std::ofstream(target, std::ios::binary) << "old content, longer than the new";
    EXPECT_EQ(ovix::SaveTextFile(target, "a\nb\r\n"), ovix::SaveResult::Done);
    EXPECT_EQ(test::FileBytes(target), "a\r\nb\r\n");
    EXPECT_EQ(EntryCount(folder.Path()), 1u);
}

TEST(SafeTextFile, EveryFailureKeepsTheOldBytesAndLeavesNoTemporaryFile) {
    test::TempFolder folder{"safe-writer-failures"};
    const std::string target = folder.File("kept.txt");
    std::ofstream(target, std::ios::binary) << "old";
    const long kernel = fw::LiveCount(fw::ResourceKind::Kernel);

    FailingWrites failing;
    ovix::SafeTextFile midway(target, &failing);
    ASSERT_TRUE(midway.Begin());
    EXPECT_TRUE(midway.Write("first"));
    EXPECT_FALSE(midway.Write("second"));
    EXPECT_FALSE(midway.Write("third")) << "nothing more after a failure";
    EXPECT_EQ(midway.Commit(), ovix::SaveResult::WriteFailed);

    EXPECT_EQ(ovix::SaveTextFile(folder.File("missing\\x.txt"), "x"), ovix::SaveResult::CantCreate);
    ::CreateDirectoryA(folder.File("folder.txt").c_str(), nullptr);
    EXPECT_EQ(ovix::SaveTextFile(folder.File("folder.txt"), "x"), ovix::SaveResult::WriteFailed);
    {
        // Held open without FILE_SHARE_DELETE: it cannot be replaced.
        fw::UniqueHandle held(::CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(ovix::SaveTextFile(target, "new"), ovix::SaveResult::WriteFailed);
    }
    {
        ovix::SafeTextFile abandoned(target);
        ASSERT_TRUE(abandoned.Begin());
        abandoned.Write("never committed");
    }
    EXPECT_EQ(test::FileBytes(target), "old");
    EXPECT_EQ(EntryCount(folder.Path()), 2u) << "the target and the folder of its name only";
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Kernel), kernel);
}

}  // namespace
