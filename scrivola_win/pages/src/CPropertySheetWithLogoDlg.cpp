#include "pages/CPropertySheetWithLogoDlg.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "pages/CPropertyPage.h"

namespace {

// The ids the platform gives a sheet's OK and Cancel buttons.
constexpr int kOkId = 1;
constexpr int kCancelId = 2;

}  // namespace

CPropertySheetWithLogoDlg::CPropertySheetWithLogoDlg(const QString& caption, QWidget* owner,
                                                     int firstPage)
    : QDialog(owner),
      m_tabs(new QTabWidget(this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)),
      m_units(DialogUnits::ForFont(font())),
      m_firstPage(firstPage) {
    setWindowTitle(caption);
    setModal(true);
    m_ok->setObjectName(QString::number(kOkId));
    m_cancel->setObjectName(QString::number(kCancelId));
    m_ok->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);
    // As large as the largest page, and not resizable.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_initialised && index != m_activePage) {
            ActivatePage(index);
        }
    });
}

void CPropertySheetWithLogoDlg::AddPage(CPropertyPage* page) {
    m_pages.push_back(page);
    page->setMinimumSize(
        m_units.ToPixels(page->TemplateSize().width(), page->TemplateSize().height()));
    const QSignalBlocker quiet(m_tabs);  // adding the first tab makes it current
    m_tabs->addTab(page, page->Caption());
}

CPropertyPage* CPropertySheetWithLogoDlg::Page(int index) const {
    if (index < 0 || index >= PageCount()) {
        return nullptr;
    }
    return m_pages[static_cast<std::size_t>(index)];
}

void CPropertySheetWithLogoDlg::SetLogoLabel(const QString& text) {
    m_logoText = text;
}

void CPropertySheetWithLogoDlg::CreateLogoFont(const QString& face, int height, int weight,
                                               bool italic, bool underline) {
    QFont logo(face);
    logo.setPixelSize(height);
    logo.setWeight(static_cast<QFont::Weight>(weight));
    logo.setItalic(italic);
    logo.setUnderline(underline);
    logo.setStrikeOut(false);
    m_logoFont = logo;
}

void CPropertySheetWithLogoDlg::OnInitDialog() {
    CreateLogoFont(QStringLiteral("Arial"), 24, 700, true, false);
    int first = m_firstPage;
    if (first < 0 || first >= PageCount()) {
        first = 0;
    }
    if (PageCount() > 0) {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(first);
        ActivatePage(first);
    }
}

void CPropertySheetWithLogoDlg::showEvent(QShowEvent* event) {
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CPropertySheetWithLogoDlg::ActivatePage(int index) {
    if (CPropertyPage* leaving = Page(m_activePage); leaving != nullptr && leaving->IsCreated()) {
        if (!leaving->OnKillActive()) {
            const QSignalBlocker quiet(m_tabs);
            m_tabs->setCurrentIndex(m_activePage);
            return;
        }
    }
    m_activePage = index;
    if (CPropertyPage* page = Page(index)) {
        page->OnSetActive(m_units);
    }
}

void CPropertySheetWithLogoDlg::accept() {
    if (CPropertyPage* active = Page(m_activePage); active != nullptr && active->IsCreated()) {
        if (!active->OnKillActive()) {
            return;
        }
    }
    for (CPropertyPage* page : m_pages) {
        if (page->IsCreated()) {
            page->OnOK();
        }
    }
    QDialog::accept();
}

void CPropertySheetWithLogoDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (m_logoText.isEmpty()) {
        return;
    }
    // From the tab control's left edge to the OK button, level with it.
    const QRect tabs = m_tabs->geometry();
    const QRect ok = m_ok->geometry();
    const QRect band(tabs.left(), ok.top(), ok.left() - tabs.left(), ok.height());
    const int format = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;

    QPainter painter(this);
    painter.setFont(m_logoFont);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawText(band.translated(1, 1), format, m_logoText);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawText(band, format, m_logoText);
}
