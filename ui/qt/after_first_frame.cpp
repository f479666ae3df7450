#include "after_first_frame.h"

#include <QEvent>
#include <QTimer>

#include <utility>

namespace marvesto {

namespace {

class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget& window, QObject& owner, std::function<void()> work)
        : QObject(&owner), window_(window), work_(std::move(work)) {
        window_.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Paint) {
            window_.removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                work_();
                deleteLater();
            });
        }
        return false;
    }

private:
    QWidget& window_;
    std::function<void()> work_;
};

} // namespace

void AfterFirstFrame(QWidget& window, QObject& owner, std::function<void()> work) {
    new FirstPaintWatch(window, owner, std::move(work));
}

} // namespace marvesto
