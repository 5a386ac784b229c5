#pragma once
// Which mark set's results an operation addresses: the one of the view's marking mode, the transparent
// sheet's, the fixed frame's, or both.

#include <cstdint>

namespace kinoval::results {

enum class TSel : std::uint8_t { Both = 0, Current = 1, Transparent = 2, Fixed = 3 };
inline constexpr TSel kSelBoth = TSel::Both;
inline constexpr TSel kSelCurrent = TSel::Current;
inline constexpr TSel kSelTransparent = TSel::Transparent;
inline constexpr TSel kSelFixed = TSel::Fixed;

} // namespace kinoval::results
