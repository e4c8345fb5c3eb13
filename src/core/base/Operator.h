#pragma once

#include <string>

namespace convertor {

struct ReportValue;

// How a run talks back to the person (or program) that started it. Texts are UTF-8.
class Operator {
public:
    virtual ~Operator() = default;
    virtual void showMessage(const std::string& message) = 0;
    virtual void setProgress(int percent) = 0;
    virtual void setHashValue(const std::string& text) = 0;
    // Taken by value: a detail report can hold many rows, and the receiver may keep it.
    virtual void showReport(ReportValue report) = 0;
    // Asked before a run converts inputs that a completed run converted before; earlierRun says
    // when and where ("this file was converted on ..."). True goes on with the run.
    virtual bool confirmRepeat(const std::string& earlierRun) = 0;
    // Something the operator should know that does not change the run's outcome.
    virtual void warn(const std::string& /*text*/) {}
    // Whether the operator asked the run to stop (an interrupt); the run then ends with an error,
    // writing nothing.
    virtual bool interrupted() const { return false; }
};

}  // namespace convertor
