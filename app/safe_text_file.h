// Writes a text file so that a failure never leaves a damaged one: the text
// goes to a temporary file beside the target, every write and the close are
// checked, and only then does it replace the target. On any failure the
// target keeps its old bytes and no temporary file is left.
#pragma once

#include "framework/handles.h"

#include <string>
#include <string_view>

namespace ovix {

enum class SaveResult { Done, CantCreate, WriteFailed };  // WriteFailed: a write, the close or the replace

// The file calls behind a seam, so that a test can fail a write midway.
class FileWriteCall {
public:
    virtual ~FileWriteCall() = default;
    virtual bool Write(HANDLE file, const void* bytes, DWORD size);
};

class SafeTextFile {
public:
    explicit SafeTextFile(std::string target, FileWriteCall* writes = nullptr);
    ~SafeTextFile();  // an uncommitted file is abandoned
    SafeTextFile(const SafeTextFile&) = delete;
    SafeTextFile& operator=(const SafeTextFile&) = delete;

    // Creates the temporary file; false when the folder cannot take it.
    bool Begin();
    // Appends the bytes as given; false once any write failed.
    bool Write(std::string_view bytes);
    // Closes and replaces the target.
    SaveResult Commit();
    void Abandon();

    const std::string& Target() const { return target_; }

private:
    std::string target_;
    std::string temporary_;
    fw::UniqueHandle file_;
    FileWriteCall defaultWrites_;
    FileWriteCall* writes_;
    bool failed_ = false;
};

// The whole save in one call; line ends made CR LF.
SaveResult SaveTextFile(const std::string& target, std::string_view text, FileWriteCall* writes = nullptr);

}  // namespace ovix
