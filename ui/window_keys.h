// The keys the window answers beyond those of its case buttons, which move
// the focus (Tab, Shift+Tab) and press the focused case (Space) as any push
// button does. Each front end maps these to its toolkit's keys.
#pragma once

#include <vector>

namespace marvesto {

// Return is the main keyboard's, Enter the keypad's.
enum class Key { D, Return, Enter, Space };

struct LabelKeys {
    int label;
    std::vector<Key> keys;
};

// The keys that act like a click on a label while it is shown, pressed
// without Ctrl, Alt or the logo key: D takes the offer, and on the final
// screen Return, Enter or Space ends the session. Space reaches the window
// only when no case button has the focus.
const std::vector<LabelKeys>& PressableLabels();

} // namespace marvesto
