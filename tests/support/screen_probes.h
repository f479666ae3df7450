// What a screenshot of the game window shows where each control stands, told
// by colour. Places and colours come from the window's own layout tables.
#pragma once

#include "control.h"

#include <QColor>
#include <QImage>
#include <QRect>

namespace marvesto::testing {

// Where the control stands in the window, in pixels at 96 dpi.
QRect Place(Control control);
// Whether the label is drawn: for labels whose background differs from the
// window's yellow, and only where no other label covers them.
bool LabelShown(const QImage& screen, Control label);
// Whether case button k is drawn rather than the window behind it; only where
// no label covers the buttons, that is before the final screen.
bool CaseShown(const QImage& screen, int k);
int CasesShown(const QImage& screen);
// How many prize ladder labels show their band's colour: none while the
// prompt covers the ladder.
int LadderLabelsShown(const QImage& screen);

} // namespace marvesto::testing
