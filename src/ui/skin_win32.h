#pragma once
// The window skin: a flat look with gradient fills and thin frames in a colour scheme, for
// the standard controls of every window on the user-interface thread (message boxes too).
// Labels, transparent labels, progress bars and the windows themselves keep their own look.

#include <windows.h>

#include <cstddef>

namespace wc {

// 1, 2 or 3: removes a skin that is installed, then installs it with that colour scheme on
// the calling thread, over the windows that exist and every one created later. Any other
// number only removes it, giving every control its own window procedure back. Call it on the
// user-interface thread.
void ApplySkin(int style);

// The installed colour scheme; 0 when there is no skin.
int SkinScheme();
// Whether the skin draws `window` now.
bool IsTakenOver(HWND window);
// How many windows the skin keeps in its books: those it draws, and those it could not hand
// back yet because somebody subclassed them after it (they are let go when destroyed).
std::size_t TakenOverCount();

// The frame colour of scheme 1, 2 or 3, and of a disabled control in any scheme.
COLORREF SkinFrameColour(int scheme);
COLORREF SkinDisabledFrameColour();

}  // namespace wc
