#pragma once
// Sends the frames of values that change faster than the line carries them (see
// link/latest_frames.h) and drives the frames left waiting with a precise timer.
// Whatever still waits when the sender goes away is written then.

#include <QObject>

#include <chrono>

#include "link/frame.h"

class QTimer;

namespace kov {
class CSerialComm;
}

namespace kov::ui {

class LatestSender final : public QObject {
    Q_OBJECT

public:
    explicit LatestSender(CSerialComm& link, QObject* parent = nullptr);
    ~LatestSender() override;

    void Send(const CommandFrame& frame);

private:
    void Pump();
    void ScheduleIn(std::chrono::nanoseconds delay);

    CSerialComm& link_;
    QTimer* timer_;
};

}  // namespace kov::ui
