#include "screen_probes.h"

#include "prize_ladder.h"
#include "window_layout.h"

#include <stdexcept>

namespace marvesto::testing {

namespace {

const LabelLayout& LayoutOf(Control label) {
    static const std::vector<LabelLayout> labels = LabelLayouts();
    for (const LabelLayout& layout : labels) {
        if (Control::Label(layout.number) == label) {
            return layout;
        }
    }
    throw std::logic_error(label.Name() + " is no label");
}

// Whether most of the area has the colour, as where an opaque label is shown.
bool MostlyColoured(const QImage& screen, const QRect& area, const QColor& colour) {
    if (!screen.rect().contains(area)) {
        return false;
    }
    int matching = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            matching += screen.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return 2 * matching > area.width() * area.height();
}

} // namespace

QRect Place(Control control) {
    static const std::vector<CaseButtonLayout> buttons = CaseButtonLayouts();
    for (const CaseButtonLayout& button : buttons) {
        if (Control::Command(button.number) == control) {
            return ToPixels(button.place);
        }
    }
    return ToPixels(LayoutOf(control).place);
}

bool LabelShown(const QImage& screen, Control label) {
    return MostlyColoured(screen, Place(label), LayoutOf(label).background);
}

bool CaseShown(const QImage& screen, int k) {
    const QRect place = Place(Control::Command(k));
    return screen.rect().contains(place) &&
           !MostlyColoured(screen, place, MainWindowLayout().background);
}

int CasesShown(const QImage& screen) {
    int shown = 0;
    for (int k = 1; k <= kCaseCount; ++k) {
        shown += CaseShown(screen, k) ? 1 : 0;
    }
    return shown;
}

int LadderLabelsShown(const QImage& screen) {
    int shown = 0;
    for (int prize = 1; prize <= kPrizeCount; ++prize) {
        shown += LabelShown(screen, Control::Label(prize)) ? 1 : 0;
    }
    return shown;
}

} // namespace marvesto::testing
