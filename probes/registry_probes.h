// Registry probes over a key the caller names; the fixed-path probes of
// system_probes.h are these on their own keys.
#pragma once

#include "framework/win.h"

#include <string>

namespace ovix::probes {

// "Default software: %s" from the key's unnamed string value; "Default
// software: not find." when that value is missing or not a string; "Default
// software: not find!" when the key cannot be opened for reading and writing.
std::string DefaultMailClientAt(HKEY root, const char* keyPath);

}  // namespace ovix::probes
