// The README's command that starts the program (scripts/start.sh, run by
// scripts/run.sh once the build is done): the program runs from a program folder
// outside the build tree, so that what it keeps beside itself (settings, calibration
// files, the automatic save) outlives a build folder deleted and made again.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "support/ordinary_user.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

// The checkout's script. Each test runs a copy of it from a clone of its own (scripts/
// beside build/, as in a checkout), which the ordinary user it may run as can read
// wherever the checkout sits.
const fs::path kScript = fs::path(QV_TEST_DATA) / ".." / ".." / "scripts" / "start.sh";

std::string contents(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The script started from the clone in the home folder, with the environment of the
// test less the variables it reads, plus `set`; it works from the home folder, and its
// stdout and stderr go to a log there.
class StartCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (test_support::folderForOrdinaryUser() / "qv-start-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    home_ = tmpl;
    build_ = home_ / "clone" / "build";
    script_ = home_ / "clone" / "scripts" / "start.sh";
    fs::create_directories(build_);
    fs::create_directories(script_.parent_path());
    ASSERT_TRUE(fs::copy_file(kScript, script_));
    rebuild();
  }

  void TearDown() override {
    stop();
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(home_, ec))
      if (e.is_directory(ec)) fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(home_, ec);
  }

  // A build folder made again: the program the build gives, one byte longer each time
  // so that each build differs from the one before (an ELF file runs whatever follows
  // its sections).
  void rebuild() {
    std::error_code ec;
    fs::remove_all(build_, ec);
    fs::create_directories(build_);
    ASSERT_TRUE(fs::copy_file(QV_PROGRAM, build_ / "quorvale"));
    std::ofstream(build_ / "quorvale", std::ios::binary | std::ios::app) << std::string(++builds_, '\n');
    fs::permissions(build_ / "quorvale", fs::perms::owner_all);
  }

  // Starts the script and waits until the process it became runs a program file;
  // returns that file ("" when the script ended first or nothing came in time). As
  // `user`, the script runs as an ordinary user who owns the home folder (the test's
  // own user, or nobody when the test runs as root, for whom no folder is read-only).
  std::string start(const std::vector<std::string>& set, bool user = false) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
      const std::string v = *e;
      bool dropped = false;
      for (const char* name : {"HOME=", "XDG_DATA_HOME=", "DISPLAY=", "WAYLAND_DISPLAY=", "QV_BUILD_DIR=",
                               "QT_QPA_PLATFORM=", "PWD=", "OLDPWD="})
        dropped = dropped || v.rfind(name, 0) == 0;
      if (!dropped) env.push_back(v);
    }
    env.push_back("HOME=" + home_.string());
    env.push_back("PWD=" + home_.string());
    env.push_back("QT_QPA_PLATFORM=offscreen");
    for (const std::string& v : set) env.push_back(v);
    std::vector<char*> envp;
    for (std::string& v : env) envp.push_back(v.data());
    envp.push_back(nullptr);
    std::vector<std::string> words = {"bash", script_.string()};
    if (user && geteuid() == 0) {
      giveHomeTo(test_support::kOrdinaryUid, test_support::kOrdinaryGid);
      words.insert(words.begin(), {"setpriv", "--reuid=" + std::to_string(test_support::kOrdinaryUid),
                                   "--regid=" + std::to_string(test_support::kOrdinaryGid), "--clear-groups", "--"});
    }
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, home_.c_str());
    const std::string log = (home_ / "start.log").string();
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    const int r = posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (r != 0) {
      pid_ = 0;
      return "";
    }
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < limit) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = 0;
        return "";
      }
      std::error_code ec;
      const fs::path exe = fs::read_symlink("/proc/" + std::to_string(pid_) + "/exe", ec);
      if (!ec && exe.filename() == "quorvale") return exe.string();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return "";
  }

  // The home folder and all in it owned by uid:gid, its folders open to be crossed.
  void giveHomeTo(uid_t uid, gid_t gid) {
    std::error_code ec;
    ASSERT_EQ(::chown(home_.c_str(), uid, gid), 0);
    fs::permissions(home_, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec, ec);
    for (const auto& e : fs::recursive_directory_iterator(home_, ec)) ASSERT_EQ(::lchown(e.path().c_str(), uid, gid), 0);
  }

  void stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = 0;
  }

  std::string log() const { return contents(home_ / "start.log"); }

  fs::path home_, build_, script_;
  pid_t pid_ = 0;
  int builds_ = 0;
};

