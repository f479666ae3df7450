// Where every control of the window stands and how it looks. Positions and
// sizes are in twips, 1/1440 inch; 15 twips make one pixel at 96 dpi.
#pragma once

#include "typeface.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

namespace marvesto {

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

// Pixels at 96 dpi; Qt scales them on screens of other resolutions.
QRect ToPixels(const TwipRect& twips);

struct WindowLayout {
    QString name;
    QString title;
    TwipRect clientArea;
    QColor background;
    // Also the font of every label that names none of its own.
    FontSpec font;
};

struct CaseButtonLayout {
    int number;
    QString caption;
    TwipRect place;
    FontSpec font;
};

struct LabelLayout {
    int number;
    QString caption;
    TwipRect place;
    // Empty: the window's font.
    std::optional<FontSpec> font;
    // Empty: the platform's colour for the text of a push button, where it
    // reads on the background.
    std::optional<QColor> text;
    QColor background;
    bool shownAtStart;
};

WindowLayout MainWindowLayout();
// Command1 to Command26, in their keyboard focus order.
std::vector<CaseButtonLayout> CaseButtonLayouts();
// Label1 to Label34 and Label44, from the bottom of the stack to the top.
std::vector<LabelLayout> LabelLayouts();

} // namespace marvesto
