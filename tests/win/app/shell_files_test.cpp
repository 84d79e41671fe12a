#include "app/shell_files.h"

#include "app/path_rules.h"

#include "framework/handles.h"
#include "probes/probe_test_support.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
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

// Paths without the common prefix (sorted when asked: the enumeration order is the file system's).
std::vector<std::string> Relative(std::vector<std::string> paths, const std::string& base, bool sorted = false) {
    for (std::string& path : paths) {
        if (path.rfind(base, 0) == 0) path.erase(0, base.size());
    }
    if (sorted) std::sort(paths.begin(), paths.end());
    return paths;
}

std::vector<std::string> Found(const FileSearch& search, const std::string& base) {
    std::vector<std::string> paths;
    for (const auto& record : search.Results()) paths.push_back(record.path);
    return Relative(paths, base, true);
}

// The names a folder lists, dots left out.
std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (std::strcmp(entry.cFileName, ".") && std::strcmp(entry.cFileName, "..")) names.push_back(entry.cFileName);
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
    return names;
}

// Runs a shell command line of the Linux side and waits until done() holds.
template <class Done>
bool Shell(const std::string& command, Done done) {
    // One argument for sh: its own quotes escaped as a Windows command line wants them.
    std::string quoted;
    for (char c : command) quoted += c == '"' ? std::string("\\\"") : std::string(1, c);
    return test::RunUnixAndWait("/bin/sh -c \"" + quoted + "\"", "Z:\\bin\\sh", done);
}

DWORD FindError(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return ::GetLastError();
    ::FindClose(search);
    return 0;
}

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

TEST_F(FileSearchTest, AddFolderTrimsRefusesBlanksAndWalksDepthFirst) {
    FileSearch search;
    search.AddFolder(folder.Path() + "\\ ", false);
    ASSERT_EQ(search.Folders(), std::vector<std::string>{folder.Path()});
    // Each of these would walk the root of the current drive.
    for (const char* blank : {"", " ", "\\", "/", "\\\\", " / "}) search.AddFolder(blank, true);
    EXPECT_EQ(search.Folders().size(), 1u);
    search.ClearFolders();

    search.AddFolder(folder.Path() + "/", true);
    const auto folders = Relative(search.Folders(), base);
    ASSERT_EQ(folders.size(), 4u);
    EXPECT_EQ(search.Folders()[0], folder.Path());
    // "sub 1" is followed at once by what lies below it.
    const auto sub = std::find(folders.begin(), folders.end(), "sub 1");
    ASSERT_NE(sub, folders.end());
    ASSERT_NE(sub + 1, folders.end());
    EXPECT_EQ(*(sub + 1), "sub 1\\deeper");
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
    search.Search("*.none", true, true);
    EXPECT_TRUE(search.Results().empty());

    // Records accumulate until cleared; the folders stay.
    search.Search("a.txt", true, false);
    search.Search("a.txt", true, false);
    EXPECT_EQ(Found(search, base), (std::vector<std::string>{"a.txt", "a.txt"}));
    search.ClearResults();
    EXPECT_TRUE(search.Results().empty());
    EXPECT_EQ(search.Folders().size(), 4u);
}

TEST_F(FileSearchTest, RecordsCarryAttributesSizeAndTimes) {
    FileSearch search;
    search.AddFolder(folder.Path(), false);
    search.Search("*.*", true, false);
    ASSERT_EQ(search.Results().size(), 5u);
    for (const auto& record : search.Results()) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ASSERT_TRUE(::GetFileAttributesExA(record.path.c_str(), GetFileExInfoStandard, &data)) << record.path;
        EXPECT_EQ(record.attributes, data.dwFileAttributes) << record.path;
        EXPECT_EQ(record.size, record.path == base + "a.txt" ? 5u : 1u) << record.path;
        EXPECT_EQ(::CompareFileTime(&record.lastWritten, &data.ftLastWriteTime), 0);
        EXPECT_EQ(::CompareFileTime(&record.created, &data.ftCreationTime), 0);
    }
}

