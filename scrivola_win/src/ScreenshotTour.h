#pragma once
// --screenshot FOLDER [DOCUMENT...]: once the main window is up, adds the
// documents, saves the main window and the About box as PNG files in the
// folder and closes the program. Lets anyone look at the windows on a
// machine without a desktop (under Xvfb or the offscreen platform).
#include <QString>
#include <QStringList>

class CConverterDlg;

struct ScreenshotRequest {
    QString folder;
    QStringList documents;
};

// The request when the arguments ask for one (the program's own name first).
bool ParseScreenshotRequest(const QStringList& arguments, ScreenshotRequest& request);

// Starts the tour on the window once the event loop runs.
void ScheduleScreenshotTour(CConverterDlg& window, const ScreenshotRequest& request);
