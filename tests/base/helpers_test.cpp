#include "base/helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/text_tables.h"
#include "platform/app.h"
#include "platform/control.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/form.h"
#include "platform/runtime.h"

namespace {

namespace fs = std::filesystem;

// --- numbers -------------------------------------------------------------------------

struct NumberCase {
  const char* text;
  double value;
};

// Expected values read off the text by hand: "," counts as ".", a second point ends
// the number, blanks inside are dropped, &H / &O are base 16 / 8 (1F = 31, 17 = 15),
// anything out of the double range reads 0.
const NumberCase kValDecimal[] = {
    {"3,5", 3.5},          {"3.5", 3.5},         {"1,234.5", 1.234},   {"abc", 0.0},
    {"", 0.0},             {" 12 ", 12.0},       {"\t\n 7", 7.0},      {"&H1F", 31.0},
    {"&h1f", 31.0},        {"&O17", 15.0},       {"&HFFFFFFFF", 4294967295.0},
    {"&H100000000", 0.0},  {"&H", 0.0},          {"1E400", 0.0},       {"-1E400", 0.0},
    {"1E-400", 0.0},       {"2,5E3", 2500.0},    {"1D2", 100.0},       {"-3,25", -3.25},
    {"+4", 4.0},           {"1 2", 12.0},        {"- 5", -5.0},        {"12abc", 12.0},
    {".5", 0.5},           {",5", 0.5},          {"1E", 1.0},          {"1E+", 1.0},
    {"7e-2", 0.07},        {"-0", 0.0},          {"Moyenne", 0.0},     {"12;5", 12.0},
    {"1e99999999999999999999", 0.0},
};

class ValDecimal : public ::testing::TestWithParam<char> {
 protected:
  void SetUp() override { platform::SetDecimalSeparator(GetParam()); }
  void TearDown() override { platform::SetDecimalSeparator(0); }
};

TEST_P(ValDecimal, TableWhateverTheSystemSeparator) {
  for (const NumberCase& c : kValDecimal) {
    SCOPED_TRACE(c.text);
    const double v = Val_Decimal(c.text);
    EXPECT_EQ(v, c.value);
    EXPECT_FALSE(std::signbit(v) && v == 0.0);
  }
}

TEST_P(ValDecimal, LeadingNumberTakesOnlyThePoint) {
  // Without the comma replacement the comma ends the number.
  EXPECT_EQ(LeadingNumber("3,5"), 3.0);
  EXPECT_EQ(LeadingNumber("3.5"), 3.5);
  EXPECT_EQ(LeadingNumber("  -1.5E2x"), -150.0);
  EXPECT_EQ(LeadingNumber("&H1F"), 31.0);
  EXPECT_EQ(LeadingNumber("1E400"), 0.0);
  EXPECT_EQ(LeadingNumber("abc"), 0.0);
}

// Which texts overflow: a number beyond 1.797...e308 once written out, whatever its
// sign, its digits before the point or its zeros after it; an underflow, a number in
// range, "&H" numbers and texts without a number do not.
TEST_P(ValDecimal, OverflowIsToldFromUnderflowAndZero) {
  const std::pair<std::string, bool> cases[] = {
      {"1e400", true},          {"1E400", true},         {"-1e400", true},       {"2,5E308", true},
      {"1.8e308", true},        {"1 e 400", true},       {"0,001e312", true},    {"123e307", true},
      {std::string(400, '9'), true},                     {"1e99999999999999999999", true},
      {"1.7e308", false},       {"0,001e310", false},    {"1e-400", false},      {"0e400", false},
      {"000e999", false},       {"1e308", false},        {"12e-330", false},     {"", false},
      {"abc", false},           {"&H100000000", false},  {"1E", false},          {"0," + std::string(400, '9'), false},
  };
  for (const auto& [text, overflows] : cases) EXPECT_EQ(NumberOverflows(text), overflows) << text;
}

INSTANTIATE_TEST_SUITE_P(Separators, ValDecimal, ::testing::Values(',', '.'));

TEST(Helpers, VeryLongNumbersDoNotThrow) {
  const std::string digits(5000, '9');
  EXPECT_EQ(Val_Decimal(digits), 0.0);                 // about 1E5000: out of range
  EXPECT_EQ(Val_Decimal("0," + digits), 1.0);          // 0.999... rounds to 1
  EXPECT_EQ(Val_Decimal("&H" + std::string(40, 'F')), 0.0);
}

TEST(Helpers, MinMaxGiveSecondWhenEqual) {
  EXPECT_EQ(Min_D(1.0, 2.0), 1.0);
  EXPECT_EQ(Min_D(2.0, 1.0), 1.0);
  EXPECT_EQ(Max_D(1.0, 2.0), 2.0);
  EXPECT_EQ(Max_D(2.0, 1.0), 2.0);
  EXPECT_EQ(Min_D(3.5, 3.5), 3.5);
  EXPECT_EQ(Max_D(-3.5, -3.5), -3.5);
  // 0 and -0 compare equal: the second one is returned, sign included.
  EXPECT_TRUE(std::signbit(Min_D(0.0, -0.0)));
  EXPECT_FALSE(std::signbit(Max_D(-0.0, 0.0)));
}

// --- paths ---------------------------------------------------------------------------

struct PathCase {
  const char* path;
  const char* name;     // Nom_Fichier
  const char* folder;   // Rep_Fichier
  const char* stem;     // Sans_Extension
  const char* ext;      // Extension_Fichier
};

// Each column read off the text by hand.
const PathCase kPaths[] = {
    {"C:\\a\\b.bmp", "b.bmp", "C:\\a\\", "C:\\a\\b", "BMP"},
    {"/a/b.bmp", "b.bmp", "/a/", "/a/b", "BMP"},
    {"b.bmp", "b.bmp", "", "b", "BMP"},
    {"C:\\a/b.Tif", "b.Tif", "C:\\a/", "C:\\a/b", "TIF"},
    {"C:\\a\\", "", "C:\\a\\", "C:\\a\\", ""},
    {"a.b.bmp", "a.b.bmp", "", "a.b", "BMP"},
    {".bmp", ".bmp", "", "", "BMP"},
    {"photo.jpeg", "photo.jpeg", "", "photo", "JPEG"},
    {"photo", "photo", "", "photo", ""},
    {"/x.y/photo", "photo", "/x.y/", "/x.y/photo", ""},
    {"C:\\a.b\\c", "c", "C:\\a.b\\", "C:\\a.b\\c", ""},
    {"archive.tar.gz", "archive.tar.gz", "", "archive.tar", "GZ"},
    {"a.", "a.", "", "a", ""},
    {"/dossier/été.jpg", "été.jpg", "/dossier/", "/dossier/été", "JPG"},
    {"", "", "", "", ""},
};

TEST(Helpers, PathPieces) {
  for (const PathCase& c : kPaths) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(Nom_Fichier(c.path), c.name);
    EXPECT_EQ(Rep_Fichier(c.path), c.folder);
    EXPECT_EQ(Sans_Extension(c.path), c.stem);
    EXPECT_EQ(Extension_Fichier(c.path), c.ext);
  }
}

