#pragma once
// What a drop on a column box would do, as the drag source is told while it moves and when it
// drops: the user's modifier keys pick among the effects the source allows. The values are
// those of the platform's drop effects, so they pass through unchanged.

#include <cstdint>

namespace wc {

using DropEffects = std::uint32_t;
inline constexpr DropEffects kDropNone = 0;
inline constexpr DropEffects kDropCopy = 1;
inline constexpr DropEffects kDropMove = 2;
inline constexpr DropEffects kDropLink = 4;

constexpr DropEffects ChooseDropEffect(bool acceptable, bool ctrl, bool shift,
                                       DropEffects allowed) {
  if (!acceptable) return kDropNone;
  const auto offered = [allowed](DropEffects effect) { return (allowed & effect) != 0; };
  if (ctrl && shift) return kDropNone;  // a shortcut to the file is nothing a box can take
  if (ctrl) return offered(kDropCopy) ? kDropCopy : kDropNone;
  if (shift) return offered(kDropMove) ? kDropMove : kDropNone;
  for (DropEffects effect : {kDropCopy, kDropMove, kDropLink}) {
    if (offered(effect)) return effect;
  }
  return kDropNone;
}

}  // namespace wc
