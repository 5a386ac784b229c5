#pragma once
// Subcommands of kinoval-cli register themselves here, one file each under src/app/cli/.

#include <string>
#include <vector>

namespace kinoval::cli {

using TCommandFunction = int (*)(const std::vector<std::string>& args);

struct TCommand {
    const char* name;
    const char* usage;
    TCommandFunction run;
};

std::vector<TCommand>& Commands();

struct TRegisterCommand {
    TRegisterCommand(const char* name, const char* usage, TCommandFunction run)
    {
        Commands().push_back({ name, usage, run });
    }
};

} // namespace kinoval::cli
