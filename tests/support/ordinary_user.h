#pragma once
// Steps a test hands to an ordinary user. Root ignores permission bits, so a refusal the
// system makes on them is tried as the unprivileged user nobody when the tests run as
// root. That user may not enter the checkout or the build (a checkout in a folder only
// its owner enters): what it runs, reads or writes lies in a folder of the test's own
// that it can reach, by full path, and a process made that user works from there or
// from /, never from the test's current folder (in the build).

#include <grp.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

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

// Makes this process the ordinary user for good, working from /; false when either
// failed (the process may then be half changed: end it).
inline bool becomeOrdinaryUser() {
  return setgroups(0, nullptr) == 0 && setresgid(kOrdinaryGid, kOrdinaryGid, kOrdinaryGid) == 0 &&
         setresuid(kOrdinaryUid, kOrdinaryUid, kOrdinaryUid) == 0 && chdir("/") == 0;
}

// Runs `step` as an ordinary user and returns what it returned (0 to 255): in a child
// made the ordinary user when the test runs as root, in this process otherwise. The
// child ends with _exit, leaving the parent's files and folders to the parent; it gives
// kCouldNotBecomeOrdinary when it could not change user. -1 is returned when no child
// could be made, or it did not end by itself within `seconds` (it is then killed). A
// forked child has none of the parent's threads: a step that paints (Qt draws pictures
// on its own threads) wants OrdinaryUserScope instead.
inline int asOrdinaryUser(const std::function<int()>& step, int seconds = 120) {
  if (geteuid() != 0) return step();
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    if (!becomeOrdinaryUser()) _exit(kCouldNotBecomeOrdinary);
    _exit(step());
  }
  int status = 0;
  for (int waited = 0; waitpid(pid, &status, WNOHANG) == 0; ++waited) {
    if (waited >= seconds * 50) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    usleep(20000);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// For its lifetime, files are opened, made and removed in this process as the ordinary
// user, when the tests run as root (its effective ids and no supplementary group, all
// put back at the end); nothing changes otherwise. For a step that must stay in this
// process, as one that paints.
class OrdinaryUserScope {
 public:
  OrdinaryUserScope() {
    if (geteuid() != 0) return;
    const int n = getgroups(0, nullptr);
    if (n < 0) return;
    groups_.resize(static_cast<std::size_t>(n));
    if (getgroups(n, groups_.data()) != n) return;
    gid_ = getegid();
    changed_ = true;
    active_ = setgroups(0, nullptr) == 0 && setegid(kOrdinaryGid) == 0 && seteuid(kOrdinaryUid) == 0;
  }
  ~OrdinaryUserScope() {
    if (!changed_) return;
    static_cast<void>(seteuid(0));
    static_cast<void>(setegid(gid_));
    static_cast<void>(setgroups(groups_.size(), groups_.data()));
  }
  OrdinaryUserScope(const OrdinaryUserScope&) = delete;
  OrdinaryUserScope& operator=(const OrdinaryUserScope&) = delete;

  // True when this process is now refused what an ordinary user is refused.
  bool active() const { return active_ || geteuid() != 0; }

 private:
  std::vector<gid_t> groups_;
  gid_t gid_ = 0;
  bool changed_ = false;
  bool active_ = false;
};

}  // namespace test_support