TEST_F(StartCommand, ProgramRunsFromItsFolderAndKeepsItAcrossARebuild) {
  const fs::path folder = home_ / ".local" / "share" / "quorvale";
  ASSERT_EQ(start({}), (folder / "quorvale").string()) << log();
  EXPECT_EQ(contents(folder / "quorvale"), contents(build_ / "quorvale"));
  EXPECT_NE(log().find("start: program folder " + folder.string()), std::string::npos) << log();
  stop();

  // What the program keeps beside itself, then a build folder deleted and made again.
  const std::string reglages = "LANGUE= fr\r\nCALIBRAGE= 0.1234\r\n";
  std::ofstream(folder / "Qvrl.dat", std::ios::binary) << reglages;
  std::ofstream(folder / "Objectif x40.cal", std::ios::binary) << "0.25\r\n";
  rebuild();
  ASSERT_EQ(start({}), (folder / "quorvale").string()) << log();
  EXPECT_EQ(contents(folder / "quorvale"), contents(build_ / "quorvale"));
  EXPECT_EQ(contents(folder / "Qvrl.dat"), reglages);
  EXPECT_EQ(contents(folder / "Objectif x40.cal"), "0.25\r\n");
  // No copy in progress is left beside it.
  for (const auto& e : fs::directory_iterator(folder))
    EXPECT_EQ(e.path().filename().string().rfind(".quorvale", 0), std::string::npos) << e.path();
}

TEST_F(StartCommand, FolderFollowsTheDataHomeAndAMissingBuildIsSaid) {
  const fs::path data = home_ / "donnees";
  ASSERT_EQ(start({"XDG_DATA_HOME=" + data.string()}), (data / "quorvale" / "quorvale").string()) << log();
  stop();
  // A relative data home is no data home.
  ASSERT_EQ(start({"XDG_DATA_HOME=donnees"}), (home_ / ".local/share/quorvale/quorvale").string()) << log();
  stop();

  // The build found beside the script, else the one QV_BUILD_DIR names.
  const fs::path other = home_ / "autre-build";
  fs::rename(build_, other);
  EXPECT_EQ(start({}), "");
  EXPECT_NE(log().find("start: " + (build_ / "quorvale").string() + " is missing; build it with: bash scripts/setup.sh"),
            std::string::npos) << log();
  std::ofstream(other / "quorvale", std::ios::binary | std::ios::app) << "\n";   // a build unlike the one installed
  ASSERT_EQ(start({"QV_BUILD_DIR=" + other.string()}), (home_ / ".local/share/quorvale/quorvale").string()) << log();
  EXPECT_EQ(contents(home_ / ".local/share/quorvale/quorvale"), contents(other / "quorvale"));
}

// A program folder that cannot be written: the script still starts a program, the one
// already there when it is the one built, else the built one, and says why in one line.
TEST_F(StartCommand, AFolderThatCannotBeWrittenStillStartsAProgram) {
  const fs::path folder = home_ / ".local" / "share" / "quorvale";
  const fs::path blocked = home_ / "fichier";   // a file where the data home's folder would be
  struct Case {
    const char* what;
    std::vector<std::string> env;
    fs::path folder;
    int installed;   // 0 none, 1 the program built, 2 another
    bool readOnly;
    bool startsInstalled;
    const char* cause;
  };
  const Case cases[] = {
      {"a file in the way", {"XDG_DATA_HOME=" + blocked.string()}, blocked / "quorvale", 0, false, false, "Not a directory"},
      {"read-only, empty", {}, folder, 0, true, false, "Permission denied"},
      {"read-only, the same program there", {}, folder, 1, true, true, "Permission denied"},
      {"read-only, an older program there", {}, folder, 2, true, false, "Permission denied"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::error_code ec;
    if (fs::exists(folder)) fs::permissions(folder, fs::perms::owner_all, ec);
    fs::remove_all(home_ / ".local", ec);
    std::ofstream(blocked) << "x";
    if (c.folder == folder) fs::create_directories(folder);
    if (c.installed > 0) {
      ASSERT_TRUE(fs::copy_file(build_ / "quorvale", folder / "quorvale"));
      if (c.installed == 2) std::ofstream(folder / "quorvale", std::ios::binary | std::ios::app) << "old";
      fs::permissions(folder / "quorvale", fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    }
    const std::string before = c.installed > 0 ? contents(folder / "quorvale") : "";
    if (c.readOnly) fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    fs::resize_file(home_ / "start.log", 0, ec);

    const fs::path started = c.startsInstalled ? folder / "quorvale" : build_ / "quorvale";
    EXPECT_EQ(start(c.env, true), started.string()) << log();
    stop();
    const std::string line = "start: the program could not be copied into " + c.folder.string() + " (" + c.cause + "); ";
    EXPECT_NE(log().find(line), std::string::npos) << log();
    if (c.startsInstalled)
      EXPECT_NE(log().find("starting the same program already there, whose files there are read but cannot be saved"),
                std::string::npos) << log();
    else
      EXPECT_NE(log().find("starting " + started.string() + ", which keeps its files in " + build_.string() + "\n"),
                std::string::npos) << log();
    EXPECT_EQ(log().find("mkdir:"), std::string::npos) << log();
    EXPECT_EQ(log().find("mktemp:"), std::string::npos) << log();
    if (c.installed > 0) {
      EXPECT_EQ(contents(folder / "quorvale"), before);
    }
  }
}

}  // namespace
