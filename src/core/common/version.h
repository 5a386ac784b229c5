#pragma once

namespace kinoval {

inline constexpr const char* kProductName = "Kinoval";
#ifdef KINOVAL_VERSION
inline constexpr const char* kVersion = KINOVAL_VERSION;
#else
inline constexpr const char* kVersion = "0.0.0";
#endif

} // namespace kinoval