TEST(Helpers, FolderAndNameRebuildThePath) {
  for (const PathCase& c : kPaths) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(Rep_Fichier(c.path) + Nom_Fichier(c.path), c.path);
  }
}

TEST(Helpers, PositionCar) {
  EXPECT_EQ(Position_Car("a;b", ";"), 2);
  EXPECT_EQ(Position_Car("ab", ";"), 0);
  EXPECT_EQ(Position_Car("", ";"), 0);
  EXPECT_EQ(Position_Car("a;b", ""), 0);
  EXPECT_EQ(Position_Car("a;b", ";b"), 0);
  EXPECT_EQ(Position_Car("mesures.trm", "."), 8);
  EXPECT_EQ(Position_Car("a.b.c", "."), 2);
  // Positions count characters: "é" is one character of two bytes.
  EXPECT_EQ(Position_Car("éa;", ";"), 3);
  EXPECT_EQ(Position_Car("aé", "é"), 2);
}

// --- files ---------------------------------------------------------------------------

// A fresh folder under the test program folder, removed afterwards; dialogs scripted.
class FileHelpers : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::path(platform::App::Path()) /
            ("helpers_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    fs::create_directories(root_);
    auto d = std::make_unique<platform::ScriptedDialogs>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    saved177_ = MSG(177);
    MSG.set(177, " introuvable");
  }
  void TearDown() override {
    MSG.set(177, saved177_);
    EXPECT_TRUE(dialogs_->unanswered().empty());
    platform::setDialogs(nullptr);
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  std::string make(const std::string& name, const std::string& content = "x\r\n") {
    const fs::path p = root_ / name;
    std::ofstream(p, std::ios::binary) << content;
    return p.string();
  }

  fs::path root_;
  platform::ScriptedDialogs* dialogs_ = nullptr;
  std::string saved177_;
};

