#pragma once

// The status bar's three panels: percentages (conversion progress), the
// current task or "Ready", and the clock. As the conversion's observer it
// repaints at once, since a conversion holds the interface thread until it
// ends; a percentage is repainted only when it changes.

#include <string>

#include <QObject>
#include <QString>
#include <QTime>

#include "core/convert/context.h"

class QLabel;
class QStatusBar;

namespace norvella {

class StatusPanels : public QObject, public ConversionObserver {
  Q_OBJECT

 public:
  explicit StatusPanels(QStatusBar* bar);

  // ConversionObserver: Windows-1251 texts and whole percentages.
  void TaskChanged(const std::string& text) override;
  void ProgressChanged(int percent) override;

  void ShowPercent(const QString& text);
  void ShowTask(const QString& text);
  void ShowClock(const QString& text);

  QString Percent() const;
  QString Task() const;
  QString Clock() const;
  // How often the panels were repainted, for tests of the repaint rule.
  int Repaints() const { return repaints_; }

 signals:
  void TaskShown(const QString& text);

 private:
  void Repaint();

  QStatusBar* bar_;
  QLabel* percent_;
  QLabel* task_;
  QLabel* clock_;
  int repaints_ = 0;
};

// The time in the system's long format, without a time-zone name.
QString ClockText(const QTime& time);

}  // namespace norvella
