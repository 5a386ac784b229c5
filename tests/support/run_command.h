#pragma once
// Runs a shell command and answers what it printed, so that tests can run our own programs (kinoval-cli,
// the sample generator) and let outside readers (python3 and its modules, ffprobe) judge what we write.

#include <string>

namespace kinoval::test {

struct TCommandRun {
    int status = -1; // the exit status; -1 when the command could not run or died of a signal
    std::string output;
};

// The command as written: the caller redirects the error output where it wants it.
TCommandRun RunShell(const std::string& command);

// What the command printed on its standard output and error together.
std::string RunCommand(const std::string& command);

} // namespace kinoval::test
