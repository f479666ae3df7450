// Running a tool to its end from a test, with its output and status.
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <chrono>

namespace marvesto::testing {

// How long a tool may take: generous, so that a loaded machine slows a test
// down without failing it.
inline constexpr std::chrono::milliseconds kPatience{30000};

struct ToolRun {
    bool finished = false;
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;

    bool Succeeded() const { return finished && exitCode == 0; }
};

// Runs a tool to its end, or kills it once the time is up; it also ends if
// the test process dies.
ToolRun RunTool(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                std::chrono::milliseconds limit = kPatience);

} // namespace marvesto::testing
