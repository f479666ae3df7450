#include "spoken_news.h"

#include "caption_label.h"

#include <QAccessibleInterface>
#include <QEvent>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace marvesto {

namespace {

// A notification of the window's, outside its tree of controls: it stands
// for one piece of news, not for a control, and takes the place of the label
// it tells.
class Notification : public QAccessibleInterface {
public:
    Notification(QWidget& label, QString words, QString hint)
        : label_(label), words_(std::move(words)), hint_(std::move(hint)) {}

    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return Window()->window(); }
    QAccessibleInterface* parent() const override { return Window(); }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name          ? words_
               : kind == QAccessible::Description ? hint_
                                                  : QString();
    }
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}
    QRect rect() const override { return QAccessible::queryAccessibleInterface(&label_)->rect(); }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    QAccessibleInterface* Window() const {
        return QAccessible::queryAccessibleInterface(label_.window());
    }

    QWidget& label_;
    QString words_;
    QString hint_;
};

} // namespace

SpokenNews::SpokenNews(MarvestoWindow& window) : window_(window) {
    window.installEventFilter(this);
}

SpokenNews::~SpokenNews() {
    for (const QAccessible::Id id : told_) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

void SpokenNews::Tell(const News& news) {
    if (active_) {
        Announce(news);
    } else {
        waiting_.push_back(news);
    }
}

bool SpokenNews::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::WindowActivate && !active_) {
        active_ = true;
        for (const News& news : waiting_) {
            Announce(news);
        }
        waiting_.clear();
    }
    return false;
}

CaptionLabel& SpokenNews::Label(Control label) const {
    return *window_.findChild<CaptionLabel*>(QString::fromStdString(label.Name()),
                                             Qt::FindDirectChildrenOnly);
}

void SpokenNews::Announce(const News& news) {
    // Without assistive technology nobody would read it.
    if (!QAccessible::isActive()) {
        return;
    }
    QString hint;
    if (news.action) {
        const QStringList& names = Label(*news.action).keys();
        std::vector<std::string> keys;
        std::transform(names.begin(), names.end(), std::back_inserter(keys),
                       [](const QString& key) { return key.toStdString(); });
        hint = QString::fromStdString(PressHint(*news.action, keys));
    }
    CaptionLabel& label = Label(news.label);
    auto* notification = new Notification(label, label.caption(), hint);
    told_.push_back(QAccessible::registerAccessibleInterface(notification));
    QAccessibleEvent appeared(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&appeared);
}

} // namespace marvesto
