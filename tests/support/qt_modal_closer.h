#pragma once

// For the desktop program's tests only (it needs Qt): drives a modal dialog that a call is about
// to open, from the event loop that the dialog runs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace tarnwick::testing {

/// Waits, from the event loop, for a visible modal widget and hands it to `act`, which must close
/// it. Fails the test instead of hanging when no modal widget shows within `timeoutMs`.
inline void WhenModalShows(std::function<void(QWidget*)> act, int timeoutMs = 5000) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, act, timeoutMs, deadline = QDeadlineTimer(timeoutMs)] {
    QWidget* modal = QApplication::activeModalWidget();
    const bool shown = modal != nullptr && modal->isVisible();
    if (!shown && !deadline.hasExpired()) return;
    timer->stop();
    timer->deleteLater();
    if (shown) act(modal);
    if (!shown) ADD_FAILURE() << "no modal dialog appeared within " << timeoutMs << " ms";
  });
  timer->start();
}

/// Spins the event loop until `done` is true or `timeoutMs` passes; gives `done()`.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  for (QDeadlineTimer deadline(timeoutMs); !done() && !deadline.hasExpired();)
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

}  // namespace tarnwick::testing
