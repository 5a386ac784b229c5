#pragma once
// The program's texts as Qt strings. Every caption, hint and message a window shows is French and goes
// through Tr() first, so that one catalogue can speak another language later without a change here.

#include "core/common/texts.h"

#include <QString>

#include <string>
#include <string_view>

namespace kinoval {

// A text of the program, already through Tr() (a path, a formatted message), as a Qt string.
inline QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// A French text of the program, through Tr().
inline QString T(std::string_view french)
{
    return QString::fromStdString(Tr(french));
}

} // namespace kinoval
