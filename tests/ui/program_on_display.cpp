#include "program_on_display.h"

#include <QElapsedTimer>
#include <QThread>

namespace marvesto::testing {

namespace {

constexpr unsigned long kScreenPollMilliseconds = 100;

} // namespace

ProgramOnDisplay::ProgramOnDisplay(const XvfbDisplay& display, const QString& program,
                                   const QString& folder)
    : display_(display) {
    EndWithTestProcess(process_);
    process_.setProcessEnvironment(display.Environment());
    process_.setWorkingDirectory(folder);
    process_.start(program, {});
    if (!process_.waitForStarted(static_cast<int>(kPatience.count()))) {
        failure_ = QStringLiteral("the program did not start: ") + process_.errorString();
        return;
    }
    window_ = display.WaitForWindow(QStringLiteral("Marvesto?"), kPatience);
    if (window_ == 0) {
        failure_ = QStringLiteral("no window; the program is %1 and wrote \"%2\"")
                       .arg(Running() ? QStringLiteral("running") : QStringLiteral("gone"),
                            QString::fromLocal8Bit(process_.readAllStandardError()));
    }
}

ProgramOnDisplay::~ProgramOnDisplay() {
    if (Running()) {
        process_.kill();
        process_.waitForFinished();
    }
}

bool ProgramOnDisplay::Click(QPoint place) const {
    return display_
        .Run(QStringLiteral("xdotool"),
             {QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(window_),
              QString::number(place.x()), QString::number(place.y()), QStringLiteral("click"),
              QStringLiteral("1")})
        .Succeeded();
}

QImage ProgramOnDisplay::Screen() const {
    return display_.Screenshot(window_);
}

QImage ProgramOnDisplay::ScreenUntil(const std::function<bool(const QImage&)>& condition) const {
    QElapsedTimer waited;
    waited.start();
    QImage screen = Screen();
    while (!condition(screen) && waited.elapsed() < kPatience.count()) {
        QThread::msleep(kScreenPollMilliseconds);
        screen = Screen();
    }
    return screen;
}

bool ProgramOnDisplay::RequestClose() const {
    return display_.RequestClose(window_);
}

bool ProgramOnDisplay::WaitForEnd() {
    return process_.waitForFinished(static_cast<int>(kPatience.count()));
}

int ProgramOnDisplay::ExitStatus() const {
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

} // namespace marvesto::testing