TEST_F(FileHelpers, ExistingFileIsTrueAndSilent) {
  const std::string p = make("a.cal");
  EXPECT_TRUE(Fichier_Existe(p, "", 1));
  EXPECT_TRUE(Fichier_Existe(p));
  // Written with Windows separators it is the same file.
  std::string w = p;
  for (char& c : w)
    if (c == '/') c = '\\';
  EXPECT_TRUE(Fichier_Existe(w, "", 1));
  EXPECT_TRUE(dialogs_->log().empty());
}

TEST_F(FileHelpers, MissingFileWithFlagOneShowsPathAndMessage) {
  const std::string p = (root_ / "absent.cal").string();
  dialogs_->answerMsgBox(platform::vbOK);
  EXPECT_FALSE(Fichier_Existe(p, "", 1));
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].kind, "msgBox");
  EXPECT_EQ(dialogs_->log()[0].text, p + "  introuvable");
  EXPECT_EQ(dialogs_->log()[0].style, platform::vbOKOnly);
}

TEST_F(FileHelpers, FolderIsNotAFile) {
  dialogs_->answerMsgBox(platform::vbOK);
  EXPECT_FALSE(Fichier_Existe(root_.string(), "", 1));
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].text, root_.string() + "  introuvable");
  EXPECT_FALSE(Fichier_Existe(root_.string()));
  EXPECT_EQ(dialogs_->log().size(), 1u);
}

TEST_F(FileHelpers, GivenMessageIsShownAsItIs) {
  dialogs_->answerMsgBox(platform::vbOK);
  EXPECT_FALSE(Fichier_Existe((root_ / "x.cal").string(), "le fichier de calibrage n'existe pas", 1));
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].text, "le fichier de calibrage n'existe pas");
}

TEST_F(FileHelpers, EmptyPathSaysFichier) {
  dialogs_->answerMsgBox(platform::vbOK);
  EXPECT_FALSE(Fichier_Existe("", "", 1));
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].text, "fichier  introuvable");
}

TEST_F(FileHelpers, OtherFlagsShowNothing) {
  const std::string p = (root_ / "absent.cal").string();
  EXPECT_FALSE(Fichier_Existe(p, "", 0));
  EXPECT_FALSE(Fichier_Existe(p, "texte", 2));
  EXPECT_FALSE(Fichier_Existe(p, "texte", -1));
  EXPECT_TRUE(dialogs_->log().empty());
}

TEST_F(FileHelpers, SameFolderWithOrWithoutItsEndOrThroughALink) {
  const std::string d = root_.string();
  fs::create_directories(root_ / "sous");
  fs::create_symlink(root_ / "sous", root_ / "lien");
  struct Case {
    std::string a, b;
    bool same;
  };
  const Case cases[] = {
      {d, d, true},
      {d, d + "/", true},
      {d + "//", d, true},
      {d + "/sous/..", d, true},
      {d + "/lien", d + "/sous/", true},
      {d + "/sous", d, false},
      {"/nulle/part/a", "/nulle/part/a\\", true},   // missing, equal as written
      {"/nulle/part/a", "/nulle/part/b", false},
      {"", "", false},
      {d, "", false},
  };
  for (const Case& c : cases) EXPECT_EQ(Meme_Dossier(c.a, c.b), c.same) << c.a << " | " << c.b;
}

