#include "runner/PrinterPresence.h"

#include <QMessageBox>
#include <QString>

#include "platform/Shell.h"
#include "platform/Spooler.h"
#include "printing/DefaultPrinter.h"

namespace runner {

bool VirtualPrinterInstalled() {
    return platform::Spooler::CurrentUser().IsInstalled(scrivola::kVirtualPrinterName);
}

bool OfferPrinterDownload(QWidget* owner) {
    // No caption of its own, Yes and No, the question icon: as the converter asks.
    QMessageBox box(QMessageBox::Question, QString(),
                    QString::fromStdString(scrivola::MissingPrinterQuestion()),
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setObjectName(QStringLiteral("MissingPrinterQuestion"));
    if (box.exec() != QMessageBox::Yes) {
        return false;
    }
    platform::ShellOpenDocument(scrivola::kPrinterDownloadPage);
    return true;
}

}  // namespace runner
