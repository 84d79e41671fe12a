#pragma once

#include <string>
#include <vector>

namespace ovix {

// The number of processes in a tool-help snapshot; 0 when no snapshot can be taken.
int RunningProcessCount();
// The executable names of one snapshot, in its order; none without a snapshot.
std::vector<std::string> RunningProcessNames();

}  // namespace ovix
