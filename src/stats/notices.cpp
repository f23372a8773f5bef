#include "stats/notices.h"

namespace stats {

StatNotices& Stat_Notices() {
  static StatNotices notices;
  return notices;
}

void Show_Stat_Message(const std::string& text) {
  if (Stat_Notices().message) Stat_Notices().message(text);
}

void Stat_Beep() {
  if (Stat_Notices().beep) Stat_Notices().beep();
}

}  // namespace stats
