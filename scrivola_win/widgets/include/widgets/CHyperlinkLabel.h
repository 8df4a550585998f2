#pragma once
// A static text that looks and behaves like a link: underlined, coloured
// (link, visited, hover), a hand cursor and a tooltip with the target; a
// click opens the target with its registered program.
#include <QColor>
#include <QLabel>
#include <QString>

class CHyperlinkLabel : public QLabel {
    Q_OBJECT
  public:
    // An empty target takes the text, an empty text shows the target.
    explicit CHyperlinkLabel(const QString& text = {}, const QString& linkTarget = {},
                             QWidget* parent = nullptr);

    void SetLinkTarget(const QString& target);
    QString LinkTarget() const { return m_linkTarget; }
    void SetUnderlined(bool underlined);
    bool IsUnderlined() const { return m_underlined; }

    bool IsVisited() const { return m_visited; }
    bool IsHovered() const { return m_hovered; }
    // The colour the text is drawn in now.
    QColor CurrentTextColor() const;

    // Shrinks the control to its text, keeping its alignment. Done on the
    // first show and whenever target or font change; call it again after
    // moving the control yourself.
    void FitToText();

    // Opens a file, web or mail address; the shell's result, above 32 on
    // success.
    static int OpenLink(const QString& target);
    // Warning box "Unable to open hyperlink:" with the text for the code.
    void ReportLinkError(int resultCode);

  signals:
    void LinkOpened(bool succeeded);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void ApplyLabelFont();
    void ApplyTextColor();
    void SetHovered(bool hovered);

    QColor m_linkColor{0, 0, 238};
    QColor m_visitedColor{85, 26, 139};
    QColor m_hoverColor;  // the palette's highlight
    bool m_hovered = false;
    bool m_visited = false;
    bool m_underlined = true;
    bool m_fitToText = true;
    bool m_fittedOnShow = false;
    QString m_linkTarget;
};
