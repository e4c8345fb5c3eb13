#include "converter/GuiOperator.h"

#include <QDir>

#include "reports/ReportCopy.h"
#include "reports/ReportValue.h"

namespace convertor {

GuiOperator::GuiOperator(QObject* parent) : QObject(parent) {
    qRegisterMetaType<std::shared_ptr<convertor::ReportValue>>();
}

void GuiOperator::showMessage(const std::string& message) {
    emit messageShown(QString::fromStdString(message));
}

void GuiOperator::setProgress(int percent) {
    emit progressChanged(percent);
}

void GuiOperator::setHashValue(const std::string& text) {
    emit hashValueChanged(QString::fromStdString(text));
}

void GuiOperator::showReport(ReportValue report) {
    // The window shows the report after the run, and the next run empties the tables: the rows
    // are copied here, on the run's thread, into a file the report keeps, which the preview reads a
    // page at a time.
    std::shared_ptr<ReportValue> shown;
    try {
        shown =
            std::make_shared<ReportValue>(ReportCopy::make(report, QDir::tempPath().toStdString())->report());
    } catch (const std::exception& error) {
        // The run itself is done and committed: only its report is lost.
        emit messageShown(tr("The report cannot be shown: %1").arg(QString::fromStdString(error.what())));
        return;
    }
    emit reportShown(shown);
}

bool GuiOperator::confirmRepeat(const std::string& earlierRun) {
    bool convertAgain = false;
    emit repeatAsked(QString::fromStdString(earlierRun), &convertAgain);
    return convertAgain;
}

void GuiOperator::warn(const std::string& text) {
    emit warningShown(QString::fromStdString(text));
}

}  // namespace convertor
