// Writes a shell link (.lnk) into one of the user's special folders: the
// shortcut maker's links and the program's own shortcuts.
#pragma once

#include <string>

namespace ovix {

// The target that stands for this program's own executable.
inline constexpr char kThisProgram[] = "_this";

class MakeShellLink {
public:
    // The link's arguments (none for every shortcut Ovix makes).
    std::string arguments;

    // Saves "<folder>\<name>.lnk" pointing at target, with its description
    // and, when iconPath is given, that icon; an existing link of that name is
    // replaced. False, and nothing written, for an empty target, a name that
    // would leave the folder or reach a device, a folder that cannot be found,
    // a link path or target longer than the system takes, or a failed save.
    bool Create(const std::string& target, const std::string& name, int folderId, const std::string& description,
                const std::string& iconPath, int iconIndex) const;
};

}  // namespace ovix
