// The reports the player sees: a message box, and the same on standard error.
#include "problem_report.h"
#include "stderr_capture.h"
#include "suites.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace marvesto;
using marvesto::testing::StderrCapture;

namespace {

struct Shown {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int boxes = 0;
    QString standardError;
};

// Runs the report, answers the message box it opens, and collects what was
// shown and what went to standard error.
template <typename Report>
Shown Capture(Report report) {
    Shown shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown.title = box->windowTitle();
            shown.text = box->text();
            shown.icon = box->icon();
            ++shown.boxes;
            box->accept();
        }
    });
    closer.start(10);

    StderrCapture errors;
    report();
    for (const std::string& line : errors.Finish()) {
        shown.standardError += QString::fromStdString(line) + '\n';
    }
    return shown;
}

} // namespace

class ProblemReportTest : public QObject {
    Q_OBJECT

private slots:
    void runTimeErrorIsShownAndWrittenToStandardError() {
        const Shown shown =
            Capture([] { ReportRunTimeError(nullptr, "Overflow: a 16-bit counter passed 32767"); });
        QCOMPARE(shown.title, QStringLiteral("Marvesto?"));
        QCOMPARE(shown.icon, QMessageBox::Critical);
        QVERIFY2(shown.text.contains("Overflow: a 16-bit counter passed 32767"),
                 qPrintable(shown.text));
        QCOMPARE(shown.standardError,
                 QStringLiteral("marvesto: run-time error: Overflow: a 16-bit counter passed "
                                "32767\n"));
    }

    // A deal saves twice; the player hears of the same failure once, and of a
    // different one again.
    void storeFailureIsShownAsAWarningOnce() {
        StoreFailureReport report(nullptr);
        const Shown shown = Capture([&report] {
            report("Cannot save the high score to Print.txt: disk full");
            report("Cannot save the high score to Print.txt: disk full");
        });
        QCOMPARE(shown.boxes, 1);
        QCOMPARE(shown.icon, QMessageBox::Warning);
        QCOMPARE(shown.text, QStringLiteral("Cannot save the high score to Print.txt: disk full"));
        QCOMPARE(shown.standardError,
                 QStringLiteral("marvesto: Cannot save the high score to Print.txt: disk full\n"));
        const Shown other = Capture([&report] { report("Cannot save: read-only"); });
        QCOMPARE(other.boxes, 1);
    }
};

MARVESTO_TEST_SUITE(ProblemReportTest)
#include "problem_report_test.moc"
