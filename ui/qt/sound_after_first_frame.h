// Tells the deferred sound when the window's first frame is on screen: after
// its first paint and the flush that follows it.
#pragma once

#include "deferred_sound.h"

#include <QObject>
#include <QWidget>

namespace marvesto {

class SoundAfterFirstFrame : public QObject, public DeferredSound {
    Q_OBJECT

public:
    // Passes the calls on to `cues`.
    SoundAfterFirstFrame(QWidget& window, CuePlayer& cues);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
};

} // namespace marvesto
