// scrivola_win: the desktop front end.
#include <QApplication>

#include "CConverterApp.h"
#include "ScreenshotTour.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("scrivola_win"));

    CConverterApp app;
    ScreenshotRequest screenshots;
    if (ParseScreenshotRequest(QApplication::arguments(), screenshots)) {
        app.SetWindowReadyHook(
            [screenshots](CConverterDlg& window) { ScheduleScreenshotTour(window, screenshots); });
    }
    return app.Run();
}
