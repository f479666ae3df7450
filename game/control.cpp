#include "control.h"

#include "run_time_error.h"

namespace marvesto {

Control Control::Command(int number) {
    if (number < 1 || number > kCaseCount) {
        throw RunTimeError("There is no case button Command" + std::to_string(number));
    }
    return {Kind::Command, static_cast<std::int16_t>(number)};
}

Control Control::Label(int number) {
    if ((number < 1 || number > kLastNumberedLabel) && number != StatusLabel::kHighScore) {
        throw RunTimeError("There is no label Label" + std::to_string(number));
    }
    return {Kind::Label, static_cast<std::int16_t>(number)};
}

std::string Control::Name() const {
    return (kind_ == Kind::Command ? "Command" : "Label") + std::to_string(number_);
}

} // namespace marvesto
