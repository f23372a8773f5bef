#pragma once
// A month calendar: one date chosen by the user or set from code.

#include <functional>
#include <string>

#include "platform/control.h"

namespace platform {

struct Date {
  int year = 2000;
  int month = 1;
  int day = 1;
  bool operator==(const Date&) const = default;
};

// Today's local date.
Date Today();
// The date in the system's short date format ("" for an impossible date).
std::string ShortDateText(const Date& d);

class Calendar : public Control {
 public:
  Calendar(Container& parent, const std::string& name, int index = -1);
  Date value() const;
  // An impossible date (31 February...) is refused and false returned.
  bool setValue(const Date& d);

  // The user clicked a date (not fired by setValue).
  std::function<void()> onDateClick;
};

}  // namespace platform
