#include "window_keys.h"

#include "control.h"

namespace marvesto {

const std::vector<LabelKeys>& PressableLabels() {
    static const std::vector<LabelKeys> labels{
        {StatusLabel::kDeal, {Key::D}},
        {StatusLabel::kEnd, {Key::Return, Key::Enter, Key::Space}},
    };
    return labels;
}

} // namespace marvesto
