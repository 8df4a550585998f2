#pragma once
// Dialog units: the layout unit of every front-end window. One horizontal
// unit is a quarter of the dialog font's average character width, one
// vertical unit an eighth of its height, so the windows scale with the
// system's font instead of being laid out in fixed pixels.
#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

struct DialogBaseUnits {
    int x = 0;  // average character width of the dialog font, in pixels
    int y = 0;  // character height of the dialog font, in pixels
};

// Base units from average character width and height, as the measure of
// the 52 Latin letters gives them.
DialogBaseUnits BaseUnitsOf(const QFont& dialogFont);

class DialogUnits {
  public:
    explicit DialogUnits(DialogBaseUnits base) : m_base(base) {}
    // The base units of the application's default font.
    static DialogUnits ForDefaultFont();
    static DialogUnits ForFont(const QFont& font) { return DialogUnits(BaseUnitsOf(font)); }

    DialogBaseUnits Base() const { return m_base; }

    // Single coordinates, rounded to the nearest pixel.
    int X(int dialogUnitsX) const;
    int Y(int dialogUnitsY) const;

    // Rectangle (x, y, width, height in dialog units) to pixels. Edges are
    // converted one by one, so controls that touch in dialog units touch in
    // pixels too.
    QRect ToPixels(int x, int y, int width, int height) const;
    QSize ToPixels(int width, int height) const;

    // Places a control on its parent at a dialog-unit rectangle.
    void Place(QWidget* control, int x, int y, int width, int height) const;

  private:
    DialogBaseUnits m_base;
};
