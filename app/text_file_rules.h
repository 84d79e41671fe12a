// How the program's text files are named and how their lines end.
#pragma once

#include <string>
#include <string_view>

namespace ovix {

// The name with ".txt" appended, unless it already ends so (any case).
std::string WithTxtExtension(std::string_view name);

// Every line end ("\n", "\r\n", or a lone "\r") made exactly CR LF.
std::string WithCrLf(std::string_view text);

}  // namespace ovix
