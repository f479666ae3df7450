#include "problem_report.h"

#include <QMessageBox>
#include <QString>

#include <cstdio>

namespace marvesto {

namespace {

const QString kTitle = QStringLiteral("Marvesto?");

} // namespace

void ReportRunTimeError(QWidget* parent, const std::string& message) {
    std::fprintf(stderr, "marvesto: run-time error: %s\n", message.c_str());
    QMessageBox::critical(parent, kTitle,
                          QStringLiteral("Run-time error:\n\n%1\n\nThe game ends now.")
                              .arg(QString::fromStdString(message)));
}

void StoreFailureReport::operator()(const std::string& message) {
    if (message == lastTold_) {
        return;
    }
    lastTold_ = message;
    std::fprintf(stderr, "marvesto: %s\n", message.c_str());
    QMessageBox::warning(parent_, kTitle, QString::fromStdString(message));
}

} // namespace marvesto
