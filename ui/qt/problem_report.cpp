#include "problem_report.h"

#include <QMessageBox>
#include <QString>

namespace marvesto {

namespace {

QString Title() {
    return QString::fromUtf8(kProblemTitle.data(), static_cast<qsizetype>(kProblemTitle.size()));
}

} // namespace

void ReportRunTimeError(QWidget* parent, const std::string& message) {
    QMessageBox::critical(parent, Title(), QString::fromStdString(RunTimeErrorText(message)));
}

void StoreFailureReport::operator()(const std::string& message) {
    if (filter_.IsNew(message)) {
        QMessageBox::warning(parent_, Title(), QString::fromStdString(message));
    }
}

} // namespace marvesto
