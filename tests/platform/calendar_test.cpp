// Dates and the month calendar follow the program's language, as Qt's own texts do:
// the French program shows "février 2024", "lun." and "29/02/2024", whatever the
// system's locale; before a language is set they follow the system's.
#include "platform/calendar.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QLocale>
#include <QToolButton>

#include <memory>
#include <string>

#include "platform/app.h"
#include "platform/events.h"
#include "platform/form.h"
#include "platform/runtime.h"

namespace platform {
namespace {

// The text of the calendar's month button, as shown.
std::string monthShown(QWidget* w) {
  for (auto* b : w->findChildren<QToolButton*>())
    if (b->objectName() == QLatin1String("qt_calendar_monthbutton")) return b->text().toStdString();
  return {};
}

class Language : public ::testing::Test {
 protected:
  void TearDown() override { App::setQtLanguage(before_); }
  std::string before_ = App::programLanguage();
};

TEST_F(Language, ShortDatesAndCalendarFollowTheProgramsLanguage) {
  struct Case {
    const char* language;
    const char* shortDate;
    const char* month;
    const char* monday;
  } cases[] = {{"fr", "29/02/2024", "février", "lun."}, {"de", "29.02.24", "Februar", "Mo."}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    App::setQtLanguage(c.language);
    EXPECT_EQ(ShortDateText({2024, 2, 29}), c.shortDate);
    Form f(std::string("frmCal") + c.language);
    f.move(0, 0, 6000, 5000);
    Calendar cal(f, "MonthView1");
    cal.move(100, 100, 3000, 2300);
    ASSERT_TRUE(cal.setValue({2024, 2, 29}));
    f.show();
    QApplication::processEvents();
    auto* w = static_cast<QCalendarWidget*>(cal.widget());
    EXPECT_EQ(monthShown(w), c.month);
    EXPECT_EQ(w->locale().dayName(1, QLocale::ShortFormat).toStdString(), c.monday);
    EXPECT_EQ(w->firstDayOfWeek(), Qt::Monday);
    f.unload();
  }
  App::setQtLanguage("");
  EXPECT_EQ(ShortDateText({2024, 2, 29}),
            QLocale::system().toString(QDate(2024, 2, 29), QLocale::ShortFormat).toStdString());
}

// The date of today's short text, from the program's clock, in the program's language.
TEST_F(Language, ShortDateNowFromTheClockInTheProgramsLanguage) {
  class Pinned : public Clock {
   public:
    double monotonicSeconds() override { return 0; }
    double secondsSinceMidnight() override { return 0; }
    void localDate(int* y, int* m, int* d) override {
      *y = 2026;
      *m = 12;
      *d = 10;
    }
  };
  setClock(std::make_unique<Pinned>());
  App::setQtLanguage("fr");
  EXPECT_EQ(ShortDateNow(), "10/12/2026");
  setClock(nullptr);
}

}  // namespace
}  // namespace platform
