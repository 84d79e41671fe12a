// "Backup NT Drivers": copies every .sys file of the system's drivers folder
// into a folder the user picks, in one shell copy.
#pragma once

#include "app/launch_commands.h"
#include "app/shell_files.h"

#include <string>

namespace ovix {

// The destination as the copy and the message show it: a trailing backslash
// added when missing ("E:\" stays as it is).
std::string BackupDestination(const std::string& folder);

// Asks for the folder, lists the drivers, asks again with the count, copies
// and says how it went. `shell` stands in for the shell's copy (null: the real one).
void BackupDrivers(HWND owner, FolderLocator& folders, ShellFileCall* shell = nullptr);

}  // namespace ovix
