#include "problem_report.h"

#include <QMessageBox>
#include <QString>

#include <iostream>

namespace marvesto {

namespace {

const QString kTitle = QStringLiteral("Marvesto?");

} // namespace

void ReportRunTimeError(QWidget* parent, const std::string& message) {
    std::cerr << "marvesto: run-time error: " << message << std::endl;
    QMessageBox::critical(parent, kTitle,
                          QStringLiteral("Run-time error:\n\n%1\n\nThe game ends now.")
                              .arg(QString::fromStdString(message)));
}

void StoreFailureReport::operator()(const std::string& message) {
    if (message == lastTold_) {
        return;
    }
    lastTold_ = message;
    std::cerr << "marvesto: " << message << std::endl;
    QMessageBox::warning(parent_, kTitle, QString::fromStdString(message));
}

} // namespace marvesto
