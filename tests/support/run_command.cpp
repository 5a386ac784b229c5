#include "support/run_command.h"

#include <cstdio>
#include <sys/wait.h>

namespace kinoval::test {

TCommandRun RunShell(const std::string& command)
{
    TCommandRun run;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[1024];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        run.output += buffer;
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string RunCommand(const std::string& command)
{
    return RunShell(command + " 2>&1").output;
}

} // namespace kinoval::test
