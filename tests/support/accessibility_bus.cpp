#include "accessibility_bus.h"

#include "test_paths.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace marvesto::testing {

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");
const QString kReader =
    QString::fromUtf8(paths::kSource) + QStringLiteral("/tests/support/accessibility.py");

QJsonObject JsonLine(const QByteArray& line) {
    return QJsonDocument::fromJson(line).object();
}

} // namespace

std::vector<AccessibleControl> AccessibleControls(const TestDisplay& display) {
    const ToolRun run = display.Run(kPython, {kReader, QStringLiteral("controls")});
    std::vector<AccessibleControl> controls;
    if (!run.Succeeded()) {
        qWarning("reading the accessibility bus failed: %s", run.errors.constData());
        return controls;
    }
    for (const QByteArray& line : run.output.split('\n')) {
        if (line.isEmpty()) {
            continue;
        }
        const QJsonObject object = JsonLine(line);
        const QJsonArray box = object[QStringLiteral("box")].toArray();
        QStringList actions;
        for (const QJsonValue& action : object[QStringLiteral("actions")].toArray()) {
            actions.push_back(action.toString());
        }
        controls.push_back(
            {object[QStringLiteral("name")].toString(), object[QStringLiteral("role")].toString(),
             object[QStringLiteral("description")].toString(),
             object[QStringLiteral("showing")].toBool(), object[QStringLiteral("visible")].toBool(),
             QRect(box[0].toInt(), box[1].toInt(), box[2].toInt(), box[3].toInt()), actions});
    }
    return controls;
}

bool PressAccessible(const TestDisplay& display, const QString& name) {
    const ToolRun run = display.Run(kPython, {kReader, QStringLiteral("press"), name});
    if (!run.Succeeded()) {
        qWarning("pressing through the accessibility bus failed: %s", run.errors.constData());
    }
    return run.Succeeded();
}

AccessibilityEvents::AccessibilityEvents(const TestDisplay& display) {
    EndWithTestProcess(listener_);
    listener_.setProcessEnvironment(display.Environment());
    listener_.start(kPython,
                    {kReader, QStringLiteral("events"), QString::number(kPatience.count() / 1000)});
}

bool AccessibilityEvents::Ready() {
    while (!listener_.canReadLine() && listener_.state() != QProcess::NotRunning &&
           listener_.waitForReadyRead(static_cast<int>(kPatience.count()))) {
    }
    const bool ready = listener_.readLine().trimmed() == "ready";
    if (!ready) {
        qWarning("the listener failed: %s", listener_.readAllStandardError().constData());
    }
    return ready;
}

std::vector<AccessibleEvent> AccessibilityEvents::Stop() {
    listener_.terminate();
    listener_.waitForFinished(static_cast<int>(kPatience.count()));
    std::vector<AccessibleEvent> events;
    for (const QByteArray& line : listener_.readAllStandardOutput().split('\n')) {
        if (line.isEmpty()) {
            continue;
        }
        const QJsonObject object = JsonLine(line);
        events.push_back({object[QStringLiteral("type")].toString(),
                          object[QStringLiteral("name")].toString(),
                          object[QStringLiteral("detail")].toInt()});
    }
    return events;
}

} // namespace marvesto::testing
