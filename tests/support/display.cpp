#include "display.h"

#include <QProcess>

#include <sys/prctl.h>

#include <csignal>

namespace marvesto::testing {

ToolRun RunTool(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment, std::chrono::milliseconds limit) {
    constexpr int kStopMilliseconds = 5000;
    QProcess tool;
    tool.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    tool.setProcessEnvironment(environment);
    tool.start(program, arguments);
    ToolRun run;
    run.finished = tool.waitForFinished(static_cast<int>(limit.count()));
    if (!run.finished) {
        tool.kill();
        tool.waitForFinished(kStopMilliseconds);
    }
    run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.output = tool.readAllStandardOutput();
    run.errors = tool.readAllStandardError();
    return run;
}

} // namespace marvesto::testing
