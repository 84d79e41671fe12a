// The platform's file and folder pickers behind one seam, which the
// screenshot, the driver backup, the cleaner, the reports and the shortcut
// maker share. Each answers the chosen path, or nothing on Cancel.
#pragma once

#include "framework/win.h"

#include <optional>
#include <string>

namespace ovix {

struct FileDialogRequest {
    HWND owner = nullptr;
    // Pairs of description and pattern separated by '|': "Text files|*.txt|All files|*.*".
    std::string filter;
    std::string defaultExtension;  // without the dot; empty: none appended
    std::string title;
    std::string initialName;
};

class CommonDialogs {
public:
    virtual ~CommonDialogs() = default;
    virtual std::optional<std::string> OpenFile(const FileDialogRequest& request);
    virtual std::optional<std::string> SaveFile(const FileDialogRequest& request);
    // A folder of the file system; a virtual folder (no path) counts as Cancel.
    virtual std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title);
};

CommonDialogs& CurrentCommonDialogs();
CommonDialogs* SetCommonDialogs(CommonDialogs* dialogs);  // null: the system's

}  // namespace ovix
