// The game's UTF-8 text as Windows' UTF-16 and back.
#pragma once

#include <string>
#include <string_view>

namespace marvesto {

std::wstring Widened(std::string_view text);
std::string Narrowed(std::wstring_view text);

} // namespace marvesto
