#pragma once
// File dialog filters are stated in the program's texts as "Label (*.a;*.b)|*.a;*.b|Other (*.c)|*.c": a
// label and its patterns, pair after pair. The desktop's dialogs want "Label (*.a *.b);;Other (*.c)".

#include <string>
#include <string_view>

namespace kinoval {

std::string DialogFilterOf(std::string_view pairedFilter);

// The name with its extension replaced by the given one (".kvl"), or added when it has none.
std::string WithExtension(const std::string& path, std::string_view extension);

} // namespace kinoval
