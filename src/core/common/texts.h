#pragma once
// The string table. Every text shown to the user passes through Tr, whose key is the French text itself,
// so a translation can be added later without touching any call site.

#include <initializer_list>
#include <string>
#include <string_view>

namespace kinoval {

std::string Tr(std::string_view french);

// Replaces printf-style "%d", "%u", "%s" and "%f"-free placeholders in order by the given arguments' texts;
// "%%" stands for one "%". Used for the string table's messages with numbers in them.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string> args);

} // namespace kinoval
