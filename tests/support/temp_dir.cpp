#include "support/temp_dir.h"

#include <atomic>
#include <random>
#include <unistd.h>

namespace kinoval::test {

TTempDir::TTempDir()
{
    static std::atomic<int> counter { 0 };
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto name
            = "t" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" + std::to_string(rd() % 100000);
        auto candidate = std::filesystem::path(KINOVAL_TEST_TMP) / name;
        if (std::filesystem::create_directories(candidate)) {
            m_path = candidate;
            return;
        }
    }
    m_path = std::filesystem::temp_directory_path();
}

TTempDir::~TTempDir()
{
    std::error_code ec;
    if (m_path.string().find(KINOVAL_TEST_TMP) == 0)
        std::filesystem::remove_all(m_path, ec);
}

} // namespace kinoval::test
