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

TEST_F(FileSearchTest, MasksFilesFoldersAndRecords) {
    FileSearch search;
    search.AddFolder(folder.Path(), true);
    search.Search("*.txt", true, false);
    EXPECT_EQ(Found(search, base),
              (std::vector<std::string>{"Caf\xE9 menu.txt", "a.txt", "hidden.txt", "sub 1\\c.txt",
                                        "sub 1\\deeper\\d.txt"}))
        << "no b.txtold: its short name alone matches";
    for (const auto& record : search.Results()) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ASSERT_TRUE(::GetFileAttributesExA(record.path.c_str(), GetFileExInfoStandard, &data)) << record.path;
        EXPECT_FALSE(record.directory);
        EXPECT_EQ(record.attributes, data.dwFileAttributes) << record.path;
        EXPECT_EQ(record.size, record.path == base + "a.txt" ? 5u : 1u) << record.path;
        EXPECT_EQ(::CompareFileTime(&record.lastWritten, &data.ftLastWriteTime), 0);
        EXPECT_EQ(::CompareFileTime(&record.created, &data.ftCreationTime), 0);
    }
    search.ClearResults();
    search.Search("*.*", false, true);
    EXPECT_EQ(Found(search, base), (std::vector<std::string>{"empty", "sub 1", "sub 1\\deeper"}));
    for (const auto& record : search.Results()) EXPECT_TRUE(record.directory);

    // Records accumulate until cleared; the folders stay.
    search.Search("*.log", true, false);
    search.Search("*.none", true, true);
    search.Search("*.txt", false, false);
    EXPECT_EQ(Found(search, base), (std::vector<std::string>{"empty", "ro.log", "sub 1", "sub 1\\deeper"}));
    search.ClearResults();
    EXPECT_TRUE(search.Results().empty());
    EXPECT_EQ(search.Folders().size(), 4u);
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

// Links are recorded but never entered (one to a parent would loop). And
// "x." and "x " name "x" to the Win32 calls: beside a link "x" they would lead
// into the link's target, so they are neither entered nor recorded.
TEST_F(FileSearchTest, LinksAndNamesEndingInDotOrBlankAreNotEntered) {
    test::TempFolder outside("file-search-outside");
    WriteFile(outside.File("secret.txt"));
    test::FolderLink link(base + "x", "../file-search-outside");
    test::FolderLink up(base + "sub 1\\up", "..");
    ASSERT_TRUE(link.IsLink() && up.IsLink()) << "ln could not make the links";
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
        EXPECT_EQ(search.Results().size(), (round + 1) * 12u) << "the fixture's 10 entries and the two links";
    }
    EXPECT_EQ(Relative(search.Folders(), base, true),
              (std::vector<std::string>{folder.Path(), "empty", "sub 1", "sub 1\\deeper"}));
    Shell("rmdir \"" + unixBase + "/x.\" \"" + unixBase + "/y \"",
          [&] { return Listing(folder.Path()).size() == before; });
}

// Below the test folder, 40 levels of 10-character names with one file each.
TEST(FileSearchDepth, DeepTreeIsReadUpToThePathLimit) {
    test::TempFolder folder("file-search-deep");
    std::vector<std::string> levels;
    for (int level = 1; level <= 40; ++level) {
        char name[16];
        std::snprintf(name, sizeof(name), "\\level_%04d", level);
        levels.push_back((levels.empty() ? folder.Path() : levels.back()) + name);
    }
    const std::string unixBase = test::UnixPath(folder.Path());
    const auto deepest = test::Widen("\\\\?\\" + levels.back() + "\\f.txt");
    ASSERT_TRUE(Shell("p=\"" + unixBase + "\"; for i in $(seq 1 40); do p=\"$p/$(printf level_%04d $i)\"; "
                      "mkdir \"$p\" && : > \"$p/f.txt\"; done",
                      [&] { return ::GetFileAttributesW(deepest.c_str()) != INVALID_FILE_ATTRIBUTES; }));

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
    EXPECT_TRUE(found > 10 && found < 40) << found;
    ASSERT_EQ(search.Results().size(), found);
    for (size_t i = 0; i < found; ++i) EXPECT_EQ(search.Results()[i].path, levels[i] + "\\f.txt");
    // What the A calls of the folder's clean-up cannot reach.
    Shell("rm -rf \"" + unixBase + "/level_0001\"", [&] { return !Exists(levels[0]); });
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
        return 0;
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
};

class ShellFileBatchTest : public testing::Test {
protected:
    void SetUp() override {
        owner = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        base = folder.Path() + "\\";
        ASSERT_TRUE(::CreateDirectoryA((base + "dst").c_str(), nullptr));
        for (const char* name : {"one.txt", "two.txt", "three.txt", "bystander.txt"}) WriteFile(base + name, name);
    }
    void TearDown() override { ::DestroyWindow(owner); }
    ShellFileBatch Batch(ShellOperation operation, std::vector<std::string> sources,
                         std::vector<std::string> destinations, HWND window = HWND(-1)) const {
        ShellFileBatch made(window == HWND(-1) ? owner : window, operation, 0x0214);
        for (auto& source : sources) made.AddSource(source);
        for (auto& destination : destinations) made.AddDestination(destination);
        return made;
    }

    test::TempFolder folder{"shell-batch"};
    std::string base;
    HWND owner = nullptr;
};

