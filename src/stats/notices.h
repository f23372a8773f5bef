#pragma once
// Where the statistical routines send what the user must see: the text of a message
// box with an OK button, or a beep. The window side fills the slots; while a slot is
// empty nothing is shown. Either way the routine returns its failure result, which
// its caller tests.

#include <functional>
#include <string>

namespace stats {

struct StatNotices {
  std::function<void(const std::string&)> message;   // shows the text with an OK button
  std::function<void()> beep;                         // sounds the system beep
};

// The program-wide slots.
StatNotices& Stat_Notices();

// Passes the text to the message slot; nothing when the slot is empty.
void Show_Stat_Message(const std::string& text);

// Calls the beep slot; nothing when the slot is empty.
void Stat_Beep();

}  // namespace stats
