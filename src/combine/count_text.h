#pragma once

#include <cstdint>
#include <string_view>

namespace wc {

// The number in the count box. Full-width digits, signs and the ideographic space count as
// their ASCII forms; then leading white space, one optional sign and the decimal digits up to
// the first other character. The value wraps in 32 bits instead of failing; a text without
// digits there is 0.
std::int32_t CountFromText(std::string_view text);

}  // namespace wc
