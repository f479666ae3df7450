// A text label of the game window: an opaque rectangle without border or
// margin. Its caption starts at the top-left corner, breaks at blanks when it
// is wider than the label, and whatever falls outside is clipped.
#pragma once

#include <QString>
#include <QWidget>

namespace marvesto {

class CaptionLabel : public QWidget {
    Q_OBJECT

public:
    // The background is the palette's Window colour, the text its WindowText.
    CaptionLabel(QString caption, QWidget* parent);

    const QString& caption() const { return caption_; }
    // Assistive technology hears of the change at once.
    void setCaption(const QString& caption);

    // A label that acts when clicked: assistive technology presents it as a
    // button that can be pressed, and names the keys that do the same.
    void makePressable(const QStringList& keys);
    bool isPressable() const { return !keys_.isEmpty(); }
    const QStringList& keys() const { return keys_; }

signals:
    // A left button pressed and released over the label, or the label
    // pressed from the keyboard or by assistive technology.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString caption_;
    QStringList keys_;
    bool pressed_ = false;
};

} // namespace marvesto
