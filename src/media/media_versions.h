#pragma once
// The versions of the media libraries this build is linked with, for the about box and the error texts.

#include <string>

namespace kinoval::media {

std::string LinkedLibraryVersions();
int LinkedAvcodecMajor();

} // namespace kinoval::media
