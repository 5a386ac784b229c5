// kinoval-cli: the headless tool. Subcommands are added as the core grows.
#include "core/common/version.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 2 || std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "version") == 0) {
        std::printf("%s %s\n", kinoval::kProductName, kinoval::kVersion);
        return argc < 2 ? 1 : 0;
    }
    std::fprintf(stderr, "kinoval-cli: unknown command \"%s\"\n", argv[1]);
    return 2;
}
