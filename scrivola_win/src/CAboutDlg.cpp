#include "CAboutDlg.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

#include "AppIcons.h"
#include "MainWindowIds.h"
#include "ProductInfo.h"
#include "widgets/CHyperlinkLabel.h"
#include "widgets/DialogUnits.h"

QString AboutDetailsText() {
    return QStringList{product::kBuildLine, QString(), product::kMakerLine,
                       QStringLiteral("Web: ") + product::kWebAddress,
                       QStringLiteral("Email: ") + product::kSupportAddress}
        .join(QLatin1Char('\n'));
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("100"));
    setWindowTitle(product::kCaption);
    const QIcon appIcon = AppIcon(AppIconId::Application);
    setWindowIcon(appIcon);

    const DialogUnits du = DialogUnits::ForFont(font());
    setFixedSize(du.ToPixels(265, 184));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("128"));
    du.Place(icon, 11, 10, 21, 20);
    icon->setPixmap(appIcon.pixmap(du.ToPixels(21, 20).boundedTo(QSize(32, 32))));

    auto* name = new QLabel(product::kCaption, this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    du.Place(name, 40, 10, 150, 10);

    auto* maker = new QLabel(product::kMakerLine, this);
    du.Place(maker, 40, 24, 150, 10);

    auto* web = new CHyperlinkLabel(product::kWebAddress, product::kWebAddress, this);
    web->setObjectName(ids::Name(ids::kWebLink));
    du.Place(web, 40, 38, 150, 10);
    web->FitToText();

    const QString mailTarget = QStringLiteral("mailto:") + product::kSupportAddress;
    auto* mail = new CHyperlinkLabel(product::kSupportAddress, mailTarget, this);
    mail->setObjectName(ids::Name(ids::kMailLink));
    du.Place(mail, 40, 52, 150, 10);
    mail->FitToText();

    auto* details = new QPlainTextEdit(AboutDetailsText(), this);
    details->setObjectName(ids::Name(ids::kAboutDetails));
    details->setReadOnly(true);
    details->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    details->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    details->setLineWrapMode(QPlainTextEdit::NoWrap);
    du.Place(details, 11, 70, 243, 84);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(ids::Name(ids::kAboutOk));
    ok->setDefault(true);
    du.Place(ok, 204, 161, 50, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
