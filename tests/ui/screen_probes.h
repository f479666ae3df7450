// What a screenshot of the game window shows at the places where the case
// buttons, the prize ladder and the labels stand, told by colour.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

namespace marvesto::testing {

inline const QColor kYellow(0xFF, 0xFF, 0x00);
inline const QColor kRed(0xFF, 0x00, 0x00);

// Where case button k stands in the window.
QRect CasePlace(int k);
// Whether most of the area has the colour, as where an opaque label is shown.
bool MostlyColoured(const QImage& screen, const QRect& area, const QColor& colour);
// Whether case button k is drawn rather than the window behind it; only where
// no label covers the buttons, that is before the final screen.
bool CaseShown(const QImage& screen, int k);
int CasesShown(const QImage& screen);
// How many prize ladder labels show their band's colour: none while the
// prompt covers the ladder.
int LadderLabelsShown(const QImage& screen);

} // namespace marvesto::testing
