#include "platform/calendar.h"

#include <QCalendarWidget>
#include <QDate>
#include <QLocale>

#include "platform/events.h"
#include "platform/qt_bridge.h"

namespace platform {

Date Today() {
  Date d;
  clock().localDate(&d.year, &d.month, &d.day);
  return d;
}

std::string ShortDateText(const Date& d) {
  const QDate q(d.year, d.month, d.day);
  if (!q.isValid()) return {};
  return fromQ(programLocale().toString(q, QLocale::ShortFormat));
}

namespace {
// A month calendar whose month and day names follow the program's language each time
// it comes up; without week numbers, as the original's calendar.
class LanguageCalendar : public QCalendarWidget {
 public:
  using QCalendarWidget::QCalendarWidget;

 protected:
  void showEvent(QShowEvent* e) override {
    const QLocale l = programLocale();
    if (locale() != l) {
      setLocale(l);
      setFirstDayOfWeek(l.firstDayOfWeek());
    }
    QCalendarWidget::showEvent(e);
  }
};
}  // namespace

Calendar::Calendar(Container& parent, const std::string& name, int index)
    : Control(parent, name, index) {
  auto* w = new LanguageCalendar(parent.clientWidget());
  w->setGridVisible(true);
  w->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  QObject::connect(w, &QCalendarWidget::clicked, w, [this](const QDate&) {
    guarded(this->name().c_str(), onDateClick);
  });
  attach(w);
}

Date Calendar::value() const {
  const QDate d = static_cast<QCalendarWidget*>(widget())->selectedDate();
  return {d.year(), d.month(), d.day()};
}

bool Calendar::setValue(const Date& d) {
  const QDate q(d.year, d.month, d.day);
  if (!q.isValid()) return false;
  static_cast<QCalendarWidget*>(widget())->setSelectedDate(q);
  return true;
}

}  // namespace platform
