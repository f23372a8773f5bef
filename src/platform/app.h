#pragma once
// The application as a whole: program folder, command line, ending the process,
// operating system name, beep, the desktop's default application, screen size.

#include <functional>
#include <string>
#include <vector>

namespace platform {

class Picture;

class App {
 public:
  // Creates the application object (once) from the process arguments.
  static void init(int& argc, char** argv);
  // The same for test programs: headless and with the program folder set to a
  // fresh temporary folder unless QV_PROGRAM_FOLDER says otherwise.
  static void initForTests(int& argc, char** argv);
  // Runs the event loop until the last window closes or End; returns the exit code.
  static int exec();

  // Program folder (Rep_Prog): the executable's folder when writable, else the
  // per-user data folder (~/.local/share/quorvale), created on first use. Ends with
  // no "/"; the program builds paths with "/".
  static std::string Path();
  // Overrides the program folder (tests).
  static void setPath(const std::string& folder);

  // The command line after the program name, arguments joined by blanks as typed
  // (a quoted path keeps its quotes only if they were passed through).
  static std::string Command();
  static void setCommand(const std::string& cmd);

  // Ends the process at once (no clean-up) with exit code `code`. With a hook set, the
  // hook runs instead; a hook that returns makes End throw EndRequested{code}.
  [[noreturn]] static void End(int code = 0);
  // Replaces the action of End (tests); an empty function restores std::_Exit.
  static void setEndHook(std::function<void(int)> hook);

  // Shows Qt's own texts (message-box buttons, file dialogs) in the language `locale`
  // ("fr", "eu"...) from Qt's installed catalogue, in place of the one loaded before;
  // "" goes back to English. False, the texts then English, when the catalogue is not
  // installed.
  static bool setQtLanguage(const std::string& locale);
  // The locale whose catalogue is loaded, "" for English.
  static std::string qtLanguage();
  // The language last given to setQtLanguage, its catalogue found or not; "" before
  // any (dates and calendars then follow the system's locale).
  static std::string programLanguage();

  // Name of the operating system ("Debian GNU/Linux 12 (bookworm)"...).
  static std::string OsName();
  static void Beep();
  // Opens a file, a folder or a mailto:/http: URL with the desktop's default
  // application; false with a reason in *error on failure.
  static bool OpenDocument(const std::string& pathOrUrl, std::string* error = nullptr);

  // Primary screen size in twips (15 per logical pixel).
  static double ScreenWidth();
  static double ScreenHeight();
  // A copy of the whole primary screen as shown now; false with a reason in *error
  // when the desktop gives none (some display servers refuse screen copies).
  static bool GrabScreen(Picture* out, std::string* error = nullptr);
};

constexpr double kTwipsPerPixel = 15.0;

// Thrown by App::End when its hook returns (a test hook that only records the call).
struct EndRequested {
  int code = 0;
};

}  // namespace platform
