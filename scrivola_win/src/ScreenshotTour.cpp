#include "ScreenshotTour.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "CConverterDlg.h"
#include "MainWindowIds.h"

namespace {

constexpr int kSettleMs = 400;

void Save(QWidget* window, const QString& folder, const QString& name) {
    const QString path = QDir(folder).filePath(name);
    if (window == nullptr || !window->grab().save(path)) {
        std::fprintf(stderr, "scrivola_win: could not save %s\n", qPrintable(path));
        return;
    }
    std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
}

}  // namespace

bool ParseScreenshotRequest(const QStringList& arguments, ScreenshotRequest& request) {
    const qsizetype option = arguments.indexOf(QStringLiteral("--screenshot"));
    if (option < 0 || option + 1 >= arguments.size()) {
        return false;
    }
    request.folder = arguments.at(option + 1);
    request.documents = arguments.mid(option + 2);
    return true;
}

void ScheduleScreenshotTour(CConverterDlg& window, const ScreenshotRequest& request) {
    QDir().mkpath(request.folder);
    QTimer::singleShot(kSettleMs, &window, [&window, request] {
        scrivola_win::PendingList documents;
        for (const QString& document : request.documents) {
            documents.push_back(QFileInfo(document).absoluteFilePath().toStdString());
        }
        window.AddDocumentsToList(documents);
        QTimer::singleShot(kSettleMs, &window, [&window, request] {
            Save(&window, request.folder, QStringLiteral("main_window.png"));
            // The About box runs modally; it is saved and closed from inside.
            QTimer::singleShot(kSettleMs, &window, [&window, request] {
                QWidget* about = QApplication::activeModalWidget();
                Save(about != &window ? about : nullptr, request.folder,
                     QStringLiteral("about_box.png"));
                if (about != nullptr && about != &window) {
                    about->close();
                }
                QTimer::singleShot(0, &window, [&window] { window.OnCommand(ids::kExit); });
            });
            window.OnCommand(ids::kAbout);
        });
    });
}
