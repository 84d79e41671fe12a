#include "tools/shortcut_rules.h"

#include "app/path_rules.h"

namespace ovix {

bool IsValidLinkName(std::string_view name) {
    return !name.empty() && !HasForbiddenNameCharacter(name) && !IsDeviceName(name);
}

}  // namespace ovix
