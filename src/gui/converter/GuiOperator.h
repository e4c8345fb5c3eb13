#pragma once

#include <QObject>
#include <QString>

#include <memory>

#include "base/Operator.h"

namespace convertor {

struct ReportValue;

// The run's Operator for the window program. The run goes on a worker thread, so every call is
// handed to the window's thread as a signal; a message waits there until the operator has
// pressed OK, so the run's messages come in their order and each one is read before it goes on.
class GuiOperator : public QObject, public Operator {
    Q_OBJECT

public:
    explicit GuiOperator(QObject* parent = nullptr);

    void showMessage(const std::string& message) override;
    void setProgress(int percent) override;
    void setHashValue(const std::string& text) override;
    void showReport(ReportValue report) override;
    // The run waits for the answer; No when nobody is left to answer.
    bool confirmRepeat(const std::string& earlierRun) override;
    void warn(const std::string& text) override;

signals:
    void messageShown(const QString& text);
    void progressChanged(int percent);
    void hashValueChanged(const QString& text);
    void reportShown(std::shared_ptr<convertor::ReportValue> report);
    // A receiver sets *convertAgain.
    void repeatAsked(const QString& earlierRun, bool* convertAgain);
    void warningShown(const QString& text);
};

}  // namespace convertor
