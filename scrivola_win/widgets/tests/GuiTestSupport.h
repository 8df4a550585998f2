#pragma once
// Helpers for the widget tests: synthetic mouse input and pixel checks.
#include <QApplication>
#include <QColor>
#include <QDeadlineTimer>
#include <QImage>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <functional>

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos,
                      Qt::MouseButton button = Qt::NoButton,
                      Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void SendMouseMove(QWidget* widget, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton) {
    SendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, buttons);
}

inline void SendClick(QWidget* widget, QPoint pos) {
    SendMouse(widget, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

inline void SendLeave(QWidget* widget) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
}

inline QImage Render(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Colours compare by their 8-bit channels: palette colours may carry
// finer precision than a rendered pixel.
inline QColor Pixel(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}
inline QColor Rgb8(const QColor& colour) {
    return QColor(colour.rgb());
}

// Counts pixels of exactly this colour inside the rectangle.
inline int CountColour(const QImage& image, const QColor& colour, QRect area = {}) {
    if (area.isNull()) {
        area = image.rect();
    }
    const QRgb wanted = colour.rgb();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.pixel(x, y) == wanted ? 1 : 0;
        }
    }
    return count;
}

// Processes events until the condition holds or five seconds pass.
inline bool WaitUntil(const std::function<bool()>& condition) {
    QDeadlineTimer deadline(5000);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Runs action on the next modal window that opens (message box, picker),
// from inside its event loop.
inline void OnNextModal(std::function<void(QWidget*)> action) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            action(modal);
        }
    });
    poll->start(10);
}
