#include "gui/ui/status_panels.h"

#include <algorithm>

#include <QLabel>
#include <QLocale>
#include <QStatusBar>

#include "gui/common/qt_text.h"

namespace norvella {

StatusPanels::StatusPanels(QStatusBar* bar)
    : QObject(bar),
      bar_(bar),
      percent_(new QLabel(bar)),
      task_(new QLabel("Current task: none", bar)),
      clock_(new QLabel(bar)) {
  percent_->setObjectName("StatusPercent");
  task_->setObjectName("StatusTask");
  clock_->setObjectName("StatusClock");
  percent_->setMinimumWidth(60);
  percent_->setAlignment(Qt::AlignCenter);
  task_->setMinimumWidth(200);
  clock_->setMinimumWidth(50);
  clock_->setAlignment(Qt::AlignCenter);
  for (QLabel* label : {percent_, task_, clock_}) label->setTextFormat(Qt::PlainText);
  bar_->addWidget(percent_);
  bar_->addWidget(task_, 1);
  bar_->addPermanentWidget(clock_);
}

void StatusPanels::TaskChanged(const std::string& text) { ShowTask(ToQt(text)); }

void StatusPanels::ProgressChanged(int percent) { ShowPercent(QString::number(percent) + "%"); }

void StatusPanels::ShowPercent(const QString& text) {
  if (percent_->text() == text) return;
  percent_->setText(text);
  Repaint();
}

void StatusPanels::ShowTask(const QString& text) {
  task_->setText(text);
  Repaint();
  emit TaskShown(text);
}

void StatusPanels::ShowClock(const QString& text) {
  if (clock_->text() == text) return;
  clock_->setText(text);
  clock_->setMinimumWidth(std::max(50, clock_->fontMetrics().horizontalAdvance(text) + 12));
  Repaint();
}

QString StatusPanels::Percent() const { return percent_->text(); }
QString StatusPanels::Task() const { return task_->text(); }
QString StatusPanels::Clock() const { return clock_->text(); }

void StatusPanels::Repaint() {
  ++repaints_;
  if (bar_->isVisible()) bar_->repaint();
}

QString ClockText(const QTime& time) {
  const QLocale locale = QLocale::system();
  QString format = locale.timeFormat(QLocale::LongFormat);
  format.remove('t');  // the time-zone name
  return locale.toString(time, format.trimmed());
}

}  // namespace norvella
