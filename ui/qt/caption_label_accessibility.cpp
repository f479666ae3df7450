#include "caption_label_accessibility.h"

#include "caption_label.h"

#include <QAccessibleWidget>

namespace marvesto {

namespace {

class AccessibleCaptionLabel : public QAccessibleWidget {
public:
    explicit AccessibleCaptionLabel(CaptionLabel* label) : QAccessibleWidget(label) {}

    QAccessible::Role role() const override {
        return Label()->isPressable() ? QAccessible::Button : QAccessible::StaticText;
    }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? Label()->caption() : QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override {
        return Label()->isPressable() ? QStringList{pressAction()} : QStringList();
    }

    void doAction(const QString& action) override {
        if (action == pressAction() && Label()->isPressable()) {
            emit Label()->clicked();
        }
    }

    QStringList keyBindingsForAction(const QString& action) const override {
        return action == pressAction() ? Label()->keys() : QStringList();
    }

private:
    CaptionLabel* Label() const { return static_cast<CaptionLabel*>(widget()); }
};

QAccessibleInterface* CaptionLabelInterface(const QString& /*className*/, QObject* object) {
    auto* label = qobject_cast<CaptionLabel*>(object);
    return label != nullptr ? new AccessibleCaptionLabel(label) : nullptr;
}

} // namespace

void InstallCaptionLabelAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(CaptionLabelInterface);
        return true;
    }();
    static_cast<void>(installed);
}

} // namespace marvesto
