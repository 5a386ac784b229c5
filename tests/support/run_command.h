#pragma once
// Runs a shell command and answers what it printed (standard output and error together), so that tests
// can let outside readers (python3 and its modules) judge the files we write.

#include <string>

namespace kinoval::test {

std::string RunCommand(const std::string& command);

} // namespace kinoval::test
