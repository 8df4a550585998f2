#pragma once
// A push button drawn by the program: an icon beside or above the caption,
// a flat face that highlights while the mouse is over it, or a classic
// raised face when the flat look is off.
#include <QColor>
#include <QIcon>
#include <QPushButton>

class CHoverIconButton : public QPushButton {
    Q_OBJECT
  public:
    explicit CHoverIconButton(const QString& caption = {}, QWidget* parent = nullptr);

    // The hover icon is drawn while hovered or pressed, the normal icon
    // otherwise; a null normal icon means the hover icon serves for both.
    // Width and height are the icon size used for layout.
    void SetIcons(const QIcon& hoverIcon, const QIcon& normalIcon, int width, int height);
    void SetFlatLook(bool flat);
    // 0: icon left of the caption, 1: icon above it. Other values only repaint.
    void SetIconPlacement(int placement);
    void SetHoverFillColor(const QColor& color, bool repaintNow = true);

    bool IsHovered() const { return m_hovered; }
    bool IsFlatLook() const { return m_flatLook; }
    int IconPlacement() const { return m_iconPlacement; }
    QColor HoverFillColor() const { return m_hoverFill; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void SetHovered(bool hovered);

    int m_iconPlacement = 0;
    bool m_showCaption = true;
    bool m_hoverBorder = true;
    bool m_flatLook = true;
    bool m_hovered = false;
    bool m_focusFrameWhenFlat = false;
    QIcon m_hoverIcon;
    QIcon m_normalIcon;
    int m_iconHeight = 0;
    int m_iconWidth = 0;
    QColor m_normalFill;
    QColor m_normalText;
    QColor m_hoverFill;
    QColor m_hoverText;
};
