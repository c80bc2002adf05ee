#pragma once
// What the result actions show and write, compiled to GBK.

namespace wc::texts {

inline constexpr char kExportFileName[] = "青禾词语组合导出结果.txt";
inline constexpr char kExportSucceeded[] = "导出成功";
inline constexpr char kDeduplicationNotice[] =
    "注意：使用去重会降低词语生成速度，如果需要生成大量组合词，可以导出后到wps中去重";

}  // namespace wc::texts
