#pragma once
// What the shell shows the user, compiled to GBK.

namespace wc::texts {

inline constexpr char kErrorTitle[] = "错误";
inline constexpr char kErrorPrefix[] = "运行时出错!\r\n\r\n错误信息：";
inline constexpr char kLoadMainWindowFailed[] = "载入启动窗口失败";
inline constexpr char kNoticeTitle[] = "提示";

}  // namespace wc::texts
