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
  return fromQ(QLocale::system().toString(q, QLocale::ShortFormat));
}

Calendar::Calendar(Container& parent, const std::string& name, int index)
    : Control(parent, name, index) {
  auto* w = new QCalendarWidget(parent.clientWidget());
  w->setGridVisible(true);
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