TEST_F(FileHelpers, DirSurGivesTheNameOnDisk) {
  const std::string folder = root_.string();
  make("Etalon.cal");
  make("b.txt");
  fs::create_directories(root_ / "sub.cal");
  EXPECT_EQ(Dir_Sur(folder + "/Etalon.cal"), "Etalon.cal");
  EXPECT_EQ(Dir_Sur(folder + "/etalon.CAL"), "Etalon.cal");
  std::string w = folder + "\\Etalon.cal";
  for (char& c : w)
    if (c == '/') c = '\\';
  EXPECT_EQ(Dir_Sur(w), "Etalon.cal");
  EXPECT_EQ(Dir_Sur(folder + "/*.cal"), "Etalon.cal");   // the folder sub.cal is not a file
  EXPECT_EQ(Dir_Sur(folder + "/*.txt"), "b.txt");
  EXPECT_EQ(Dir_Sur(folder + "/absent.cal"), "");
  EXPECT_EQ(Dir_Sur(folder + "/sub.cal"), "");
  EXPECT_EQ(Dir_Sur(folder + "/nowhere/Etalon.cal"), "");
  EXPECT_EQ(Dir_Sur(""), "");
}

TEST_F(FileHelpers, DirSurPrefersTheExactName) {
  make("Nuancier.txt");
  make("nuancier.txt");
  EXPECT_EQ(Dir_Sur(root_.string() + "/nuancier.txt"), "nuancier.txt");
  EXPECT_EQ(Dir_Sur(root_.string() + "/Nuancier.txt"), "Nuancier.txt");
}

TEST_F(FileHelpers, DirSurWithoutFolderLooksInTheProgramFolder) {
  const fs::path p = fs::path(platform::App::Path()) / "helpers_dir_sur.cal";
  std::ofstream(p) << "x";
  EXPECT_EQ(Dir_Sur("helpers_dir_sur.cal"), "helpers_dir_sur.cal");
  fs::remove(p);
  EXPECT_EQ(Dir_Sur("helpers_dir_sur.cal"), "");
  // A relative folder is taken from the program folder too.
  make("relative.cal");
  EXPECT_EQ(Dir_Sur(root_.filename().string() + "\\relative.cal"), "relative.cal");
}

// --- waits ---------------------------------------------------------------------------

// A clock that moves on by `step` seconds at each reading, its seconds-since-midnight
// wrapping at 86400 like the real one.
class SteppingClock : public platform::Clock {
 public:
  SteppingClock(double start, double step, double* now) : now_(now), step_(step) { *now_ = start; }
  double monotonicSeconds() override {
    *now_ += step_;
    return *now_;
  }
  double secondsSinceMidnight() override { return std::fmod(*now_, 86400.0); }

 private:
  double* now_;
  double step_;
};

class CountingPump : public platform::EventPump {
 public:
  explicit CountingPump(int* count) : count_(count) {}
  void processEvents() override { ++*count_; }

 private:
  int* count_;
};

class Waits : public ::testing::Test {
 protected:
  void install(double start, double step) {
    platform::setClock(std::make_unique<SteppingClock>(start, step, &now_));
    platform::setEventPump(std::make_unique<CountingPump>(&pumped_));
  }
  void TearDown() override {
    platform::setClock(nullptr);
    platform::setEventPump(nullptr);
  }
  double now_ = 0;
  int pumped_ = 0;
};

TEST_F(Waits, NothingToWaitRunsNoEvents) {
  install(1000.0, 0.25);
  Pause(0);
  Pause(-3);
  Pause(std::numeric_limits<double>::quiet_NaN());
  Pause(std::numeric_limits<double>::infinity());
  EXPECT_EQ(pumped_, 0);
  EXPECT_EQ(now_, 1000.0);
}

TEST_F(Waits, PauseRunsEventsUntilTheDeadline) {
  install(1000.0, 0.25);
  Pause(2);
  EXPECT_GT(pumped_, 0);
  EXPECT_GE(now_, 1002.0);
  EXPECT_LT(now_, 1003.0);
}

