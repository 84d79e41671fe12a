// The tree's 72 icons: our own 55 first, then 17 of the shell's stock icons.
#pragma once

#include "framework/handles.h"

#include <array>
#include <string>

namespace ovix {

inline constexpr std::array<unsigned, 55> kTreeIconIds = {
    1187, 354,  1066, 400,  352,  1056, 1055, 1126, 1136, 1115, 1087, 1116, 1117, 1135,
    1170, 1134, 1016, 1137, 1154, 1153, 1155, 1156, 1159, 1158, 1157, 1161, 1160, 1065,
    355,  1178, 1133, 1119, 1123, 1124, 1122, 1121, 1120, 1171, 353,  1017, 1181, 1182,
    1138, 1183, 1184, 1185, 1039, 1186, 1180, 1139, 1179, 1025, 1161, 1198, 1199,
};

// Icon numbers of the shell's own icons, in the list after ours.
inline constexpr std::array<int, 17> kShellIconNumbers = {8, 11, 15, 16, 12, 38, 34, 35, 37, 28, 27, 31, 21, 19, 20, 4, 22};

inline constexpr int kTreeImageCount = 72;

// Builds the list; an icon that cannot be loaded leaves an empty image in its
// place so that every later index stays where the tree expects it.
fw::ImageListHandle BuildTreeImageList();

// "path,index" of the user's override of a shell icon, split; false when none.
bool SplitIconLocation(const std::string& location, std::string& path, int& index);

}  // namespace ovix
