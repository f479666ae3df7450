// The child window id of each control of the Win32 window, which names the
// control to the outside: 1000 + k for Command k, 2000 + n for Label n. Both
// lie clear of IDOK and IDCANCEL, the commands the dialog keys send.
#pragma once

#include <string>

namespace marvesto {

constexpr int kCommandIdBase = 1000;
constexpr int kLabelIdBase = 2000;

inline int CommandId(int k) {
    return kCommandIdBase + k;
}

inline int LabelId(int n) {
    return kLabelIdBase + n;
}

// "Command7", "Label28"; empty for an id that names no control.
inline std::string ControlName(int id) {
    if (id > kLabelIdBase) {
        return "Label" + std::to_string(id - kLabelIdBase);
    }
    if (id > kCommandIdBase) {
        return "Command" + std::to_string(id - kCommandIdBase);
    }
    return {};
}

} // namespace marvesto
