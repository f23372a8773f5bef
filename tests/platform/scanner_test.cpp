// Acquisition through SANE's virtual "test" device, configured by the private folder
// tests/support/sane: one device, a 20 x 15 mm picture of coloured bars at 75 dpi,
// starting in grey mode (so a colour picture shows that acquire asked for colour).

#include "platform/scanner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <sys/stat.h>

#include <sane/sane.h>

#include "platform/dialogs.h"
#include "platform/picture.h"

namespace platform {
namespace {

const std::string kSaneFolder = std::string(QV_TEST_SUPPORT) + "/sane";

bool fileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

bool testBackendInstalled() {
  for (const char* dir : {"/usr/lib/x86_64-linux-gnu/sane", "/usr/lib/aarch64-linux-gnu/sane",
                          "/usr/lib/sane", "/usr/lib64/sane", "/usr/local/lib/sane"}) {
    const std::string d(dir);
    if (fileExists(d + "/libsane-test.so.1") || fileExists(d + "/libsane-test.so")) return true;
  }
  return false;
}

// A picture scanimage (an independent SANE front end) wrote from the same device
// (see the command beside each use): binary PNM "P4" (1 = black), "P5" grey or "P6"
// colour, 8 or 16 bits (big-endian; the high byte is kept), as &HBBGGRR numbers.
struct Pnm {
  int width = 0, height = 0;
  std::vector<Colour> pixels;
};

bool readPnm(const std::string& path, Pnm* out) {
  std::ifstream in(path, std::ios::binary);
  const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t pos = 0;
  std::vector<std::string> fields;
  auto wanted = [&] { return fields.empty() || fields[0] == "P4" ? size_t(3) : size_t(4); };
  while (fields.size() < wanted() && pos < all.size()) {
    if (all[pos] == '#') {
      pos = all.find('\n', pos);
      if (pos == std::string::npos) return false;
    } else if (all[pos] > ' ') {
      const size_t end = all.find_first_of(" \t\r\n", pos);
      if (end == std::string::npos) return false;
      fields.push_back(all.substr(pos, end - pos));
      pos = end;
    }
    ++pos;
  }
  if (fields.size() != wanted()) return false;
  const std::string kind = fields[0];
  const int w = std::stoi(fields[1]), h = std::stoi(fields[2]);
  const int maxval = kind == "P4" ? 1 : std::stoi(fields[3]);
  if (w <= 0 || h <= 0 || (maxval != 1 && maxval != 255 && maxval != 65535)) return false;
  const std::string data = all.substr(pos);
  const size_t bytes = maxval == 65535 ? 2 : 1;
  const size_t channels = kind == "P6" ? 3 : 1;
  const size_t rowBytes = kind == "P4" ? (static_cast<size_t>(w) + 7) / 8 : w * channels * bytes;
  if (data.size() != rowBytes * h) return false;
  out->width = w;
  out->height = h;
  out->pixels.clear();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const size_t row = static_cast<size_t>(y) * rowBytes;
      if (kind == "P4") {
        const bool black = (static_cast<unsigned char>(data[row + x / 8]) >> (7 - x % 8)) & 1;
        out->pixels.push_back(black ? 0x000000u : 0xFFFFFFu);
        continue;
      }
      Colour c[3];
      for (size_t k = 0; k < channels; ++k)
        c[k] = static_cast<unsigned char>(data[row + (x * channels + k) * bytes]);
      if (channels == 1) c[1] = c[2] = c[0];
      out->pixels.push_back(c[0] | (c[1] << 8) | (c[2] << 16));
    }
  return true;
}

class ScannerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Before the first SANE call of the process: SANE reads its folder once.
    setenv("SANE_CONFIG_DIR", kSaneFolder.c_str(), 1);
  }

  void SetUp() override {
    if (!testBackendInstalled()) GTEST_SKIP() << "SANE test backend (libsane-test) not installed";
    auto owned = std::make_unique<ScriptedDialogs>();
    scripted_ = owned.get();
    setDialogs(std::move(owned));
    Scanner::setSelectedSource("");
    Scanner::setOptions({});
  }
  void TearDown() override {
    Scanner::setReadFunction(nullptr);
    Scanner::setCloseFunction(nullptr);
    Scanner::setTimeLimit(std::chrono::milliseconds::zero());
    Scanner::setOptions({});
    setDialogs(nullptr);
    Scanner::setSelectedSource("");
  }

  ScriptedDialogs* scripted_ = nullptr;
};