TEST_F(Waits, PauseAcrossMidnightEndsOnTime) {
  // Starts half a second before midnight: the seconds-since-midnight clock wraps to 0
  // during the wait, the monotonic one does not.
  install(86399.5, 0.25);
  Pause(1);
  EXPECT_GE(now_, 86400.5);
  EXPECT_LT(now_, 86401.5);
}

TEST_F(Waits, DirSurRetriesOnceAfterOneSecond) {
  // A folder name longer than the disk allows cannot be read: the lookup waits one
  // second (on the stepping clock) and tries again, then gives up with "".
  install(0.0, 0.25);
  const std::string bad = platform::App::Path() + "/" + std::string(300, 'a') + "/x.cal";
  EXPECT_EQ(Dir_Sur(bad), "");
  EXPECT_GT(pumped_, 0);
  EXPECT_GE(now_, 1.0);
  EXPECT_LT(now_, 2.0);
}

TEST_F(Waits, DirSurOfAMissingFileDoesNotWait) {
  install(0.0, 0.25);
  EXPECT_EQ(Dir_Sur(platform::App::Path() + "/absent_helpers.cal"), "");
  EXPECT_EQ(pumped_, 0);
}

// --- placement -----------------------------------------------------------------------

// Records the property calls in order.
struct Recorder {
  std::vector<std::pair<std::string, double>> calls;
  void setTop(double v) { calls.emplace_back("Top", v); }
  void setWidth(double v) { calls.emplace_back("Width", v); }
  void setLeft(double v) { calls.emplace_back("Left", v); }
  void setHeight(double v) { calls.emplace_back("Height", v); }
};

TEST(Helpers, PlaceObjetSetsTopWidthLeftHeightInOrder) {
  Recorder r;
  Place_Objet(r, "", 3200.0, 3720.0, 950.0, 3000.0);
  const std::vector<std::pair<std::string, double>> expected = {
      {"Top", 950.0}, {"Width", 3000.0}, {"Left", 3720.0}, {"Height", 3200.0}};
  EXPECT_EQ(r.calls, expected);
}

TEST(Helpers, PlaceObjetSkipsNonFiniteValues) {
  Recorder r;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  Place_Objet(r, 100.0, nan, std::numeric_limits<double>::infinity(), 200.0);
  const std::vector<std::pair<std::string, double>> expected = {{"Width", 200.0},
                                                                {"Height", 100.0}};
  EXPECT_EQ(r.calls, expected);
}

TEST(Helpers, PlaceObjetOnAControl) {
  platform::Form form("HelpersTestForm");
  platform::Control frame(form, "Frame_Export_trame");
  // Values above the 16-bit range and with fractions keep their value.
  Place_Objet(frame, "", 3200.5, 40000.0, 950.25, 3000.0);
  EXPECT_EQ(frame.left(), 40000.0);
  EXPECT_EQ(frame.top(), 950.25);
  EXPECT_EQ(frame.width(), 3000.0);
  EXPECT_EQ(frame.height(), 3200.5);
  Place_Objet(frame, -10.0, 0.0, 0.0, 120.0);
  EXPECT_EQ(frame.height(), 0.0);
  EXPECT_EQ(frame.width(), 120.0);
}

// --- system --------------------------------------------------------------------------

TEST(Helpers, VersionWindowsIsTheSystemNameAndSetsTheFlag) {
  Vista_Ou_Plus = false;
  EXPECT_EQ(Version_Windows(), platform::App::OsName());
  EXPECT_TRUE(Vista_Ou_Plus);
}

TEST(Helpers, RepWindowsIsTheHomeFolder) {
  const char* old = std::getenv("HOME");
  const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
  const fs::path home = fs::path(platform::App::Path()) / "helpers_home";
  fs::create_directories(home);

  setenv("HOME", (home.string() + "/").c_str(), 1);
  EXPECT_EQ(Rep_Windows(), home.string());
  setenv("HOME", (home.string() + "/absent").c_str(), 1);
  EXPECT_EQ(Rep_Windows(), "/");
  unsetenv("HOME");
  EXPECT_EQ(Rep_Windows(), "/");

  if (saved) setenv("HOME", saved->c_str(), 1);
  fs::remove_all(home);
}

}  // namespace
