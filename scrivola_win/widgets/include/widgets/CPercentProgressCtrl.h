#pragma once
// A progress bar painted as a yellow-to-blue gradient with the percentage
// written across it. Outside the open range (at or below the lower bound,
// at or above the upper bound) it shows a plain face without text.
#include <QColor>
#include <QProgressBar>

class CPercentProgressCtrl : public QProgressBar {
    Q_OBJECT
  public:
    explicit CPercentProgressCtrl(QWidget* parent = nullptr);

    // Stores both bounds and moves the position to the lower bound.
    void SetBarRange(int lower, int upper);
    void SetBarPos(int position);
    void SetShowPercentage(bool show);

    int BarLower() const { return m_lower; }
    int BarUpper() const { return m_upper; }
    int BarPos() const { return m_position; }
    bool ShowsPercentage() const { return m_showPercentage; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int m_lower = 0;
    int m_upper = 100;
    int m_position = 0;
    QColor m_gradientStart{255, 255, 0};
    QColor m_gradientEnd{0, 0, 255};
    QColor m_remainder;  // invalid: the palette's button face
    QColor m_textColor{255, 255, 255};
    bool m_showPercentage = false;
};
