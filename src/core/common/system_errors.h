#pragma once
// The system's reasons for a failed file operation, in the interface's language.
//
// The C library explains errno values in English whatever the interface speaks; a French teacher told
// "No space left on device" has to guess. These texts go through the string table like every other message.
// Names and bytes that come from a file or a path are shown escaped: a control character or a broken UTF-8
// sequence in a study would otherwise reach the terminal of the headless tool, or garble a message box.

#include <string>
#include <string_view>

namespace kinoval {

// The reason of an errno value ("Il n'y a plus de place sur le disque.", ...); the C library's own text for
// a value without a translation.
std::string SystemErrorText(int error);

// Text from a file or a path made safe to show: valid UTF-8 kept, control characters and invalid bytes
// written as \xNN, a backslash doubled; longer texts cut at maxBytes with "…".
std::string EscapeForMessage(std::string_view text, std::size_t maxBytes = 512);

} // namespace kinoval
