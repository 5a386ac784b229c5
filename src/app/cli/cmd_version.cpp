// kinoval-cli versions: the versions of the libraries this build runs on.
#include "cli/cli_command.h"
#include "core/common/version.h"
#ifdef KINOVAL_HAVE_MEDIA
#include "media/media_versions.h"
#endif

#include <cstdio>

namespace kinoval::cli {
namespace {

int Run(const std::vector<std::string>&)
{
    std::printf("%s %s\n", kinoval::kProductName, kinoval::kVersion);
#ifdef KINOVAL_HAVE_MEDIA
    std::printf("%s\n", kinoval::media::LinkedLibraryVersions().c_str());
#endif
    return 0;
}

const kinoval::cli::TRegisterCommand reg("versions", "", Run);

} // namespace
} // namespace kinoval::cli
