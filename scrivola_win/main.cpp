// scrivola_win: the desktop front end.
#include <QApplication>

#include "CConverterApp.h"
#include "ScreenshotTour.h"
#ifdef SCRIVOLA_WIN_WIRED
#include "FrontEndWiring.h"
#endif

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("scrivola_win"));

#ifdef SCRIVOLA_WIN_WIRED
    CConverterApp app(CreateFrontEndCommands());
#else
    CConverterApp app;
#endif
    ScreenshotRequest screenshots;
    if (ParseScreenshotRequest(QApplication::arguments(), screenshots)) {
        app.SetWindowReadyHook(
            [screenshots](CConverterDlg& window) { ScheduleScreenshotTour(window, screenshots); });
    }
    return app.Run();
}
