#pragma once
// Every modal question the program asks goes through one interface: message boxes,
// input boxes, the open, save, font and folder dialogs, pop-up menus and lists of
// choices. The real implementation shows Qt dialogs; tests install ScriptedDialogs,
// which answers from a queue and logs what was asked.

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace platform {

// Message box buttons, icons and answers (the original values).
enum MsgBoxStyle {
  vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4,
  vbRetryCancel = 5, vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
  vbDefaultButton2 = 256,
};
enum MsgBoxResult { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

struct FileRequest {
  std::string title;
  // "description|pattern|description|pattern" (patterns separated by ";").
  std::string filter;
  int filterIndex = 1;        // 1-based
  std::string initialFolder;  // "" for the program folder
  std::string fileName;       // proposed name (may hold a folder)
  std::string defaultExt;
  bool multiSelect = false;   // open dialog only
};

struct FileAnswer {
  bool cancelled = true;
  std::string folder;              // the chosen folder, no trailing "/"
  std::vector<std::string> files;  // full paths ("/" separators)
  int filterIndex = 1;
  // First file or "".
  std::string path() const { return files.empty() ? std::string() : files.front(); }
};

struct FontChoice {
  std::string name = "MS Sans Serif";
  double size = 8;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  unsigned colour = 0;
  bool scalableOnly = false;   // the dialog lists scalable fonts only
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Returns the answer code (vbOK...). CR LF in text are line breaks.
  virtual int msgBox(const std::string& text, int style = vbOKOnly, const std::string& title = "") = 0;
  // The typed text; "" when cancelled (as the original), *cancelled tells them apart.
  virtual std::string inputBox(const std::string& prompt, const std::string& title = "",
                               const std::string& defaultText = "", bool* cancelled = nullptr) = 0;
  virtual FileAnswer openFile(const FileRequest& r) = 0;
  // The save dialog never asks its own overwrite question: the program asks.
  virtual FileAnswer saveFile(const FileRequest& r) = 0;
  virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
  // Returns the chosen folder, or nothing when cancelled.
  virtual std::optional<std::string> chooseFolder(const std::string& title, const std::string& initial) = 0;
  // Pop-up menu at the mouse: returns the index of the chosen entry in captions
  // (entries "-" are separators, disabled entries start with "\x01"), -1 when none.
  virtual int popupMenu(const std::vector<std::string>& captions) = 0;
  // A choice among items (a scanner source...): its index, -1 when cancelled.
  virtual int chooseItem(const std::string& title, const std::vector<std::string>& items) = 0;
};

// Qt's filter list ("desc (pat pat);;desc (pat)") of an original filter string
// "desc|pat;pat|desc|pat"; "*.*" becomes "*" (every file, as on Windows); a
// description without its pattern is dropped; "" gives "".
std::string qtFilterFromOriginal(const std::string& filter);

// The answer a message box of this style gives when closed with Esc (also the
// scripted neutral answer): Cancel when there is a Cancel button, else No, else
// Abort for Abort/Retry/Ignore, else OK.
int escapeAnswer(int style);

Dialogs& dialogs();
// Installs an implementation; nullptr restores the Qt one.
void setDialogs(std::unique_ptr<Dialogs> d);

// Test implementation: each question takes the next scripted answer of its kind; a
// question with no answer left fails the test through the `unanswered` log and gets
// the neutral answer (Cancel/No/cancelled/-1).
class ScriptedDialogs : public Dialogs {
 public:
  struct Asked {
    std::string kind;   // "msgBox", "inputBox", "openFile", "saveFile", "font", "folder", "popup", "choose"
    std::string text;   // message, prompt, title or captions joined by "|"
    int style = 0;      // message box style; for a font dialog 1 when scalable fonts only
    FileRequest request;
    std::vector<std::string> items;  // captions of a pop-up menu, items of a choice
  };

  void answerMsgBox(int code) { msgBox_.push_back(code); }
  void answerInput(const std::string& text, bool cancel = false) { input_.push_back({text, cancel}); }
  void answerOpen(const std::vector<std::string>& files, int filterIndex = 1);
  void answerSave(const std::string& path, int filterIndex = 1);
  void answerFileCancel(bool save);
  void answerFont(std::optional<FontChoice> f) { font_.push_back(f); }
  void answerFolder(std::optional<std::string> f) { folder_.push_back(f); }
  void answerPopup(int index) { popup_.push_back(index); }
  void answerChoose(int index) { choose_.push_back(index); }

  const std::vector<Asked>& log() const { return log_; }
  std::vector<std::string> unanswered() const { return unanswered_; }
  void clear();
  // Answers still queued (a test expects them all used).
  size_t pending() const;

  int msgBox(const std::string& text, int style, const std::string& title) override;
  std::string inputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText, bool* cancelled) override;
  FileAnswer openFile(const FileRequest& r) override;
  FileAnswer saveFile(const FileRequest& r) override;
  std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
  std::optional<std::string> chooseFolder(const std::string& title, const std::string& initial) override;
  int popupMenu(const std::vector<std::string>& captions) override;
  int chooseItem(const std::string& title, const std::vector<std::string>& items) override;

 private:
  std::deque<int> msgBox_;
  std::deque<std::pair<std::string, bool>> input_;
  std::deque<FileAnswer> open_, save_;
  std::deque<std::optional<FontChoice>> font_;
  std::deque<std::optional<std::string>> folder_;
  std::deque<int> popup_, choose_;
  std::vector<Asked> log_;
  std::vector<std::string> unanswered_;
};

// Shorthand used everywhere: MsgBox(text, style, title).
inline int MsgBox(const std::string& text, int style = vbOKOnly, const std::string& title = "") {
  return dialogs().msgBox(text, style, title);
}
inline std::string InputBox(const std::string& prompt, const std::string& title = "",
                            const std::string& def = "") {
  return dialogs().inputBox(prompt, title, def, nullptr);
}

}  // namespace platform
