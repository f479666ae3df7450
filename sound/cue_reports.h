// What the player is told of cues that cannot be heard, on standard error,
// the same for every platform's player: that there is no sound, once for the
// run; that a file cannot be played, once for each file, however many cues
// ask for it.
#pragma once

#include <set>
#include <string>

namespace marvesto {

class CueReports {
public:
    void NoSound(const std::string& reason);
    void CannotPlay(const std::string& fileName, const std::string& reason);

private:
    bool toldNoSound_ = false;
    std::set<std::string> toldFiles_;
};

} // namespace marvesto