TEST_F(ShellFileBatchTest, CopiesFileByFileAndAFailureCarriesTheShellsCode) {
    ShellFileBatch copy = Batch(ShellOperation::Copy, {base + "one.txt", base + "two.txt"}, {base + "dst"});
    int result = -1;
    bool aborted = true;
    ASSERT_TRUE(copy.Run(&result, &aborted));
    EXPECT_TRUE(copy.Started() && result == 0 && !aborted);
    EXPECT_EQ(ReadFile(base + "dst\\one.txt"), "one.txt");
    EXPECT_EQ(ReadFile(base + "dst\\two.txt"), "two.txt");
    EXPECT_FALSE(Exists(base + "dst\\bystander.txt"));
    ShellFileBatch missing = Batch(ShellOperation::Copy, {base + "missing.txt"}, {base + "dst"});
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
}

// Paths that a recursive delete would resolve to another, larger target.
const char* const kUnsafeDeletePaths[] = {
    "", " ", "   ", ".", "..", "...", "C:", "c:", "C:name", "C:\\", "c:/", "\\", "/",
    "\\\\server\\share", "\\\\server\\share\\", "C:\\..", "C:\\windows\\.", "C:\\windows\\..", "report.",
    "report ", "dir\\sub.", "dir\\sub. ", "C:\\*", "C:\\windows\\*.exe", "C:\\windows\\no?.exe",
};

TEST_F(ShellFileBatchTest, BadParametersAreRefusedWithoutTheShell) {
    FakeShell shell;
    const std::string one = base + "one.txt", two = base + "two.txt", three = base + "three.txt";
    std::vector<ShellFileBatch> cases;
    cases.push_back(Batch(ShellOperation::Delete, {one}, {}, nullptr));                       // no owner
    cases.push_back(Batch(ShellOperation::Delete, {}, {}));                                   // no source
    cases.push_back(Batch(ShellOperation::Copy, {one}, {}));                                  // no destination
    cases.push_back(Batch(ShellOperation::Copy, {one, two, three}, {base + "dst", base}));    // 3 to 2
    cases.push_back(Batch(ShellOperation::Delete, {one, "", two}, {}));                       // empty source
    cases.push_back(Batch(ShellOperation::Move, {one, two}, {base + "dst", ""}));             // empty destination
    cases.push_back(Batch(ShellOperation::Rename, {one, two}, {base + "x.txt"}));             // rename of two
    for (const char* unsafe : kUnsafeDeletePaths) {
        if (*unsafe) cases.push_back(Batch(ShellOperation::Delete, {one, unsafe}, {}));
    }
    for (UINT code : {0u, 5u, 0xFFFFu}) {
        cases.push_back(Batch(ShellOperation::Delete, {one}, {}));
        cases.back().SetOperationCode(code);
    }
    for (size_t i = 0; i < cases.size(); ++i) {
        cases[i].SetShell(&shell);
        int result = 1234;
        EXPECT_FALSE(cases[i].Run(&result, nullptr)) << "case " << i;
        EXPECT_FALSE(cases[i].Started());
        EXPECT_EQ(result, 1234) << "no code handed back";
    }
    EXPECT_EQ(shell.calls, 0);
    for (const char* name : {"one.txt", "two.txt", "three.txt", "bystander.txt"}) EXPECT_TRUE(Exists(base + name));
}

class ShellDeleteTest : public testing::Test {
protected:
    void SetUp() override {
        ::GetCurrentDirectoryA(sizeof(current), current);
        ASSERT_TRUE(::SetCurrentDirectoryA(folder.Path().c_str()));
    }
    void TearDown() override { ::SetCurrentDirectoryA(current); }

    // Inside the test folder as the current folder, so that a wrongly
    // accepted relative path could only ever reach the test's own files.
    test::TempFolder folder{"shell-delete"};
    char current[MAX_PATH] = "";
};

TEST_F(ShellDeleteTest, DeletesAFileOrAFolderByItsAbsolutePath) {
    WriteFile("gone.txt");
    WriteFile("stays.txt");
    ASSERT_TRUE(::CreateDirectoryA("dir", nullptr));
    WriteFile("dir\\inner.txt");
    EXPECT_TRUE(ovix::ShellDelete(folder.File("gone.txt"), false));
    EXPECT_TRUE(ovix::ShellDelete("dir\\", false));
    EXPECT_FALSE(Exists(folder.File("gone.txt")));
    EXPECT_FALSE(Exists(folder.File("dir")));
    EXPECT_TRUE(Exists(folder.File("stays.txt")));
    EXPECT_FALSE(ovix::ShellDelete(folder.File("never-was.txt"), false));
    // A relative path reaches the shell made absolute (beyond undo otherwise).
    FakeShell shell;
    EXPECT_TRUE(ovix::ShellDelete(".\\stays.txt", true, &shell));
    EXPECT_EQ(shell.from, folder.File("stays.txt") + std::string(2, '\0'));
    EXPECT_EQ(shell.function, static_cast<UINT>(FO_DELETE));
    EXPECT_EQ(shell.flags, 0x54);
    EXPECT_TRUE(ovix::ShellDelete("stays.txt", false, &shell));
    EXPECT_EQ(shell.flags, 0x14);
}

TEST_F(ShellDeleteTest, PathsThatResolveElsewhereAreRefused) {
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
    for (const std::string& path : {std::string("report."), std::string("report "), std::string("dir\\sub."),
                                    std::string("."), std::string("*.txt"), drive}) {
        EXPECT_FALSE(ovix::ShellDelete(path, false)) << path;
    }
    for (const char* name : {"dir\\sub", "report", "a.txt"}) EXPECT_TRUE(Exists(folder.File(name))) << name;
}

}  // namespace
