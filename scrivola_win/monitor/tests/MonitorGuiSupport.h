#pragma once
// The application object and window helpers of the monitor's window tests.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "MonitorTestSupport.h"

inline QApplication& GuiApplication() {
    // Offscreen unless another platform was asked for.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "scrivola_monitor_tests";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    return application;
}

template <class Control>
Control* FindControl(const QWidget* root, int id) {
    return root->findChild<Control*>(QString::number(id));
}

// Runs `act` on the first modal window of type Window, once it is up.
template <class Window>
void WhenModalOpens(std::function<void(Window*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* modal = dynamic_cast<Window*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

// Handles events until the condition holds or the time is up.
template <class Condition>
bool PumpUntil(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        QApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// The stand-in converter program of the shared test support.
inline std::string FakeConverterPath() {
    return FAKE_SCRIVOLA_PATH;
}

// The runner opens each finished PDF unless viewing is off.
inline void TurnViewingOff() {
    scrivola_win::WriteSetting(scrivola_win::settings::kCheckView, false);
}
