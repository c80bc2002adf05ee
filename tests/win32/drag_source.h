#pragma once
// A second program for a real drag: a small window that starts an OLE drag when the left
// button goes down on it, of a file list as a file manager drags, or of text as an editor does.

#include <string>
#include <vector>

namespace wc::testing {

inline constexpr char kDragSourceTitle[] = "拖动源";
inline constexpr char kDragSourceChild[] = "drag-source";
inline constexpr char kDragFiles[] = "files";
inline constexpr char kDragText[] = "text";

// The exit code of the drag source process: what DoDragDrop answered and the effect it gave.
inline constexpr int kDragDropped = 100;    // DRAGDROP_S_DROP
inline constexpr int kDragCancelled = 200;  // DRAGDROP_S_CANCEL
inline constexpr int kDragFailed = 300;     // any other answer

// Shows the window at (left, top) and drags from it once: the file list `items` for
// kDragFiles, the first of `items` as text for kDragText. Returns the exit code above.
int RunDragSource(int left, int top, const std::string& kind,
                  const std::vector<std::string>& items);

}  // namespace wc::testing
