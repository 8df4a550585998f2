#pragma once
// Base of the resizable dialogs. After InitSizing the dialog cannot be made
// smaller than it was then, shows a size grip in its bottom-right corner,
// opens larger than its layout, and moves or stretches the registered
// controls by fixed percentages of the growth of its client area.
//
// A derived dialog creates and places its controls, sizes itself to its
// layout, then calls InitSizing and registers its controls with
// AddSizingControl.
#include <QDialog>
#include <QPointer>
#include <QRect>
#include <list>

#include "widgets/SizingLayout.h"

class QSizeGrip;

class CSizingDialog : public QDialog {
    Q_OBJECT
  public:
    // The size grip's object name, the id it has in the dialog.
    static constexpr const char* kSizeGripName = "65535";

    struct SizingEntry {
        QPointer<QWidget> control;
        widgets::PixelRect recorded;  // in the dialog's client coordinates
        widgets::EdgePercents percents;
    };

    explicit CSizingDialog(QWidget* parent = nullptr);

    // Records the current size as reference and minimum, sets up the size
    // grip and enlarges the window by the grow percent (each edge moves out
    // by size * growPercent / 50).
    virtual void InitSizing(int growPercent = 10);
    bool IsSizingInitialised() const { return m_referenceWidth >= 0; }

    // Registers a control with an anchor mode per axis (widgets::AnchorMode).
    // Nothing is registered (nullptr) before InitSizing, for a control that
    // is not a child of this dialog, or when both modes are fixed.
    const SizingEntry* AddSizingControl(QWidget* control, int horizontalMode, int verticalMode);

    // 1 horizontal, 2 vertical; an axis that is not resizable keeps its
    // minimum size. Takes effect at InitSizing.
    void SetResizableAxes(int axes) { m_resizableAxes = axes; }

    QSize ReferenceClientSize() const { return {m_referenceWidth, m_referenceHeight}; }
    QSizeGrip* SizeGrip() const { return m_sizeGrip; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void SetUpSizeGrip();
    void RepositionControls(int dx, int dy);

    std::list<SizingEntry> m_entries;  // newest first
    int m_referenceWidth = -1;
    int m_referenceHeight = 0;
    int m_minimumWidth = 0;
    int m_minimumHeight = 0;
    int m_resizableAxes = widgets::kResizeBoth;
    QSizeGrip* m_sizeGrip = nullptr;
    bool m_sizeGripWanted = true;
};
