// Tells a screen reader the board's news as it comes. Qt 6.4 has no event
// that asks a screen reader to say something, and Orca reads out a
// notification that appears: so each piece of news is an accessible
// notification of the window's, named by the caption it tells, described by
// how to act on it, that appears once. Nothing is drawn for it: the window
// looks the same with a screen reader or without.
#pragma once

#include "board_news.h"
#include "caption_label.h"
#include "control.h"
#include "marvesto_window.h"

#include <QAccessible>
#include <QObject>

#include <vector>

namespace marvesto {

class SpokenNews : public QObject, public NewsListener {
    Q_OBJECT

public:
    explicit SpokenNews(MarvestoWindow& window);
    ~SpokenNews() override;

    // News that comes before the window is first active waits for it: until
    // then no screen reader knows the window.
    void Tell(const News& news) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CaptionLabel& Label(Control label) const;
    void Announce(const News& news);

    MarvestoWindow& window_;
    std::vector<News> waiting_;
    bool active_ = false;
    // Each notification is kept to the end: a screen reader reads it some
    // time after it appeared.
    std::vector<QAccessible::Id> told_;
};

} // namespace marvesto
