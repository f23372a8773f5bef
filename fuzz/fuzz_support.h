#pragma once
// What the fuzz targets share: the program started once per run as the test programs
// start it (headless, its program folder a fresh temporary folder, every question
// agreed to, a clock that runs ahead so that no flash or pause waits, the point as
// decimal separator), the main window shown for the readers that fill it, and the
// fuzzed bytes written to a file of that folder for the readers that take a path.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "measure/calibration.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace fuzz {

// A clock that moves one second ahead at every reading: the message panel's waits
// end at once. The time of day starts again at 1000 s before it would pass midnight
// (a long run reads it hundreds of thousands of times).
class RunningClock : public platform::Clock {
 public:
  double monotonicSeconds() override { return t_ += 1.0; }
  double secondsSinceMidnight() override { return jour_ = jour_ >= 80000.0 ? 1000.0 : jour_ + 1.0; }

 private:
  double t_ = 1000.0;
  double jour_ = 1000.0;
};

// The user of a fuzz run: every question is agreed to (Yes, OK, Ignore), so that the
// readers go as far as a file lets them; a Retry/Cancel question is cancelled, so that
// nothing asks again for ever. The open dialog returns the file set with openNext
// (once), every other dialog is cancelled. Nothing is kept.
class Agreeing : public platform::Dialogs {
 public:
  int msgBox(const std::string& text, int style, const std::string&) override {
    if (verbose_) std::fprintf(stderr, "question: %s\n", text.c_str());
    switch (style & 0x0F) {
      case platform::vbYesNo:
      case platform::vbYesNoCancel: return platform::vbYes;
      case platform::vbAbortRetryIgnore: return platform::vbIgnore;
      case platform::vbRetryCancel: return platform::vbCancel;
      default: return platform::vbOK;
    }
  }
  std::string inputBox(const std::string&, const std::string&, const std::string&, bool* cancelled) override {
    if (cancelled) *cancelled = true;
    return std::string();
  }
  platform::FileAnswer openFile(const platform::FileRequest& r) override {
    platform::FileAnswer a;
    a.filterIndex = r.filterIndex;
    if (!openNext.empty()) {
      a.cancelled = false;
      a.files.push_back(openNext);
      a.folder = openNext.substr(0, openNext.rfind('/'));
      openNext.clear();
    }
    return a;
  }
  platform::FileAnswer saveFile(const platform::FileRequest& r) override {
    platform::FileAnswer a;
    a.filterIndex = r.filterIndex;
    return a;
  }
  std::optional<platform::FontChoice> chooseFont(const platform::FontChoice&) override { return std::nullopt; }
  std::optional<std::string> chooseFolder(const std::string&, const std::string&) override { return std::nullopt; }
  int popupMenu(const std::vector<std::string>&) override { return -1; }
  int chooseItem(const std::string&, const std::vector<std::string>&) override { return -1; }

  std::string openNext;  // the answer of the next open dialog ("" cancels it)

 private:
  // QV_FUZZ_VERBOSE set: every message is printed (to see what an input does).
  const bool verbose_ = std::getenv("QV_FUZZ_VERBOSE") != nullptr;
};

inline Agreeing& Questions() { return static_cast<Agreeing&>(platform::dialogs()); }

// Starts the application object once; with `window`, the main window is also shown
// (its start-up reads the settings of the empty program folder).
inline void Start(bool window) {
  static const bool started = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "quorvale-fuzz";
    static char* argv[] = {name, nullptr};
    platform::App::initForTests(argc, argv);
    platform::setDialogs(std::make_unique<Agreeing>());
    platform::setClock(std::make_unique<RunningClock>());
    platform::SetDecimalSeparator('.');
    // The notice of a missing calibration file is shown once; it is not the input's.
    Absence_Calib_Signalee = true;
    return true;
  }();
  (void)started;
  if (window && !Qvl().visible()) {
    Qvl().show();
    platform::DoEvents();
  }
  Questions().openNext.clear();
}

// The folder this run writes its files into (inside the program folder).
inline const std::string& Folder() {
  static const std::string folder = [] {
    const std::string f = platform::App::Path() + "/fuzz";
    platform::makeFolder(f);
    return f;
  }();
  return folder;
}

// Writes `bytes` to `path` as they are (no encoding, no atomic save: the readers see
// exactly the fuzzed file); ends the run when the file cannot be written.
inline void Write(const std::string& path, std::string_view bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  bool ok = f != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (f != nullptr && std::fclose(f) != 0) ok = false;
  if (!ok) {
    std::fprintf(stderr, "fuzz: cannot write %s\n", path.c_str());
    std::exit(2);
  }
}

// The fuzzed bytes as a file `name` of Folder(); its path.
inline std::string WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::string path = Folder() + "/" + name;
  Write(path, std::string_view(reinterpret_cast<const char*>(data), size));
  return path;
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

// The bytes with every "@DOSSIER@" (the test folder in the test trames) replaced by
// Folder().
inline std::string WithFolder(std::string_view bytes) {
  std::string s(bytes);
  const std::string mark = "@DOSSIER@";
  for (std::size_t p = s.find(mark); p != std::string::npos; p = s.find(mark, p + Folder().size()))
    s.replace(p, mark.size(), Folder());
  return s;
}

}  // namespace fuzz
