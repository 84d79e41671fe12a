// The file helpers that the driver backup, the font list, the shell-folder
// statistics and the cleaner share: a search over a list of folders, one
// shell file operation over lists of paths, and a single shell delete.
#pragma once

#include "framework/win.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ovix {

// One directory entry found by a search.
struct FoundFile {
    std::string path;  // folder, a backslash, the entry name
    bool directory = false;
    DWORD attributes = 0;
    FILETIME created{};
    FILETIME lastWritten{};
    std::uint64_t size = 0;
};

// Collects the entries that match a mask in a list of folders. The find
// calls are the ANSI ones: a folder whose pattern passes MAX_PATH cannot be
// read and adds nothing, which also bounds how deep a walk can go.
//
// The sub-folders of a folder added with them are listed when they are first
// needed: by the next Search, which then reads each folder once for both its
// sub-folders and its matches (half the listings of a walk followed by a
// search), or by Folders(). The answers are the same either way.
class FileSearch {
public:
    void ClearFolders() {
        folders_.clear();
        unwalked_.clear();
    }
    // Appends the folder (trailing blanks and one trailing "\" or "/" removed;
    // a folder left empty or blank is not added: it would mean the drive root);
    // with sub-folders, every folder below it too, depth first in the order
    // the enumeration returns them. Links and junctions (reparse points) are
    // never entered: they may lead out of the folder, or back up into it.
    void AddFolder(const std::string& path, bool withSubfolders);
    // Appends a record for each entry of each listed folder (that folder only)
    // whose name matches the mask, files and/or directories as asked.
    void Search(const std::string& mask, bool collectFiles, bool collectDirectories);
    void ClearResults() { results_.clear(); }

    // The folder list, sub-folders listed (which reads them, if not done yet).
    const std::vector<std::string>& Folders();
    const std::vector<FoundFile>& Results() const { return results_; }

private:
    struct Match {
        std::string mask;
        bool files;
        bool directories;
    };
    // Lists folder once: appends it and, depth first, every folder below it
    // to folders; with a match, appends its entries that match to the results.
    void Walk(const std::string& folder, std::vector<std::string>& folders, const Match* match);
    void SearchOne(const std::string& folder, const Match& match);
    // Lists the sub-folders not listed yet (searching as it goes, with a
    // match); false when there were none, and nothing was read.
    bool WalkPending(const Match* match);

    // Folders as added; a flag per folder whose sub-folders are not listed yet.
    std::vector<std::string> folders_;
    std::vector<bool> unwalked_;
    std::vector<FoundFile> results_;
};

// The shell's file operation call, behind a seam: Wine never reports an
// aborted operation, so tests answer for the shell.
class ShellFileCall {
public:
    virtual ~ShellFileCall() = default;
    virtual int Run(SHFILEOPSTRUCTA& operation) { return ::SHFileOperationA(&operation); }
};

enum class ShellOperation : UINT { Move = FO_MOVE, Copy = FO_COPY, Delete = FO_DELETE, Rename = FO_RENAME };

// Flags the callers use.
inline constexpr FILEOP_FLAGS kDriverBackupFlags = 0x0350;   // no confirmation, no folder question, simple progress, undo
inline constexpr FILEOP_FLAGS kCleanerDeleteFlags = 0x0214;  // silent, no confirmation, no folder question
inline constexpr FILEOP_FLAGS kCleanerRecycleFlags = 0x0254;  // the same, to the Recycle Bin
inline constexpr FILEOP_FLAGS kDeletePermanently = 0x14;      // silent, no confirmation
inline constexpr FILEOP_FLAGS kDeleteToRecycleBin = 0x54;     // silent, no confirmation, allow undo

// One shell file operation over a list of sources and a list of destinations
// (one for all, or one per source). Run leaves both lists as they are: the
// owner clears them between operations.
class ShellFileBatch {
public:
    explicit ShellFileBatch(HWND owner = nullptr, ShellOperation operation = ShellOperation::Copy,
                            FILEOP_FLAGS flags = 0)
        : owner_(owner), operation_(static_cast<UINT>(operation)), flags_(flags) {}

    void SetOwner(HWND owner) { owner_ = owner; }
    void SetOperation(ShellOperation operation) { operation_ = static_cast<UINT>(operation); }
    // The shell's own code (1 move, 2 copy, 3 delete, 4 rename); others are refused by Run.
    void SetOperationCode(UINT code) { operation_ = code; }
    void SetFlags(FILEOP_FLAGS flags) { flags_ = flags; }
    void SetProgressTitle(std::string title) { progressTitle_ = std::move(title); }
    void SetShell(ShellFileCall* shell) { shell_ = shell ? shell : &defaultShell_; }

    void AddSource(std::string path) { sources_.push_back(std::move(path)); }
    void AddDestination(std::string path) { destinations_.push_back(std::move(path)); }
    void ClearSources() { sources_.clear(); }
    void ClearDestinations() { destinations_.clear(); }
    const std::vector<std::string>& Sources() const { return sources_; }
    const std::vector<std::string>& Destinations() const { return destinations_; }

    // Hands the operation to the shell. True when it was started, the shell
    // answered 0 and did not mark it aborted; the shell's code and its aborted
    // answer are handed back when asked for. Refused (false, shell not called):
    // no owner, an unknown operation, no source, an empty path in a list, a
    // rename of several sources, for all but delete no destination or a
    // destination count other than 1 or the number of sources, and for a
    // delete any source that ShellDelete would refuse (a delete hands the
    // shell the sources made absolute).
    bool Run(int* outResult = nullptr, bool* outAborted = nullptr);
    bool Started() const { return started_; }

private:
    bool Acceptable() const;

    HWND owner_;
    UINT operation_;
    FILEOP_FLAGS flags_;
    std::string progressTitle_;
    std::vector<std::string> sources_;
    std::vector<std::string> destinations_;
    bool started_ = false;
    ShellFileCall defaultShell_;
    ShellFileCall* shell_ = &defaultShell_;
};

// Deletes one file or folder through the shell, silently, permanently or to
// the Recycle Bin. The path is made absolute first (the shell would put a
// relative path beyond undo). Refused without calling the shell: an empty or
// blank path, "*" or "?", a drive-relative path ("C:", "C:name"), a last part
// that is ".", ".." or ends in '.' or ' ', a drive or share root, and a path
// whose last part changes when it is made absolute. The extra flags are added
// to the two above (FOF_NOERRORUI, FOF_NOCONFIRMMKDIR).
bool ShellDelete(const std::string& path, bool toRecycleBin, ShellFileCall* shell = nullptr,
                 FILEOP_FLAGS extraFlags = 0);

}  // namespace ovix
