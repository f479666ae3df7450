#include "program_on_display.h"

#include "screen_probes.h"
#include "test_paths.h"

#include <QElapsedTimer>
#include <QThread>

#include <stdexcept>

namespace marvesto::testing {

namespace {

constexpr unsigned long kScreenPollMilliseconds = 100;

} // namespace

QString GameProgram() {
    return QString::fromUtf8(paths::kGame);
}

PlayerFolder::PlayerFolder() {
    if (!folder_.isValid()) {
        throw std::runtime_error("no scratch folder: " + folder_.errorString().toStdString());
    }
}

std::filesystem::path PlayerFolder::File(const char* name) const {
    return folder_.filePath(QString::fromLatin1(name)).toStdString();
}

ProgramOnDisplay::ProgramOnDisplay(const TestDisplay& display, const Start& start)
    : display_(display) {
    EndWithTestProcess(process_);
    QProcessEnvironment environment = display.Environment();
    for (const auto& [name, value] : start.variables) {
        if (value.isNull()) {
            environment.remove(name);
        } else {
            environment.insert(name, value);
        }
    }
    process_.setProcessEnvironment(environment);
    process_.setWorkingDirectory(start.folder);
    process_.start(start.program, start.arguments);
    if (!process_.waitForStarted(static_cast<int>(kPatience.count()))) {
        failure_ = QStringLiteral("the program did not start: ") + process_.errorString();
        return;
    }
    window_ = display.WaitForWindow(QStringLiteral("Marvesto?"));
    if (window_ == 0) {
        failure_ = QStringLiteral("no window; the program is %1 and wrote \"%2\"")
                       .arg(Running() ? QStringLiteral("running") : QStringLiteral("gone"),
                            QString::fromLocal8Bit(process_.readAllStandardError()));
        return;
    }
    if (CasesShown(ScreenUntil(
            [](const QImage& screen) { return CasesShown(screen) == kCaseCount; })) != kCaseCount) {
        failure_ = QStringLiteral("the start screen never showed");
    }
}

ProgramOnDisplay::~ProgramOnDisplay() {
    if (Running()) {
        process_.kill();
        process_.waitForFinished();
    }
}

bool ProgramOnDisplay::Click(Control control) const {
    return ClickAt(Place(control).center());
}

bool ProgramOnDisplay::ClickAt(QPoint place) const {
    return display_
        .Run(QStringLiteral("xdotool"),
             {QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(window_),
              QString::number(place.x()), QString::number(place.y()), QStringLiteral("click"),
              QStringLiteral("1")})
        .Succeeded();
}

bool ProgramOnDisplay::Key(const QString& key) const {
    return display_
        .Run(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"),
                                         QString::number(window_), QStringLiteral("key"), key})
        .Succeeded();
}

bool ProgramOnDisplay::OpenCases(int last) const {
    for (int k = 1; k <= last; ++k) {
        if (!Click(Control::Command(k)) ||
            CaseShown(ScreenUntil([k](const QImage& screen) { return !CaseShown(screen, k); }),
                      k)) {
            return false;
        }
    }
    return true;
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
