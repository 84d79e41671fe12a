#include "app/shell_files.h"

#include "framework/handles.h"
#include "probes/probe_test_support.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using ovix::FileSearch;
using ovix::ShellFileBatch;
using ovix::ShellOperation;

void WriteFile(const std::string& path, const std::string& content = "x") {
    fw::UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                        nullptr));
    ASSERT_TRUE(file) << path;
    DWORD written = 0;
    ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFile(const std::string& path) {
    fw::UniqueHandle file(
        ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return "<missing>";
    char buffer[256];
    DWORD got = 0;
    ::ReadFile(file.Get(), buffer, sizeof(buffer), &got, nullptr);
    return std::string(buffer, got);
}

// Paths of the results, without the common prefix, sorted (the enumeration order is the file system's).
std::vector<std::string> Found(const FileSearch& search, const std::string& base) {
    std::vector<std::string> paths;
    for (const auto& record : search.Results()) {
        paths.push_back(record.path.rfind(base, 0) == 0 ? record.path.substr(base.size()) : record.path);
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::vector<std::string> Relative(const std::vector<std::string>& folders, const std::string& base) {
    std::vector<std::string> paths;
    for (const std::string& folder : folders) {
        paths.push_back(folder.rfind(base, 0) == 0 ? folder.substr(base.size()) : folder);
    }
    return paths;
}

// A Unix symbolic link that Wine does not list and cannot enter (dangling,
// or pointing at itself), made by ln and removed by rm.
class BrokenLink {
public:
    BrokenLink(const std::string& link, const std::string& target) : link_(link) {
        const std::string unixLink = test::UnixPath(link);
        if (unixLink.empty()) return;
        made_ = test::RunUnixAndWait("/bin/ln -s \"" + target + "\" \"" + unixLink + "\"", "Z:\\bin\\ln",
                                     [this] { return FindError() != ERROR_PATH_NOT_FOUND; });
    }
    ~BrokenLink() {
        const std::string unixLink = test::UnixPath(link_);
        if (made_ && !unixLink.empty()) {
            test::RunUnixAndWait("/bin/rm -f \"" + unixLink + "\"", "Z:\\bin\\rm",
                                 [this] { return FindError() == ERROR_PATH_NOT_FOUND; });
        }
    }
    BrokenLink(const BrokenLink&) = delete;
    BrokenLink& operator=(const BrokenLink&) = delete;
    bool Made() const { return made_; }
    DWORD FindError() const {
        WIN32_FIND_DATAA entry;
        HANDLE search = ::FindFirstFileA((link_ + "\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            ::FindClose(search);
            return 0;
        }
        return ::GetLastError();
    }

private:
    std::string link_;
    bool made_ = false;
};

// tree\a.txt, tree\b.txtold, tree\Caf\xE9 menu.txt, tree\hidden.txt (hidden),
// tree\ro.log (read-only), tree\sub 1\c.txt, tree\sub 1\deeper\d.txt, tree\empty
class FileSearchTest : public testing::Test {
protected:
    void SetUp() override {
        base = folder.Path() + "\\";
        ASSERT_TRUE(::CreateDirectoryA((base + "sub 1").c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryA((base + "sub 1\\deeper").c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryA((base + "empty").c_str(), nullptr));
        WriteFile(base + "a.txt", "12345");
        WriteFile(base + "b.txtold");
        WriteFile(base + "Caf\xE9 menu.txt");
        WriteFile(base + "hidden.txt");
        ::SetFileAttributesA((base + "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        WriteFile(base + "ro.log");
        ::SetFileAttributesA((base + "ro.log").c_str(), FILE_ATTRIBUTE_READONLY);
        WriteFile(base + "sub 1\\c.txt");
        WriteFile(base + "sub 1\\deeper\\d.txt");
    }
    void TearDown() override {
        ::SetFileAttributesA((base + "ro.log").c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    test::TempFolder folder{"file-search"};
    std::string base;
};

TEST_F(FileSearchTest, AddFolderTrimsAndWalksDepthFirst) {
    FileSearch search;
    search.AddFolder(folder.Path() + "\\ ", false);
    ASSERT_EQ(search.Folders().size(), 1u);
    EXPECT_EQ(search.Folders()[0], folder.Path());
    search.ClearFolders();
    EXPECT_TRUE(search.Folders().empty());

    search.AddFolder(folder.Path() + "/", true);
    const auto folders = Relative(search.Folders(), base);
    ASSERT_EQ(folders.size(), 4u);
    EXPECT_EQ(search.Folders()[0], folder.Path());
    // "sub 1" is followed at once by what lies below it.
    const auto sub = std::find(folders.begin(), folders.end(), "sub 1");
    ASSERT_NE(sub, folders.end());
    ASSERT_NE(sub + 1, folders.end());
    EXPECT_EQ(*(sub + 1), "sub 1\\deeper");
    EXPECT_NE(std::find(folders.begin(), folders.end(), "empty"), folders.end());
}

TEST_F(FileSearchTest, MasksFilesAndFolders) {
    FileSearch search;
    search.AddFolder(folder.Path(), true);
    search.Search("*.txt", true, false);
    EXPECT_EQ(Found(search, base),
              (std::vector<std::string>{"Caf\xE9 menu.txt", "a.txt", "hidden.txt", "sub 1\\c.txt",
                                        "sub 1\\deeper\\d.txt"}))
        << "no b.txtold: its short name alone matches";
    for (const auto& record : search.Results()) EXPECT_FALSE(record.directory) << record.path;

    search.ClearResults();
    search.Search("*.*", false, true);
    EXPECT_EQ(Found(search, base), (std::vector<std::string>{"empty", "sub 1", "sub 1\\deeper"}));
    for (const auto& record : search.Results()) {
        EXPECT_TRUE(record.directory);
        EXPECT_TRUE(record.attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    search.ClearResults();
    search.Search("*", true, true);
    EXPECT_EQ(search.Results().size(), 10u) << "7 files and 3 folders, no dots";
    search.ClearResults();
    search.Search("*.txt", false, false);
    EXPECT_TRUE(search.Results().empty());
    search.Search("*.none", true, true);
    EXPECT_TRUE(search.Results().empty());
}

TEST_F(FileSearchTest, RecordsCarryAttributesSizeAndTimes) {
    FileSearch search;
    search.AddFolder(folder.Path(), false);
    search.Search("*.*", true, false);
    int checked = 0;
    for (const auto& record : search.Results()) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ASSERT_TRUE(::GetFileAttributesExA(record.path.c_str(), GetFileExInfoStandard, &data)) << record.path;
        EXPECT_EQ(record.attributes, data.dwFileAttributes) << record.path;
        EXPECT_EQ(record.size, (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
        EXPECT_EQ(::CompareFileTime(&record.lastWritten, &data.ftLastWriteTime), 0);
        EXPECT_EQ(::CompareFileTime(&record.created, &data.ftCreationTime), 0);
        ++checked;
    }
    EXPECT_EQ(checked, 5);
    const auto& results = search.Results();
    const auto a = std::find_if(results.begin(), results.end(), [&](const auto& r) { return r.path == base + "a.txt"; });
    ASSERT_NE(a, results.end());
    EXPECT_EQ(a->size, 5u);
    const auto hidden =
        std::find_if(results.begin(), results.end(), [&](const auto& r) { return r.path == base + "hidden.txt"; });
    ASSERT_NE(hidden, results.end());
    EXPECT_TRUE(hidden->attributes & FILE_ATTRIBUTE_HIDDEN);
    const auto readOnly =
        std::find_if(results.begin(), results.end(), [&](const auto& r) { return r.path == base + "ro.log"; });
    ASSERT_NE(readOnly, results.end());
    EXPECT_TRUE(readOnly->attributes & FILE_ATTRIBUTE_READONLY);
}

TEST_F(FileSearchTest, ResultsAccumulateUntilCleared) {
    FileSearch search;
    search.AddFolder(folder.Path(), false);
    search.Search("a.txt", true, false);
    search.Search("a.txt", true, false);
    search.Search("*.log", true, false);
    EXPECT_EQ(Found(search, base), (std::vector<std::string>{"a.txt", "a.txt", "ro.log"}));
    search.ClearResults();
    EXPECT_TRUE(search.Results().empty());
    EXPECT_EQ(search.Folders().size(), 1u) << "the folders stay";
}

TEST_F(FileSearchTest, UnreadableFolderAddsNothingAndTheNextIsStillSearched) {
    BrokenLink dangling(base + "dangling", "nowhere");
    BrokenLink loop(base + "loop", "loop");
    ASSERT_TRUE(dangling.Made() && loop.Made()) << "ln could not be started";
    FileSearch search;
    search.AddFolder(base + "dangling", true);
    search.AddFolder(base + "missing folder", true);
    search.AddFolder(base + "loop", true);
    search.AddFolder(base + "sub 1", false);
    EXPECT_EQ(search.Folders().size(), 4u);
    search.Search("*.*", true, true);
    EXPECT_EQ(Found(search, base), (std::vector<std::string>{"sub 1\\c.txt", "sub 1\\deeper"}));
    // The broken links are no entries of the folder that holds them either.
    search.ClearFolders();
    search.ClearResults();
    search.AddFolder(folder.Path(), false);
    search.Search("*o*", true, true);
    EXPECT_EQ(Found(search, base), (std::vector<std::string>{"b.txtold", "ro.log"}));
}

TEST_F(FileSearchTest, LinkToAParentEndsTheWalk) {
    test::FolderLink up(base + "sub 1\\up", "..");
    ASSERT_TRUE(up.IsLink()) << "ln could not make the link";
    FileSearch search;
    search.AddFolder(folder.Path(), true);
    EXPECT_EQ(search.Folders().size(), 4u) << "the link is not appended";
    for (const std::string& path : search.Folders()) EXPECT_EQ(path.find("\\up"), std::string::npos) << path;
    search.Search("*.*", true, false);
    EXPECT_EQ(search.Results().size(), 7u) << "each file once, nothing through the link";
}

// Below the test folder, 40 levels of 10-character names with one file each.
TEST(FileSearchDepth, DeepTreeIsReadUpToThePathLimit) {
    test::TempFolder folder("file-search-deep");
    std::vector<std::string> levels;
    std::string path = folder.Path();
    for (int level = 1; level <= 40; ++level) {
        char name[16];
        std::snprintf(name, sizeof(name), "level_%04d", level);
        path += "\\";
        path += name;
        levels.push_back(path);
        ASSERT_TRUE(::CreateDirectoryW(test::Widen("\\\\?\\" + path).c_str(), nullptr)) << level;
        HANDLE file = ::CreateFileW(test::Widen("\\\\?\\" + path + "\\f.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << level;
        ::CloseHandle(file);
    }

    FileSearch search;
    search.AddFolder(folder.Path(), true);
    search.Search("*.txt", true, false);

    // A folder is listed when its parent could be read, and its file is found
    // when its own pattern fits in MAX_PATH.
    size_t listed = 0, found = 0;
    std::string parent = folder.Path();
    for (const std::string& level : levels) {
        if ((parent + "\\*").size() < MAX_PATH) ++listed;
        if ((parent + "\\*").size() < MAX_PATH && (level + "\\*.txt").size() < MAX_PATH) ++found;
        parent = level;
    }
    EXPECT_EQ(search.Folders().size(), 1 + listed);
    EXPECT_EQ(search.Results().size(), found);
    EXPECT_GT(found, 10u);
    EXPECT_LT(found, 40u);
    for (size_t i = 0; i < search.Results().size(); ++i) {
        EXPECT_EQ(search.Results()[i].path, levels[i] + "\\f.txt");
    }

    // The test removes what the A calls of the folder's clean-up cannot reach.
    for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
        ::DeleteFileW(test::Widen("\\\\?\\" + *level + "\\f.txt").c_str());
        ::RemoveDirectoryW(test::Widen("\\\\?\\" + *level).c_str());
    }
    EXPECT_FALSE(Exists(levels[0]));
}

// The shell call answered by the test: records what it was given.
class FakeShell : public ovix::ShellFileCall {
public:
    int Run(SHFILEOPSTRUCTA& operation) override {
        ++calls;
        function = operation.wFunc;
        flags = operation.fFlags;
        owner = operation.hwnd;
        from = List(operation.pFrom);
        to = List(operation.pTo);
        title = operation.lpszProgressTitle ? operation.lpszProgressTitle : "";
        operation.fAnyOperationsAborted = abort ? TRUE : FALSE;
        return answer;
    }
    static std::string List(const char* list) {
        if (!list) return "<null>";
        const char* end = list;
        while (end[0] || end[1]) ++end;
        return std::string(list, end + 2);
    }
    int calls = 0;
    UINT function = 0;
    FILEOP_FLAGS flags = 0;
    HWND owner = nullptr;
    std::string from, to, title;
    bool abort = false;
    int answer = 0;
};

class ShellFileBatchTest : public testing::Test {
protected:
    void SetUp() override {
        owner = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
        base = folder.Path() + "\\";
        ASSERT_TRUE(::CreateDirectoryA((base + "src").c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryA((base + "dst").c_str(), nullptr));
        for (const char* name : {"one.txt", "two.txt", "three.txt", "bystander.txt"}) {
            WriteFile(base + "src\\" + name, name);
        }
    }
    void TearDown() override { ::DestroyWindow(owner); }
    std::string Src(const char* name) const { return base + "src\\" + name; }
    std::string Dst(const char* name) const { return base + "dst\\" + name; }
    ShellFileBatch Batch(ShellOperation operation) const { return ShellFileBatch(owner, operation, 0x0214); }

    test::TempFolder folder{"shell-batch"};
    std::string base;
    HWND owner = nullptr;
};

TEST_F(ShellFileBatchTest, CopyMoveRenameAndDeleteFileByFile) {
    ShellFileBatch copy = Batch(ShellOperation::Copy);
    for (const char* name : {"one.txt", "two.txt", "three.txt"}) copy.AddSource(Src(name));
    copy.AddDestination(base + "dst");
    int result = -1;
    bool aborted = true;
    ASSERT_TRUE(copy.Run(&result, &aborted));
    EXPECT_TRUE(copy.Started());
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(aborted);
    for (const char* name : {"one.txt", "two.txt", "three.txt"}) {
        EXPECT_EQ(ReadFile(Dst(name)), name);
        EXPECT_EQ(ReadFile(Src(name)), name) << "a copy keeps the source";
    }
    EXPECT_FALSE(Exists(Dst("bystander.txt")));
    EXPECT_EQ(copy.Sources().size(), 3u) << "Run keeps the lists";

    ShellFileBatch rename = Batch(ShellOperation::Rename);
    rename.AddSource(Dst("one.txt"));
    rename.AddDestination(Dst("renamed.txt"));
    ASSERT_TRUE(rename.Run());
    EXPECT_FALSE(Exists(Dst("one.txt")));
    EXPECT_EQ(ReadFile(Dst("renamed.txt")), "one.txt");

    // A move with one destination per source.
    ShellFileBatch move = Batch(ShellOperation::Move);
    move.AddSource(Dst("two.txt"));
    move.AddSource(Dst("three.txt"));
    move.AddDestination(base + "moved-2.txt");
    move.AddDestination(base + "moved-3.txt");
    ASSERT_TRUE(move.Run());
    EXPECT_FALSE(Exists(Dst("two.txt")));
    EXPECT_FALSE(Exists(Dst("three.txt")));
    EXPECT_EQ(ReadFile(base + "moved-2.txt"), "two.txt");
    EXPECT_EQ(ReadFile(base + "moved-3.txt"), "three.txt");

    ShellFileBatch remove = Batch(ShellOperation::Delete);
    remove.AddSource(base + "moved-2.txt");
    remove.AddSource(Dst("renamed.txt"));
    ASSERT_TRUE(remove.Run()) << "a delete needs no destination";
    EXPECT_FALSE(Exists(base + "moved-2.txt"));
    EXPECT_FALSE(Exists(Dst("renamed.txt")));
    EXPECT_TRUE(Exists(base + "moved-3.txt"));
    for (const char* name : {"one.txt", "two.txt", "three.txt", "bystander.txt"}) EXPECT_TRUE(Exists(Src(name)));

    // The owner empties the sources between steps, and the next run uses the new ones.
    remove.ClearSources();
    remove.AddSource(base + "moved-3.txt");
    ASSERT_TRUE(remove.Run());
    EXPECT_FALSE(Exists(base + "moved-3.txt"));
    EXPECT_TRUE(Exists(Src("one.txt")));
}

TEST_F(ShellFileBatchTest, ShellFailureIsAFailureWithItsCode) {
    ShellFileBatch copy = Batch(ShellOperation::Copy);
    copy.AddSource(Src("missing.txt"));
    copy.AddDestination(base + "dst");
    int result = 0;
    bool aborted = true;
    EXPECT_FALSE(copy.Run(&result, &aborted));
    EXPECT_TRUE(copy.Started());
    EXPECT_NE(result, 0);
    EXPECT_FALSE(aborted);
    EXPECT_FALSE(Exists(Dst("missing.txt")));
}

TEST_F(ShellFileBatchTest, AbortedOperationIsAFailure) {
    FakeShell shell;
    shell.abort = true;
    ShellFileBatch copy = Batch(ShellOperation::Copy);
    copy.SetShell(&shell);
    copy.AddSource(Src("one.txt"));
    copy.AddDestination(base + "dst");
    int result = -1;
    bool aborted = false;
    EXPECT_FALSE(copy.Run(&result, &aborted));
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(aborted);
    EXPECT_TRUE(copy.Started());
    // Without the out-parameters, the same answer.
    EXPECT_FALSE(copy.Run());
    shell.abort = false;
    EXPECT_TRUE(copy.Run(&result, &aborted));
    EXPECT_FALSE(aborted);
}

TEST_F(ShellFileBatchTest, RecordHandedToTheShell) {
    FakeShell shell;
    ShellFileBatch copy(owner, ShellOperation::Copy, ovix::kDriverBackupFlags);
    copy.SetShell(&shell);
    copy.SetProgressTitle("Backup");
    copy.AddSource("C:\\a.sys");
    copy.AddSource("C:\\bb.sys");
    copy.AddDestination("D:\\x");
    ASSERT_TRUE(copy.Run());
    EXPECT_EQ(shell.function, static_cast<UINT>(FO_COPY));
    EXPECT_EQ(shell.flags, 0x0350);
    EXPECT_EQ(shell.owner, owner);
    EXPECT_EQ(shell.from, std::string("C:\\a.sys\0C:\\bb.sys\0\0", 20));
    EXPECT_EQ(shell.to, std::string("D:\\x\0\0", 6));
    EXPECT_EQ(shell.title, "Backup");

    // Several destinations add the multiple-destinations flag.
    copy.ClearDestinations();
    copy.AddDestination("D:\\1");
    copy.AddDestination("D:\\2");
    ASSERT_TRUE(copy.Run());
    EXPECT_EQ(shell.flags, 0x0351);
    EXPECT_EQ(shell.to, std::string("D:\\1\0D:\\2\0\0", 11));

    ShellFileBatch remove(owner, ShellOperation::Delete, ovix::kCleanerDeleteFlags);
    remove.SetShell(&shell);
    remove.AddSource("C:\\c.txt");
    remove.AddDestination("ignored");
    ASSERT_TRUE(remove.Run());
    EXPECT_EQ(shell.function, static_cast<UINT>(FO_DELETE));
    EXPECT_EQ(shell.flags, 0x0214);
    EXPECT_EQ(shell.to, "<null>");
}

TEST_F(ShellFileBatchTest, BadParametersAreRefusedWithoutTheShell) {
    FakeShell shell;
    auto refused = [&](ShellFileBatch& batch) {
        batch.SetShell(&shell);
        int result = 1234;
        const int before = shell.calls;
        const bool ran = batch.Run(&result, nullptr);
        EXPECT_FALSE(batch.Started());
        EXPECT_EQ(result, 1234) << "no code handed back";
        return !ran && shell.calls == before;
    };
    {
        ShellFileBatch noOwner(nullptr, ShellOperation::Delete);
        noOwner.AddSource("C:\\x");
        EXPECT_TRUE(refused(noOwner));
    }
    for (UINT code : {0u, 5u, 0xFFFFu}) {
        ShellFileBatch unknown = Batch(ShellOperation::Delete);
        unknown.SetOperationCode(code);
        unknown.AddSource("C:\\x");
        EXPECT_TRUE(refused(unknown)) << code;
    }
    {
        ShellFileBatch empty = Batch(ShellOperation::Delete);
        EXPECT_TRUE(refused(empty));
    }
    {
        ShellFileBatch noDestination = Batch(ShellOperation::Copy);
        noDestination.AddSource("C:\\x");
        EXPECT_TRUE(refused(noDestination));
    }
    {
        ShellFileBatch threeToTwo = Batch(ShellOperation::Copy);
        for (const char* name : {"one.txt", "two.txt", "three.txt"}) threeToTwo.AddSource(Src(name));
        threeToTwo.AddDestination(base + "dst");
        threeToTwo.AddDestination(base + "src");
        EXPECT_TRUE(refused(threeToTwo));
    }
    {
        ShellFileBatch emptySource = Batch(ShellOperation::Delete);
        emptySource.AddSource(Src("one.txt"));
        emptySource.AddSource("");
        emptySource.AddSource(Src("two.txt"));
        EXPECT_TRUE(refused(emptySource));
    }
    {
        ShellFileBatch emptyDestination = Batch(ShellOperation::Move);
        emptyDestination.AddSource(Src("one.txt"));
        emptyDestination.AddSource(Src("two.txt"));
        emptyDestination.AddDestination(Dst("one.txt"));
        emptyDestination.AddDestination("");
        EXPECT_TRUE(refused(emptyDestination));
    }
    {
        ShellFileBatch renameTwo = Batch(ShellOperation::Rename);
        renameTwo.AddSource(Src("one.txt"));
        renameTwo.AddSource(Src("two.txt"));
        renameTwo.AddDestination(Dst("x.txt"));
        EXPECT_TRUE(refused(renameTwo));
    }
    EXPECT_EQ(shell.calls, 0);
    for (const char* name : {"one.txt", "two.txt", "three.txt", "bystander.txt"}) EXPECT_TRUE(Exists(Src(name)));
}

class ShellDeleteTest : public testing::Test {
protected:
    test::TempFolder folder{"shell-delete"};
};

TEST_F(ShellDeleteTest, PermanentDeleteOfAFileAndAFolder) {
    WriteFile(folder.File("gone.txt"));
    WriteFile(folder.File("stays.txt"));
    ASSERT_TRUE(::CreateDirectoryA(folder.File("dir").c_str(), nullptr));
    WriteFile(folder.File("dir\\inner.txt"));
    EXPECT_TRUE(ovix::ShellDelete(folder.File("gone.txt"), false));
    EXPECT_FALSE(Exists(folder.File("gone.txt")));
    EXPECT_TRUE(ovix::ShellDelete(folder.File("dir") + "\\", false));
    EXPECT_FALSE(Exists(folder.File("dir")));
    EXPECT_TRUE(Exists(folder.File("stays.txt")));
    EXPECT_FALSE(ovix::ShellDelete(folder.File("never-was.txt"), false));
}

TEST_F(ShellDeleteTest, RelativePathIsMadeAbsoluteFirst) {
    FakeShell shell;
    char current[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof(current), current);
    ASSERT_TRUE(::SetCurrentDirectoryA(folder.Path().c_str()));
    WriteFile(folder.File("relative.txt"));
    EXPECT_TRUE(ovix::ShellDelete("relative.txt", true, &shell));
    EXPECT_EQ(shell.from, folder.File("relative.txt") + std::string(2, '\0'));
    EXPECT_EQ(shell.flags, 0x54);
    EXPECT_TRUE(ovix::ShellDelete(".\\relative.txt", false, &shell));
    EXPECT_EQ(shell.flags, 0x14);
    EXPECT_EQ(shell.function, static_cast<UINT>(FO_DELETE));
    // The real call, relative: the file goes.
    EXPECT_TRUE(ovix::ShellDelete("relative.txt", false));
    EXPECT_FALSE(Exists(folder.File("relative.txt")));
    ::SetCurrentDirectoryA(current);
}

TEST_F(ShellDeleteTest, EmptyRootsAndWildcardsAreRefused) {
    FakeShell shell;
    for (const char* path : {"", "C:\\", "c:/", "Z:\\", "\\\\server\\share", "\\\\server\\share\\", "C:\\..",
                             "C:\\*", "C:\\windows\\*.exe", "C:\\windows\\no?.exe"}) {
        EXPECT_FALSE(ovix::ShellDelete(path, false, &shell)) << path;
        EXPECT_FALSE(ovix::ShellDelete(path, true, &shell)) << path;
    }
    EXPECT_EQ(shell.calls, 0);
    // With the real shell, a wildcard inside the test folder deletes nothing.
    WriteFile(folder.File("a.txt"));
    WriteFile(folder.File("b.txt"));
    EXPECT_FALSE(ovix::ShellDelete(folder.File("*.txt"), false));
    EXPECT_FALSE(ovix::ShellDelete(folder.File("?.txt"), true));
    EXPECT_TRUE(Exists(folder.File("a.txt")));
    EXPECT_TRUE(Exists(folder.File("b.txt")));
}

// Wine moves a Recycle-Bin delete to $XDG_DATA_HOME/Trash; it reads the
// variable from the process environment when the process first uses the bin.
TEST_F(ShellDeleteTest, RecycleBinDeleteGoesToTheTrashFolder) {
    test::TempFolder scratch("shell-delete-trash");
    const std::string unixScratch = test::UnixPath(scratch.Path());
    ASSERT_FALSE(unixScratch.empty());
    char saved[1024] = "";
    const DWORD savedLength = ::GetEnvironmentVariableA("XDG_DATA_HOME", saved, sizeof(saved));
    ::SetEnvironmentVariableA("XDG_DATA_HOME", unixScratch.c_str());

    WriteFile(folder.File("recycled.txt"), "keep me");
    const bool deleted = ovix::ShellDelete(folder.File("recycled.txt"), true);
    ::SetEnvironmentVariableA("XDG_DATA_HOME", savedLength ? saved : nullptr);

    EXPECT_TRUE(deleted);
    EXPECT_FALSE(Exists(folder.File("recycled.txt")));
    EXPECT_EQ(ReadFile(scratch.File("Trash\\files\\recycled.txt")), "keep me")
        << "the bin of this process was already set up elsewhere";
    EXPECT_TRUE(Exists(scratch.File("Trash\\info\\recycled.txt.trashinfo")));
}

}  // namespace
