// kinoval-cli: the headless tool. Each subcommand lives in its own file under cli/ and registers itself.
#include "cli/cli_command.h"
#ifdef KINOVAL_HAVE_CATALOGUE
#include "catalogue.h"
#endif
#include "core/common/version.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace kinoval::cli {

std::vector<TCommand>& Commands()
{
    static std::vector<TCommand> commands;
    return commands;
}

} // namespace kinoval::cli

namespace {

void PrintUsage(std::FILE* out)
{
    std::fprintf(out, "%s %s\nUsage: kinoval-cli COMMAND [ARGUMENTS]\n", kinoval::kProductName, kinoval::kVersion);
    for (const auto& command : kinoval::cli::Commands())
        std::fprintf(out, "  kinoval-cli %s %s\n", command.name, command.usage);
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
#ifdef KINOVAL_HAVE_CATALOGUE
    // The messages speak the language of the locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
    kinoval::app::InstallLanguage(kinoval::SystemLanguage(), false);
#endif
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    std::string name = argv[1];
    if (name == "--version" || name == "version") {
        std::printf("%s %s\n", kinoval::kProductName, kinoval::kVersion);
        return 0;
    }
    if (name == "--help" || name == "help") {
        PrintUsage(stdout);
        return 0;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const auto& command : kinoval::cli::Commands()) {
        if (name == command.name)
            return command.run(args);
    }
    std::fprintf(stderr, "kinoval-cli: unknown command \"%s\"\n", name.c_str());
    PrintUsage(stderr);
    return 2;
}
