#pragma once
// Steps a test hands to an ordinary user. Root ignores permission bits, so a refusal the
// system makes on them is tried as the unprivileged user nobody when the tests run as
// root. That user may not enter the checkout or the build (a checkout in a folder only
// its owner enters): what it runs or reads has to lie in a folder of the test's own
// that it can reach, and it works from there, never from the test's current folder.

#include <grp.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

namespace test_support {

// The ordinary user's ids (nobody, nogroup).
inline constexpr uid_t kOrdinaryUid = 65534;
inline constexpr gid_t kOrdinaryGid = 65534;

// The exit code of a child that could not become the ordinary user.
inline constexpr int kCouldNotBecomeOrdinary = 125;

// True when every folder of `folder`'s path, itself included, may be crossed by a user
// who is neither its owner nor in its group.
inline bool othersMayCross(const std::filesystem::path& folder) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(folder, ec);
  if (ec) return false;
  std::filesystem::path p;
  for (const auto& part : full) {
    p /= part;
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || (st.st_mode & S_IXOTH) == 0) return false;
  }
  return true;
}

// The folder in which a test makes what it hands to the ordinary user: the temporary
// folder when that user can reach it, else /tmp (a private $TMPDIR).
inline std::filesystem::path folderForOrdinaryUser() {
  std::error_code ec;
  const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
  if (!ec && othersMayCross(temp)) return temp;
  return "/tmp";
}

// Makes this process the ordinary user for good, working from `folder`; false when
// either failed (the process may then be half changed: end it).
inline bool becomeOrdinaryUser(const std::string& folder = "/") {
  return setgroups(0, nullptr) == 0 && setresgid(kOrdinaryGid, kOrdinaryGid, kOrdinaryGid) == 0 &&
         setresuid(kOrdinaryUid, kOrdinaryUid, kOrdinaryUid) == 0 && chdir(folder.c_str()) == 0;
}

// Runs `step` as an ordinary user and returns what it returned (0 to 255): in a child
// made the ordinary user when the test runs as root, in this process otherwise. The
// child ends with _exit, leaving the parent's files and folders to the parent; it gives
// kCouldNotBecomeOrdinary when it could not change user, and -1 is returned when no
// child could be made or it did not end by itself.
inline int asOrdinaryUser(const std::function<int()>& step) {
  if (geteuid() != 0) return step();
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    if (!becomeOrdinaryUser()) _exit(kCouldNotBecomeOrdinary);
    _exit(step());
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace test_support
