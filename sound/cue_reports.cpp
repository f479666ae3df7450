#include "cue_reports.h"

#include <cstdio>

namespace marvesto {

void CueReports::NoSound(const std::string& reason) {
    if (!toldNoSound_) {
        toldNoSound_ = true;
        std::fprintf(stderr, "Marvesto: no sound: %s\n", reason.c_str());
    }
}

void CueReports::CannotPlay(const std::string& fileName, const std::string& reason) {
    if (toldFiles_.insert(fileName).second) {
        std::fprintf(stderr, "Marvesto: cannot play %s: %s\n", fileName.c_str(), reason.c_str());
    }
}

} // namespace marvesto
