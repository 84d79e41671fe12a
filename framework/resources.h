// Loading the program's own resources by id. Icons are loaded unshared, so
// their owner destroys them.
#pragma once

#include "framework/handles.h"

#include <string>

namespace fw {

HINSTANCE ModuleInstance();
IconHandle LoadIconResource(UINT id, int size);
BitmapHandle LoadBitmapResource(UINT id);
MenuHandle LoadMenuResource(UINT id);
std::string LoadStringResource(UINT id);

// The running executable's full path, or "" when it cannot be read whole.
std::string ModulePath();

}  // namespace fw
