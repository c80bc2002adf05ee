#pragma once
// The usage-notes window as data: its settings, its one label, the label's font and the notes.

#include "ui/main_window_layout.h"

namespace wc::description {

inline constexpr WindowSettings kWindow = {"说明", 313, 229};

// 透明标签1, from the client area's top-left corner. Text beyond its height is cut off.
inline constexpr int kLabelLeft = 8;
inline constexpr int kLabelTop = 16;
inline constexpr int kLabelWidth = 288;
inline constexpr int kLabelHeight = 176;

// The label's own font: a character height (internal leading left out) of 16 pixels, normal
// weight, proof quality; everything else, the face included, is the platform's choice.
inline constexpr int kFontCharacterHeight = 16;
inline constexpr int kFontWeight = 400;

inline constexpr char kNotes[] =
    "青禾词语随机组合软件，可通过多列关键词随机组合。每列框中关键词一行一个，支持TXT文本拖放导入。"
    "\r\n\r\n"
    "去重功能将会降低组合词速度，若组合词数量大，可以组合后复制到wps进行去重。\r\n\r\n";

}  // namespace wc::description
