#pragma once
// What the word columns show the user, compiled to GBK.

namespace wc::texts {

// A count label: the number of words, then this.
inline constexpr char kWordCountSuffix[] = "个";
// The message when a list cannot get its memory: these around the number of bytes asked for.
inline constexpr char kAllocationFailedBefore[] = "分配 ";
inline constexpr char kAllocationFailedAfter[] = " 字节内存失败!";

}  // namespace wc::texts
