#include "problem_report.h"

#include "wide_text.h"

namespace marvesto {

void ReportRunTimeError(HWND owner, const std::string& message) {
    MessageBoxW(owner, Widened(RunTimeErrorText(message)).c_str(), Widened(kProblemTitle).c_str(),
                MB_OK | MB_ICONERROR);
}

void StoreFailureReport::operator()(const std::string& message) {
    if (filter_.IsNew(message)) {
        MessageBoxW(owner_, Widened(message).c_str(), Widened(kProblemTitle).c_str(),
                    MB_OK | MB_ICONWARNING);
    }
}

} // namespace marvesto
