#include "widgets/latest_sender.h"

#include <QTimer>

#include <algorithm>
#include <chrono>

#include "link/latest_frames.h"
#include "link/serial_comm.h"

namespace kov::ui {

LatestSender::LatestSender(CSerialComm& link, QObject* parent)
    : QObject(parent), link_(link), timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &LatestSender::Pump);
}

LatestSender::~LatestSender() {
    FlushLatest(link_);
}

void LatestSender::Send(const CommandFrame& frame) {
    SendLatest(link_, frame);
    if (!timer_->isActive())
        ScheduleIn(link_.LineBusyFor());
}

void LatestSender::Pump() {
    if (const auto due = PumpLatest(link_))
        ScheduleIn(*due - link_.GetClock().Now());
}

void LatestSender::ScheduleIn(std::chrono::nanoseconds delay) {
    using std::chrono::milliseconds;
    // Rounded up, so the pump never comes before the line is idle and finds nothing to do.
    const auto ms = std::chrono::ceil<milliseconds>(std::max(delay, decltype(delay)::zero()));
    timer_->start(static_cast<int>(std::clamp<milliseconds::rep>(ms.count(), 1, 1000)));
}

}  // namespace kov::ui
