#pragma once
// What the combination shows the user, compiled to GBK.

namespace wc::texts {

inline constexpr char kEnterCount[] = "请输入组合词个数";

}  // namespace wc::texts