TEST_F(ScannerTest, ListsTheTestDevice) {
  std::string error = "unchanged";
  const std::vector<ScanSource> list = Scanner::sources(&error);
  EXPECT_EQ(error, "");
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].name, "test:0");
  EXPECT_EQ(list[0].vendor, "Noname");
  EXPECT_EQ(list[0].model, "frontend-tester");
  EXPECT_EQ(list[0].type, "virtual device");
}

TEST_F(ScannerTest, SelectSourceTakesTheChosenDevice) {
  scripted_->answerChoose(0);
  std::string chosen, error;
  EXPECT_TRUE(Scanner::selectSource(&chosen, &error));
  EXPECT_EQ(chosen, "test:0");
  EXPECT_EQ(error, "");
  EXPECT_EQ(Scanner::selectedSource(), "test:0");
  ASSERT_EQ(scripted_->log().size(), 1u);
  EXPECT_EQ(scripted_->log()[0].kind, "choose");
  EXPECT_EQ(scripted_->log()[0].text, "Sélection Source");
  EXPECT_EQ(scripted_->log()[0].items, std::vector<std::string>{"Noname frontend-tester (test:0)"});
}

TEST_F(ScannerTest, CancelledSelectionKeepsThePreviousChoice) {
  Scanner::setSelectedSource("test:0");
  scripted_->answerChoose(-1);
  std::string chosen = "none", error;
  EXPECT_FALSE(Scanner::selectSource(&chosen, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(chosen, "none");
  EXPECT_EQ(Scanner::selectedSource(), "test:0");
  // An index outside the list is no choice either.
  scripted_->answerChoose(5);
  EXPECT_FALSE(Scanner::selectSource(&chosen, &error));
  EXPECT_EQ(Scanner::selectedSource(), "test:0");
  EXPECT_TRUE(scripted_->unanswered().empty());
}

// Acquires with the given options and compares with the reference picture pixel by
// pixel; returns the number of differing pixels (-1 when the sizes differ).
int differencesWith(const std::string& reference,
                    const std::vector<std::pair<std::string, std::string>>& options) {
  Pnm ref;
  EXPECT_TRUE(readPnm(kSaneFolder + "/" + reference, &ref)) << reference;
  // 20 mm x 15 mm at 75 dpi: 20 / 25.4 * 75 = 59.06 and 15 / 25.4 * 75 = 44.29 pixels.
  EXPECT_EQ(ref.width, 59);
  EXPECT_EQ(ref.height, 44);
  Scanner::setOptions(options);
  Picture pic;
  std::string error;
  const bool ok = Scanner::acquire(&pic, &error);
  Scanner::setOptions({});
  EXPECT_TRUE(ok) << error;
  EXPECT_EQ(error, "");
  if (pic.widthPixels() != ref.width || pic.heightPixels() != ref.height) return -1;
  int differences = 0;
  for (int y = 0; y < ref.height; ++y)
    for (int x = 0; x < ref.width; ++x)
      if (pic.pixel(x, y) != ref.pixels[static_cast<size_t>(y) * ref.width + x]) ++differences;
  return differences;
}

// The device starts in grey (test.conf): acquire asks for colour on its own.
// Reference: scanimage -d test:0 --mode Color --depth 8 --resolution 75.
TEST_F(ScannerTest, AcquireGivesTheColourPicture) {
  Scanner::setSelectedSource("test:0");
  EXPECT_EQ(differencesWith("test0_colour.ppm", {}), 0);
}

// Reference: scanimage -d test:0 --mode Gray --depth 8 --resolution 75.
TEST_F(ScannerTest, GreyPicture) {
  EXPECT_EQ(differencesWith("test0_gray.pgm", {{"mode", "Gray"}}), 0);
}

// Reference: scanimage -d test:0 --mode Gray --depth 1 --resolution 75.
TEST_F(ScannerTest, LineArtPicture) {
  EXPECT_EQ(differencesWith("test0_lineart.pbm", {{"mode", "Gray"}, {"depth", "1"}}), 0);
}

// Reference: scanimage -d test:0 --mode Color --depth 16 --resolution 75 (high bytes).
TEST_F(ScannerTest, SixteenBitPictureKeepsTheHighByte) {
  EXPECT_EQ(differencesWith("test0_colour16.ppm", {{"depth", "16"}}), 0);
}

// Red, green and blue in three separate frames give the same picture as one pass
// (scanimage with --three-pass=yes writes a file identical to test0_colour.ppm).
TEST_F(ScannerTest, ThreePassPicture) {
  EXPECT_EQ(differencesWith("test0_colour.ppm", {{"three-pass", "true"}}), 0);
  // The device keeps its option values from one opening to the next: set it back.
  EXPECT_EQ(differencesWith("test0_colour.ppm", {{"three-pass", "false"}}), 0);
}

// Options the device lacks or values that do not read are passed over.
TEST_F(ScannerTest, UnknownOptionsArePassedOver) {
  EXPECT_EQ(differencesWith("test0_colour.ppm", {{"no-such-option", "1"}, {"resolution", "abc"}}), 0);
}

TEST_F(ScannerTest, AcquireTakesTheFirstDeviceWhenNoneChosenAndRepeats) {
  for (int i = 0; i < 2; ++i) {
    Picture pic;
    std::string error;
    ASSERT_TRUE(Scanner::acquire(&pic, &error)) << error;
    EXPECT_EQ(pic.widthPixels(), 59);
    EXPECT_EQ(pic.heightPixels(), 44);
  }
}

TEST_F(ScannerTest, AcquireFromAnUnknownDeviceFails) {
  for (const char* bogus : {"nosuchbackend:0", "test:7"}) {
    Scanner::setSelectedSource(bogus);
    Picture pic = Picture::filled(1, 1, 0);
    std::string error;
    EXPECT_FALSE(Scanner::acquire(&pic, &error)) << bogus;
    EXPECT_NE(error.find(bogus), std::string::npos) << error;
    // The picture given is left as it was.
    EXPECT_EQ(pic.widthPixels(), 1);
  }
}

TEST_F(ScannerTest, ReadFailureEndsWithAnError) {
  // The test device's "read-return-value" makes every read answer with this status.
  Scanner::setOptions({{"read-return-value", "SANE_STATUS_JAMMED"}});
  Picture pic;
  std::string error;
  EXPECT_FALSE(Scanner::acquire(&pic, &error));
  EXPECT_EQ(error.rfind("Echec de l'acquisition : ", 0), 0u) << error;
  EXPECT_TRUE(pic.isNull());
  // The device was closed: the next acquisition works. (The device keeps its option
  // values from one opening to the next, so the status is set back.)
  Scanner::setOptions({{"read-return-value", "Default"}});
  EXPECT_TRUE(Scanner::acquire(&pic, &error)) << error;
  EXPECT_FALSE(pic.isNull());
}

// Stand-ins for the device's read (statuses as sane_read's: 0 good, 2 cancelled).
constexpr int kGood = 0, kCancelled = 2;

// A read that blocks until the test releases it, whatever happens meanwhile.
struct BlockedRead {
  std::mutex mutex;
  std::condition_variable changed;
  bool entered = false;
  bool released = false;
};
BlockedRead g_blocked;

int readThatNeverReturns(void*, unsigned char*, int, int* length) {
  std::unique_lock<std::mutex> lock(g_blocked.mutex);
  g_blocked.entered = true;
  g_blocked.changed.wait(lock, [] { return g_blocked.released; });
  *length = 0;
  return kCancelled;
}

// A read that always answers "no data yet".
int readWithNoData(void*, unsigned char*, int, int* length) {
  *length = 0;
  return kGood;
}

using Clock = std::chrono::steady_clock;

TEST_F(ScannerTest, ReadThatNeverReturnsEndsWithAnErrorWithinItsLimit) {
  Scanner::setTimeLimit(std::chrono::milliseconds(300));
  Scanner::setReadFunction(readThatNeverReturns);
  Picture pic = Picture::filled(1, 1, 0);
  std::string error;
  const Clock::time_point start = Clock::now();
  EXPECT_FALSE(Scanner::acquire(&pic, &error));
  const auto took = Clock::now() - start;
  EXPECT_EQ(error, "Délai d'acquisition dépassé");
  // The limit, then as much again for the cancelled read; far below the ctest limit.
  EXPECT_GE(took, std::chrono::milliseconds(300));
  EXPECT_LT(took, std::chrono::seconds(5));
  EXPECT_EQ(pic.widthPixels(), 1);
  {
    std::lock_guard<std::mutex> lock(g_blocked.mutex);
    EXPECT_TRUE(g_blocked.entered);
  }
  // While that read has not returned, its device stays open: a new acquisition says so.
  EXPECT_FALSE(Scanner::acquire(&pic, &error));
  EXPECT_EQ(error.rfind("Impossible d'ouvrir la source test:0 : ", 0), 0u) << error;
  // Once the read returns, the device is closed and works again.
  {
    std::lock_guard<std::mutex> lock(g_blocked.mutex);
    g_blocked.released = true;
  }
  g_blocked.changed.notify_all();
  Scanner::setReadFunction(nullptr);
  Scanner::setTimeLimit(std::chrono::milliseconds::zero());
  Scanner::shutdown();
  EXPECT_TRUE(Scanner::acquire(&pic, &error)) << error;
  EXPECT_EQ(pic.widthPixels(), 59);
}

TEST_F(ScannerTest, DeviceThatSendsNothingEndsAtTheTimeLimit) {
  Scanner::setTimeLimit(std::chrono::milliseconds(200));
  Scanner::setReadFunction(readWithNoData);
  Picture pic;
  std::string error;
  const Clock::time_point start = Clock::now();
  EXPECT_FALSE(Scanner::acquire(&pic, &error));
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(error, "Délai d'acquisition dépassé");
  EXPECT_TRUE(pic.isNull());
  // The device was closed at once: the next acquisition works.
  Scanner::setReadFunction(nullptr);
  EXPECT_TRUE(Scanner::acquire(&pic, &error)) << error;
  EXPECT_FALSE(pic.isNull());
}

// A backend whose closing never returns (until the test releases it): the picture read
// is given all the same, a short while after, and the device is closed once the
// closing returns.
BlockedRead g_blockedClose;

void closeThatHangs(void* h) {
  {
    std::unique_lock<std::mutex> lock(g_blockedClose.mutex);
    g_blockedClose.entered = true;
    g_blockedClose.changed.wait(lock, [] { return g_blockedClose.released; });
  }
  sane_cancel(static_cast<SANE_Handle>(h));
  sane_close(static_cast<SANE_Handle>(h));
}

TEST_F(ScannerTest, CloseThatHangsStillGivesThePicture) {
  Scanner::setCloseFunction(closeThatHangs);
  Picture pic;
  std::string error;
  const Clock::time_point start = Clock::now();
  EXPECT_TRUE(Scanner::acquire(&pic, &error)) << error;
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(pic.widthPixels(), 59);
  EXPECT_EQ(pic.heightPixels(), 44);
  // Until the closing returns, the device is busy; then it works again.
  Picture other = Picture::filled(1, 1, 0);
  EXPECT_FALSE(Scanner::acquire(&other, &error));
  EXPECT_EQ(other.widthPixels(), 1);
  {
    std::lock_guard<std::mutex> lock(g_blockedClose.mutex);
    EXPECT_TRUE(g_blockedClose.entered);
    g_blockedClose.released = true;
  }
  g_blockedClose.changed.notify_all();
  Scanner::setCloseFunction(nullptr);
  Scanner::shutdown();
  EXPECT_TRUE(Scanner::acquire(&other, &error)) << error;
  EXPECT_EQ(other.widthPixels(), 59);
}

TEST_F(ScannerTest, ShutdownThenStartsAgain) {
  Scanner::shutdown();
  Scanner::shutdown();  // twice is harmless
  std::string error;
  const std::vector<ScanSource> list = Scanner::sources(&error);
  ASSERT_EQ(list.size(), 1u) << error;
  EXPECT_EQ(list[0].name, "test:0");
}

}  // namespace
}  // namespace platform
