#include "app/shell_files.h"

#include "app/path_rules.h"
#include "framework/handles.h"

#include <algorithm>
#include <cstring>

namespace ovix {
namespace {

struct FindTraits {
    using Type = HANDLE;
    static constexpr fw::ResourceKind kKind = fw::ResourceKind::Kernel;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(Type h) { ::FindClose(h); }
};
using FindHandle = fw::Owned<FindTraits>;

bool IsDots(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

// The name to put in the path. A long name with characters outside the code
// page comes back with "?" in their place and names nothing: the short name
// still reaches the entry.
std::string UsableName(const WIN32_FIND_DATAA& entry) {
    if (std::strchr(entry.cFileName, '?') && entry.cAlternateFileName[0]) return entry.cAlternateFileName;
    return entry.cFileName;
}

// Calls fn for every entry of the pattern but "." and "..".
// A pattern of MAX_PATH characters or more is never tried: Windows refuses
// it, and Wine would read one character further, so the limit is the same on both.
template <class Fn>
void ForEachEntry(const std::string& pattern, Fn fn) {
    if (pattern.size() >= MAX_PATH) return;
    WIN32_FIND_DATAA entry;
    FindHandle search(::FindFirstFileA(pattern.c_str(), &entry));
    if (!search) return;
    do {
        if (!IsDots(entry.cFileName)) fn(entry);
    } while (::FindNextFileA(search.Get(), &entry));
}

std::string FullPath(const std::string& path) {
    std::string full(MAX_PATH, '\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD length = ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) return {};
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.assign(length, '\0');
    }
    return {};
}

// The absolute path that a delete may act on, or "" when the path is refused:
// unsafe as given, a root once made absolute, or made absolute into another
// name (the system strips what it does not keep).
std::string SafeDeleteTarget(const std::string& path) {
    if (IsUnsafeDeletePath(path)) return {};
    const std::string full = FullPath(path);
    if (full.empty() || HasWildcard(full) || IsDriveOrShareRoot(full)) return {};
    if (LastPathPart(full) != LastPathPart(path)) return {};
    return full;
}

// A record for the entry found in folder when the switches and the mask admit it.
void AddRecord(std::vector<FoundFile>& results, const std::string& folder, const WIN32_FIND_DATAA& entry,
               const std::string& mask, bool files, bool directories) {
    const bool directory = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (directory ? !directories : !files) return;
    // The find call also matches the 8.3 name; keep what the long name matches.
    if (!MatchesMask(entry.cFileName, mask)) return;
    // Such a path names another entry than the one listed.
    if (EndsWithDotOrBlank(entry.cFileName)) return;
    FoundFile found;
    found.path = folder + "\\" + UsableName(entry);
    found.directory = directory;
    found.attributes = entry.dwFileAttributes;
    found.created = entry.ftCreationTime;
    found.lastWritten = entry.ftLastWriteTime;
    found.size = (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    results.push_back(std::move(found));
}

}  // namespace

void FileSearch::AddFolder(const std::string& path, bool withSubfolders) {
    const std::string folder = TrimFolderPath(path);
    // An empty or blank folder would search the current drive's root.
    if (folder.find_first_not_of(" \\/") == std::string::npos) return;
    folders_.push_back(folder);
    unwalked_.push_back(withSubfolders);
}

const std::vector<std::string>& FileSearch::Folders() {
    WalkPending(nullptr);
    return folders_;
}

bool FileSearch::WalkPending(const Match* match) {
    if (std::find(unwalked_.begin(), unwalked_.end(), true) == unwalked_.end()) return false;
    std::vector<std::string> folders;
    for (size_t i = 0; i < folders_.size(); ++i) {
        if (unwalked_[i]) {
            Walk(folders_[i], folders, match);
        } else {
            folders.push_back(folders_[i]);
            if (match) SearchOne(folders_[i], *match);
        }
    }
    folders_ = std::move(folders);
    unwalked_.assign(folders_.size(), false);
    return true;
}

void FileSearch::Walk(const std::string& folder, std::vector<std::string>& folders, const Match* match) {
    folders.push_back(folder);
    // The mask's own pattern must fit too, as when the folder is searched alone.
    const bool searchable = match && (folder.size() + 1 + match->mask.size()) < MAX_PATH;
    // The folder is read in full and its search closed before the walk goes
    // down, so no find handles pile up along a deep path.
    std::vector<std::string> subfolders;
    ForEachEntry(folder + "\\*", [&](const WIN32_FIND_DATAA& entry) {
        if (searchable) AddRecord(results_, folder, entry, match->mask, match->files, match->directories);
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return;
        // "x." would be read as "x", which may be another folder (a link).
        if (EndsWithDotOrBlank(entry.cFileName)) return;
        subfolders.push_back(folder + "\\" + UsableName(entry));
    });
    for (const std::string& subfolder : subfolders) Walk(subfolder, folders, match);
}

void FileSearch::SearchOne(const std::string& folder, const Match& match) {
    ForEachEntry(folder + "\\" + match.mask, [&](const WIN32_FIND_DATAA& entry) {
        AddRecord(results_, folder, entry, match.mask, match.files, match.directories);
    });
}

void FileSearch::Search(const std::string& mask, bool collectFiles, bool collectDirectories) {
    if (!collectFiles && !collectDirectories) return;
    const Match match{mask, collectFiles, collectDirectories};
    if (WalkPending(&match)) return;
    for (const std::string& folder : folders_) SearchOne(folder, match);
}

bool ShellFileBatch::Acceptable() const {
    if (!owner_) return false;
    if (operation_ < FO_MOVE || operation_ > FO_RENAME) return false;
    if (sources_.empty()) return false;
    for (const std::string& source : sources_) {
        if (source.empty()) return false;
    }
    if (operation_ == FO_DELETE) return true;
    if (destinations_.empty()) return false;
    if (destinations_.size() != 1 && destinations_.size() != sources_.size()) return false;
    for (const std::string& destination : destinations_) {
        if (destination.empty()) return false;
    }
    if (operation_ == FO_RENAME && sources_.size() > 1) return false;
    return true;
}

bool ShellFileBatch::Run(int* outResult, bool* outAborted) {
    started_ = false;
    if (outAborted) *outAborted = false;
    if (!Acceptable()) return false;

    // A delete acts on absolute paths that passed the single delete's checks.
    std::vector<std::string> deleteTargets;
    if (operation_ == FO_DELETE) {
        for (const std::string& source : sources_) {
            std::string target = SafeDeleteTarget(source);
            if (target.empty()) return false;
            deleteTargets.push_back(std::move(target));
        }
    }
    const std::string from = DoubleZeroList(operation_ == FO_DELETE ? deleteTargets : sources_);
    const std::string to = operation_ == FO_DELETE ? std::string() : DoubleZeroList(destinations_);
    if (from.empty() || (operation_ != FO_DELETE && to.empty())) return false;

    SHFILEOPSTRUCTA operation{};
    operation.hwnd = owner_;
    operation.wFunc = operation_;
    operation.pFrom = from.c_str();
    operation.pTo = to.empty() ? nullptr : to.c_str();
    operation.fFlags = flags_;
    if (destinations_.size() > 1) operation.fFlags |= FOF_MULTIDESTFILES;
    operation.lpszProgressTitle = progressTitle_.c_str();

    started_ = true;
    if (outAborted) *outAborted = true;
    const int result = shell_->Run(operation);
    const bool aborted = operation.fAnyOperationsAborted != FALSE;
    if (outResult) *outResult = result;
    if (outAborted) *outAborted = aborted;
    return started_ && result == 0 && !aborted;
}

bool ShellDelete(const std::string& path, bool toRecycleBin, ShellFileCall* shell, FILEOP_FLAGS extraFlags) {
    const std::string full = SafeDeleteTarget(path);
    if (full.empty()) return false;

    const std::string from = DoubleZeroList({full});
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = static_cast<FILEOP_FLAGS>((toRecycleBin ? kDeleteToRecycleBin : kDeletePermanently) | extraFlags);
    ShellFileCall defaultShell;
    return (shell ? shell : &defaultShell)->Run(operation) == 0;
}

}  // namespace ovix
