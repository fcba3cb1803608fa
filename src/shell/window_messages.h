#pragma once
// The messages the main window, the card pages and the diagrams post to each other. They
// keep their numbers and travel as posted events, so they arrive after the handler that
// posted them has finished.

#include <QCoreApplication>
#include <QEvent>

namespace kov::ui {

inline constexpr int WM_INPUT_CARD_SHOW = 0x464;
inline constexpr int WM_CARD_SELECTED = 0x465;
inline constexpr int WM_INPUT_LAYOUT_CHANGED = 0x466;
inline constexpr int WM_INPUT_RESOLUTION_CHANGED = 0x467;
inline constexpr int WM_OUTPUT_CARD_SHOW = 0x468;
inline constexpr int WM_OUTPUT_LAYOUT_CHANGED = 0x469;
inline constexpr int WM_OUTPUT_WINDOW_RELOAD = 0x46A;
inline constexpr int WM_INPUT_TRANSPARENCY = 0x46B;
inline constexpr int WM_BASEMAP_RELOAD = 0x46C;
inline constexpr int WM_DOUBLEPIC_RELOAD = 0x46D;
inline constexpr int WM_CARD_RESET = 0x46E;

class KovMessage final : public QEvent {
public:
    KovMessage(int message, qintptr wParam, qintptr lParam)
        : QEvent(static_cast<QEvent::Type>(message)), wParam(wParam), lParam(lParam) {}

    const qintptr wParam;
    const qintptr lParam;
};

inline bool IsKovMessage(const QEvent* event) {
    const int type = static_cast<int>(event->type());
    return type >= WM_INPUT_CARD_SHOW && type <= WM_CARD_RESET;
}

// The message of event, or 0 when it is none of ours.
inline int MessageOf(const QEvent* event) {
    return IsKovMessage(event) ? static_cast<int>(event->type()) : 0;
}

// Posts message to receiver; it is delivered from the event loop.
inline void PostKovMessage(QObject* receiver, int message, qintptr wParam = 0, qintptr lParam = 0) {
    QCoreApplication::postEvent(receiver, new KovMessage(message, wParam, lParam));
}

}  // namespace kov::ui
