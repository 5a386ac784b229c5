#include "support/run_command.h"

#include <cstdio>

namespace kinoval::test {

std::string RunCommand(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
        char buffer[1024];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
            output += buffer;
        pclose(pipe);
    }
    return output;
}

} // namespace kinoval::test
