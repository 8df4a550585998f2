#include "widgets/CSizingDialog.h"

#include <QResizeEvent>
#include <QSizeGrip>

namespace {

constexpr int kSizeGripSize = 24;

widgets::PixelRect ToPixelRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void PlaceControl(QWidget* control, const widgets::PixelRect& r) {
    control->setGeometry(r.left, r.top, r.Width(), r.Height());
}

}  // namespace

CSizingDialog::CSizingDialog(QWidget* parent) : QDialog(parent) {
    setSizeGripEnabled(false);  // the dialog places its own grip
}

void CSizingDialog::InitSizing(int growPercent) {
    m_referenceWidth = width();
    m_referenceHeight = height();
    m_minimumWidth = width();
    m_minimumHeight = height();
    setMinimumSize(m_minimumWidth, m_minimumHeight);
    if (!(m_resizableAxes & widgets::kResizeHorizontal)) {
        setMaximumWidth(m_minimumWidth);
    }
    if (!(m_resizableAxes & widgets::kResizeVertical)) {
        setMaximumHeight(m_minimumHeight);
    }

    if (m_sizeGripWanted) {
        SetUpSizeGrip();
    }

    if (growPercent != 0) {
        // A window that is not on the screen yet has no screen edge for its
        // near side to stop at; it grows in full and is placed later.
        const bool placed = isVisible() || testAttribute(Qt::WA_Moved);
        if (placed) {
            const widgets::PixelRect grown =
                widgets::GrownWindowRect(ToPixelRect(geometry()), growPercent, m_resizableAxes);
            setGeometry(grown.left, grown.top, grown.Width(), grown.Height());
        } else {
            const widgets::PixelSize grown =
                widgets::GrownWindowSize({width(), height()}, growPercent, m_resizableAxes);
            resize(grown.width, grown.height);
        }
    }
}

void CSizingDialog::SetUpSizeGrip() {
    auto* grip = new QSizeGrip(this);
    grip->setObjectName(QString::fromLatin1(kSizeGripName));
    grip->setGeometry(width() - kSizeGripSize, height() - kSizeGripSize, kSizeGripSize,
                      kSizeGripSize);
    if (AddSizingControl(grip, widgets::kAnchorMove, widgets::kAnchorMove) == nullptr) {
        delete grip;
        m_sizeGripWanted = false;
        return;
    }
    grip->show();
    m_sizeGrip = grip;
}

const CSizingDialog::SizingEntry* CSizingDialog::AddSizingControl(QWidget* control,
                                                                  int horizontalMode,
                                                                  int verticalMode) {
    const widgets::EdgePercents percents = widgets::PercentsForModes(horizontalMode, verticalMode);
    if (control == nullptr || control->parentWidget() != this || !IsSizingInitialised() ||
        percents.IsFixed()) {
        return nullptr;
    }
    m_entries.push_front({control, ToPixelRect(control->geometry()), percents});
    const SizingEntry& entry = m_entries.front();
    // Placed for the current size at once, so a control registered after
    // the window has grown is where it belongs.
    PlaceControl(control, widgets::ResizedRect(entry.recorded, percents, width() - m_referenceWidth,
                                               height() - m_referenceHeight));
    return &entry;
}

void CSizingDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!IsSizingInitialised() || (windowState() & Qt::WindowMinimized)) {
        return;
    }
    RepositionControls(widgets::ClampedGrowth(width(), m_referenceWidth),
                       widgets::ClampedGrowth(height(), m_referenceHeight));
    update();
}

void CSizingDialog::RepositionControls(int dx, int dy) {
    for (const SizingEntry& entry : m_entries) {
        if (entry.control.isNull()) {
            continue;  // destroyed since it was registered
        }
        PlaceControl(entry.control, widgets::ResizedRect(entry.recorded, entry.percents, dx, dy));
    }
}
