#include "app/safe_text_file.h"

#include "app/text_file_rules.h"

#include <algorithm>

namespace ovix {

bool FileWriteCall::Write(HANDLE file, const void* bytes, DWORD size) {
    DWORD written = 0;
    return ::WriteFile(file, bytes, size, &written, nullptr) && written == size;
}

SafeTextFile::SafeTextFile(std::string target, FileWriteCall* writes)
    : target_(std::move(target)), writes_(writes ? writes : &defaultWrites_) {}

SafeTextFile::~SafeTextFile() { Abandon(); }

bool SafeTextFile::Begin() {
    Abandon();
    const size_t slash = target_.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? "." : target_.substr(0, slash + 1);
    char name[MAX_PATH] = "";
    // Creates an empty file of a unique name in that folder.
    if (!::GetTempFileNameA(folder.c_str(), "ovx", 0, name)) return false;
    temporary_ = name;
    file_.Reset(::CreateFileA(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) {
        Abandon();
        return false;
    }
    failed_ = false;
    return true;
}

bool SafeTextFile::Write(std::string_view bytes) {
    if (!file_ || failed_) return false;
    for (size_t done = 0; done < bytes.size() && !failed_;) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        failed_ = !writes_->Write(file_.Get(), bytes.data() + done, chunk);
        done += chunk;
    }
    return !failed_;
}

SaveResult SafeTextFile::Commit() {
    if (!file_) return SaveResult::CantCreate;
    const bool closed = ::CloseHandle(file_.Release()) != FALSE;
    if (failed_ || !closed ||
        !::MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Abandon();
        return SaveResult::WriteFailed;
    }
    temporary_.clear();
    return SaveResult::Done;
}

void SafeTextFile::Abandon() {
    file_.Reset();
    if (!temporary_.empty()) ::DeleteFileA(temporary_.c_str());
    temporary_.clear();
}

SaveResult SaveTextFile(const std::string& target, std::string_view text, FileWriteCall* writes) {
    SafeTextFile file(target, writes);
    if (!file.Begin()) return SaveResult::CantCreate;
    file.Write(WithCrLf(text));
    return file.Commit();
}

}  // namespace ovix
