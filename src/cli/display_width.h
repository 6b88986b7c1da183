#pragma once

#include <cstddef>
#include <string_view>

namespace zq::cli {

// Columns a UTF-8 text takes on a terminal: East Asian wide characters (the
// Hangul syllables and Hanja of Korean card names, full-width forms) take
// two, combining marks none, everything else one. Bytes that are not UTF-8
// count one column each.
std::size_t DisplayWidth(std::string_view utf8);

}  // namespace zq::cli
