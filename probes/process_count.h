#pragma once

namespace ovix {

// The number of processes in a tool-help snapshot; 0 when no snapshot can be taken.
int RunningProcessCount();

}  // namespace ovix
