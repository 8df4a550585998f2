// scrivola_win: the desktop front end.
#include <QApplication>

#include <string>
#include <vector>

#include "CConverterApp.h"
#include "CConverterDlg.h"
#include "CommandLineDocuments.h"
#include "FrontEndWiring.h"
#include "ScreenshotTour.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("scrivola_win"));
    QGuiApplication::setDesktopFileName(QStringLiteral("scrivola_win"));

    CConverterApp app(CreateFrontEndCommands());
    ScreenshotRequest screenshots;
    if (ParseScreenshotRequest(QApplication::arguments(), screenshots)) {
        app.SetWindowReadyHook(
            [screenshots](CConverterDlg& window) { ScheduleScreenshotTour(window, screenshots); });
    } else {
        std::vector<std::string> arguments;
        for (const QString& argument : QApplication::arguments()) {
            arguments.push_back(argument.toStdString());
        }
        const scrivola_win::PendingList documents = scrivola_win::CommandLineDocuments(arguments);
        if (!documents.empty()) {
            app.SetWindowReadyHook(
                [documents](CConverterDlg& window) { window.AddDocumentsToList(documents); });
        }
    }
    return app.Run();
}
