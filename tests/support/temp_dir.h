#pragma once
// A fresh folder under the build's test-tmp folder, removed with its contents when the object dies.

#include <filesystem>
#include <string>

namespace kinoval::test {

class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

} // namespace kinoval::test