// Dangling and self-looping links stand in for folders that cannot be read:
// Wine neither lists nor enters them.
TEST_F(FileSearchTest, UnreadableFolderAddsNothingAndTheNextIsStillSearched) {
    const std::string unixBase = test::UnixPath(folder.Path());
    ASSERT_TRUE(Shell("cd \"" + unixBase + "\" && ln -s nowhere dangling && ln -s loop loop", [&] {
        return FindError(base + "dangling") != ERROR_PATH_NOT_FOUND && FindError(base + "loop") != ERROR_PATH_NOT_FOUND;
    }));
    FileSearch search;
    for (const char* name : {"dangling", "missing folder", "loop"}) search.AddFolder(base + name, true);
    search.AddFolder(base + "sub 1", false);
    EXPECT_EQ(search.Folders().size(), 4u);
    search.Search("*.*", true, true);
    EXPECT_EQ(Found(search, base), (std::vector<std::string>{"sub 1\\c.txt", "sub 1\\deeper"}));
    // The broken links are no entries of the folder that holds them either.
    EXPECT_EQ(Listing(folder.Path()).size(), 7u);
    Shell("rm -f \"" + unixBase + "/dangling\" \"" + unixBase + "/loop\"",
          [&] { return FindError(base + "loop") == ERROR_PATH_NOT_FOUND; });
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

// "x." and "x " name "x" to the Win32 calls: beside a link "x" they would
// lead into the link's target.
TEST_F(FileSearchTest, NamesEndingInDotOrBlankAreNeitherEnteredNorRecorded) {
    test::TempFolder outside("file-search-outside");
    WriteFile(outside.File("secret.txt"));
    test::FolderLink link(base + "x", "../file-search-outside");
    ASSERT_TRUE(link.IsLink()) << "ln could not make the link";
    const std::string unixBase = test::UnixPath(folder.Path());
    ASSERT_FALSE(unixBase.empty());
    const size_t before = Listing(folder.Path()).size();
    ASSERT_TRUE(Shell("mkdir \"" + unixBase + "/x.\" \"" + unixBase + "/y \"",
                      [&] { return Listing(folder.Path()).size() == before + 2; }));
    const auto names = Listing(folder.Path());
    ASSERT_NE(std::find(names.begin(), names.end(), "x."), names.end()) << "Wine lists the name as it is";

    // Searched as the folders are walked, then again over the listed folders.
    FileSearch search;
    search.AddFolder(folder.Path(), true);
    for (int round = 0; round < 2; ++round) {
        search.Search("*", true, true);
        for (const auto& record : search.Results()) {
            EXPECT_EQ(record.path.find("secret"), std::string::npos) << record.path;
            EXPECT_FALSE(ovix::EndsWithDotOrBlank(record.path)) << record.path;
        }
        EXPECT_EQ(search.Results().size(), (round + 1) * 11u) << "the fixture's 10 entries and the link";
    }
    for (const std::string& path : search.Folders()) {
        EXPECT_FALSE(ovix::EndsWithDotOrBlank(path)) << path;
        EXPECT_EQ(path.find("\\x"), std::string::npos) << path;
    }
    Shell("rmdir \"" + unixBase + "/x.\" \"" + unixBase + "/y \"",
          [&] { return Listing(folder.Path()).size() == before; });
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

    // A move with one destination per source.
    ShellFileBatch move = Batch(ShellOperation::Move);
    move.AddSource(Dst("two.txt"));
    move.AddSource(Dst("three.txt"));
    move.AddDestination(base + "moved-2.txt");
    move.AddDestination(base + "moved-3.txt");
    ASSERT_TRUE(move.Run());
    EXPECT_FALSE(Exists(Dst("two.txt")));
    EXPECT_EQ(ReadFile(base + "moved-3.txt"), "three.txt");

    ShellFileBatch remove = Batch(ShellOperation::Delete);
    remove.AddSource(base + "moved-2.txt");
    remove.AddSource(Dst("one.txt"));
    ASSERT_TRUE(remove.Run()) << "a delete needs no destination";
    EXPECT_FALSE(Exists(base + "moved-2.txt"));
    EXPECT_FALSE(Exists(Dst("one.txt")));
    EXPECT_TRUE(Exists(base + "moved-3.txt"));
    for (const char* name : {"one.txt", "two.txt", "three.txt", "bystander.txt"}) EXPECT_TRUE(Exists(Src(name)));

    // A failing copy is a failure with the shell's code.
    ShellFileBatch missing = Batch(ShellOperation::Copy);
    missing.AddSource(Src("missing.txt"));
    missing.AddDestination(base + "dst");
    EXPECT_FALSE(missing.Run(&result, &aborted));
    EXPECT_TRUE(missing.Started());
    EXPECT_NE(result, 0);
}

TEST_F(ShellFileBatchTest, RecordHandedToTheShellAndItsAnswer) {
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

    // An aborted operation is a failure, though the shell answered 0.
    shell.abort = true;
    int result = -1;
    bool aborted = false;
    EXPECT_FALSE(copy.Run(&result, &aborted));
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(aborted);
    EXPECT_FALSE(copy.Run());
    shell.abort = false;

    // A delete hands over absolute paths and no destination.
    char current[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof(current), current);
    ASSERT_TRUE(::SetCurrentDirectoryA(base.c_str()));
    ShellFileBatch remove(owner, ShellOperation::Delete, ovix::kCleanerDeleteFlags);
    remove.SetShell(&shell);
    remove.AddSource("src\\one.txt");
    remove.AddDestination("ignored");
    const bool removed = remove.Run();
    ::SetCurrentDirectoryA(current);
    ASSERT_TRUE(removed);
    EXPECT_EQ(shell.function, static_cast<UINT>(FO_DELETE));
    EXPECT_EQ(shell.flags, 0x0214);
    EXPECT_EQ(shell.from, Src("one.txt") + std::string(2, '\0'));
    EXPECT_EQ(shell.to, "<null>");
}

// Paths that a recursive delete would resolve to another, larger target.
const char* const kUnsafeDeletePaths[] = {
    "", " ", "   ", ".", "..", "...", "C:", "c:", "C:name", "C:\\", "c:/", "\\", "/",
    "\\\\server\\share", "\\\\server\\share\\", "C:\\..", "C:\\windows\\.", "C:\\windows\\..", "report.",
    "report ", "dir\\sub.", "dir\\sub. ", "C:\\*", "C:\\windows\\*.exe", "C:\\windows\\no?.exe",
};

TEST_F(ShellFileBatchTest, BadParametersAreRefusedWithoutTheShell) {
    FakeShell shell;
    auto refused = [&](ShellFileBatch& batch) {
        batch.SetShell(&shell);
        int result = 1234;
        const bool ran = batch.Run(&result, nullptr);
        EXPECT_FALSE(batch.Started());
        EXPECT_EQ(result, 1234) << "no code handed back";
        return !ran;
    };
    auto batch = [&](ShellOperation operation, std::vector<std::string> sources,
                     std::vector<std::string> destinations, HWND window) {
        ShellFileBatch made(window, operation, 0x0214);
        for (auto& source : sources) made.AddSource(source);
        for (auto& destination : destinations) made.AddDestination(destination);
        return made;
    };
    const std::string one = Src("one.txt"), two = Src("two.txt"), three = Src("three.txt");
    std::vector<ShellFileBatch> cases;
    cases.push_back(batch(ShellOperation::Delete, {one}, {}, nullptr));                  // no owner
    cases.push_back(batch(ShellOperation::Delete, {}, {}, owner));                       // no source
    cases.push_back(batch(ShellOperation::Copy, {one}, {}, owner));                      // no destination
    cases.push_back(batch(ShellOperation::Copy, {one, two, three}, {Dst(""), base}, owner));  // 3 to 2
    cases.push_back(batch(ShellOperation::Delete, {one, "", two}, {}, owner));           // empty source
    cases.push_back(batch(ShellOperation::Move, {one, two}, {Dst("one.txt"), ""}, owner));  // empty destination
    cases.push_back(batch(ShellOperation::Rename, {one, two}, {Dst("x.txt")}, owner));    // rename of two
    for (const char* unsafe : kUnsafeDeletePaths) {
        if (*unsafe) cases.push_back(batch(ShellOperation::Delete, {one, unsafe}, {}, owner));
    }
    for (size_t i = 0; i < cases.size(); ++i) EXPECT_TRUE(refused(cases[i])) << "case " << i;
    for (UINT code : {0u, 5u, 0xFFFFu}) {
        ShellFileBatch unknown = Batch(ShellOperation::Delete);
        unknown.SetOperationCode(code);
        unknown.AddSource(one);
        EXPECT_TRUE(refused(unknown)) << code;
    }
    EXPECT_EQ(shell.calls, 0);
    for (const char* name : {"one.txt", "two.txt", "three.txt", "bystander.txt"}) EXPECT_TRUE(Exists(Src(name)));
}

class ShellDeleteTest : public testing::Test {
protected:
    test::TempFolder folder{"shell-delete"};
};

TEST_F(ShellDeleteTest, DeletesAFileOrAFolderByItsAbsolutePath) {
    WriteFile(folder.File("gone.txt"));
    WriteFile(folder.File("stays.txt"));
    ASSERT_TRUE(::CreateDirectoryA(folder.File("dir").c_str(), nullptr));
    WriteFile(folder.File("dir\\inner.txt"));
    EXPECT_TRUE(ovix::ShellDelete(folder.File("gone.txt"), false));
    EXPECT_TRUE(ovix::ShellDelete(folder.File("dir") + "\\", false));
    EXPECT_FALSE(Exists(folder.File("gone.txt")));
    EXPECT_FALSE(Exists(folder.File("dir")));
    EXPECT_TRUE(Exists(folder.File("stays.txt")));
    EXPECT_FALSE(ovix::ShellDelete(folder.File("never-was.txt"), false));

    // A relative path reaches the shell made absolute (beyond undo otherwise).
    FakeShell shell;
    char current[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof(current), current);
    ASSERT_TRUE(::SetCurrentDirectoryA(folder.Path().c_str()));
    EXPECT_TRUE(ovix::ShellDelete("stays.txt", true, &shell));
    EXPECT_EQ(shell.from, folder.File("stays.txt") + std::string(2, '\0'));
    EXPECT_EQ(shell.flags, 0x54);
    EXPECT_TRUE(ovix::ShellDelete(".\\stays.txt", false, &shell));
    EXPECT_EQ(shell.flags, 0x14);
    EXPECT_EQ(shell.function, static_cast<UINT>(FO_DELETE));
    EXPECT_TRUE(ovix::ShellDelete("stays.txt", false));
    ::SetCurrentDirectoryA(current);
    EXPECT_FALSE(Exists(folder.File("stays.txt")));
}

TEST_F(ShellDeleteTest, PathsThatResolveElsewhereAreRefused) {
    // Inside the test folder as the current folder, so that a wrongly
    // accepted path could only ever reach the test's own files.
    char current[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof(current), current);
    ASSERT_TRUE(::SetCurrentDirectoryA(folder.Path().c_str()));
    ASSERT_TRUE(::CreateDirectoryA("dir", nullptr));
    WriteFile("dir\\sub");
    WriteFile("report");
    WriteFile("a.txt");
    FakeShell shell;
    const std::string drive = folder.Path().substr(0, 2);
    for (const std::string& path : {drive, drive + "dir", folder.File("..."), folder.File("dir") + "\\."}) {
        EXPECT_FALSE(ovix::ShellDelete(path, false, &shell)) << path;
    }
    for (const char* path : kUnsafeDeletePaths) {
        EXPECT_FALSE(ovix::ShellDelete(path, false, &shell)) << path;
        EXPECT_FALSE(ovix::ShellDelete(path, true, &shell)) << path;
    }
    EXPECT_EQ(shell.calls, 0);
    // With the real shell too: nothing goes.
    for (const char* path : {"report.", "report ", "dir\\sub.", ".", "*.txt", "?.txt"}) {
        EXPECT_FALSE(ovix::ShellDelete(path, false)) << path;
    }
    EXPECT_FALSE(ovix::ShellDelete(drive, false));
    ::SetCurrentDirectoryA(current);
    for (const char* name : {"dir\\sub", "report", "a.txt"}) EXPECT_TRUE(Exists(folder.File(name))) << name;
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
