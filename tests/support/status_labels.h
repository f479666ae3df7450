// The status labels the tests look at most, by their roles.
#pragma once

#include "control.h"

namespace marvesto::testing {

inline const Control kOffer = Control::Label(StatusLabel::kOffer);
inline const Control kDeal = Control::Label(StatusLabel::kDeal);
inline const Control kPrompt = Control::Label(StatusLabel::kPrompt);
inline const Control kOwnCase = Control::Label(StatusLabel::kOwnCase);
inline const Control kEnd = Control::Label(StatusLabel::kEnd);
inline const Control kResult = Control::Label(StatusLabel::kResult);
inline const Control kHighScore = Control::Label(StatusLabel::kHighScore);

} // namespace marvesto::testing
