#pragma once
// A second program for a real drag: a small window that starts an OLE drag of a file list
// when the left button goes down on it, as a file manager does.

#include <string>
#include <vector>

namespace wc::testing {

inline constexpr char kDragSourceTitle[] = "拖动源";
inline constexpr char kDragSourceChild[] = "drag-source";

// The exit code of the drag source process: what DoDragDrop answered and the effect it gave.
inline constexpr int kDragDropped = 100;    // DRAGDROP_S_DROP
inline constexpr int kDragCancelled = 200;  // DRAGDROP_S_CANCEL
inline constexpr int kDragFailed = 300;     // any other answer

// Shows the window at (left, top) and drags `paths` from it once; returns the exit code above.
int RunDragSource(int left, int top, const std::vector<std::string>& paths);

}  // namespace wc::testing
