#include "app/window/windowhost.h"

#include <QApplication>
#include <QDate>
#include <QEventLoop>
#include <QLocale>
#include <QTimer>
#include <algorithm>

#include "app/core/dialog.h"

namespace quorlin {

namespace {
constexpr qint64 kRefreshMs = 20;
}

void WindowHost::processEvents() {
    if (last_.isValid() && last_.elapsed() < kRefreshMs) return;
    flush();
}

void WindowHost::flush() {
    if (sinceRound_.isValid()) longestGapNs_ = std::max(longestGapNs_, sinceRound_.nsecsElapsed());
    refresh_();
    QCoreApplication::processEvents();
    last_.restart();
    sinceRound_.restart();
}

void WindowHost::beep() {
    QApplication::beep();
}

void WindowHost::pause(int hundredths) {
    flush();  // at least one round, also for no wait at all
    if (hundredths <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(hundredths * 10, &loop, &QEventLoop::quit);
    loop.exec();
    last_.restart();
    sinceRound_.restart();
}

void WindowHost::pace(Pace pace) {
    pause(paceHundredths(pace));
}

std::string WindowHost::today() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

}  // namespace quorlin
