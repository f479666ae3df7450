// Prints where the game window and its controls stand, and their background
// colours, from the window's own layout tables, so that bench/run-benchmarks
// clicks and looks where the window really has them:
//
//     NAME LEFT TOP WIDTH HEIGHT RRGGBB      (window pixels at 96 dpi)
#include "control.h"
#include "layout_in_qt.h"

#include <cstdio>
#include <string>

int main() {
    using namespace marvesto;
    const auto print = [](const std::string& name, const TwipRect& twips, Rgb background) {
        const QRect place = ToQRect(twips);
        std::printf("%s %d %d %d %d %s\n", name.c_str(), place.x(), place.y(), place.width(),
                    place.height(), qPrintable(ToQColor(background).name().mid(1)));
    };
    const WindowLayout window = MainWindowLayout();
    print("window", window.clientArea, window.background);
    for (const CaseButtonLayout& button : CaseButtonLayouts()) {
        // A push button's face is the platform's colour, not the layout's.
        print(Control::Command(button.number).Name(), button.place, window.background);
    }
    for (const LabelLayout& label : LabelLayouts()) {
        print(Control::Label(label.number).Name(), label.place, label.background);
    }
    return 0;
}
