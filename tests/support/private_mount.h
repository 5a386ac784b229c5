#pragma once
// Full disks and read-only folders for tests: a small tmpfs mounted in a private mount namespace, inside a
// child process so that neither the mount nor the namespace touches the test runner.

#include <functional>
#include <string>

namespace kinoval::test {

// What a check in the child answers when the system does not allow the setup (no user namespaces).
inline constexpr int kSetupRefused = 77;

// Runs check in a forked child and answers its exit code (100 + the signal when it died of one).
int InChild(const std::function<int()>& check);

// In the calling (child) process: a private mount namespace, through a user namespace when not
// privileged, and a tmpfs of the given size on folder. False when the system refuses.
bool MountSmallTmpfs(const std::string& folder, const std::string& size = "16k");

// Makes the tmpfs mounted on folder read-only; false when refused.
bool RemountReadOnly(const std::string& folder, const std::string& size = "16k");

} // namespace kinoval::test
