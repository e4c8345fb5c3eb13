#include "converter/GuiOperator.h"

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
    // The window shows the report after the run, on its own thread: it gets the rows, not the tables.
    report.loadRows();
    emit reportShown(std::make_shared<ReportValue>(std::move(report)));
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
