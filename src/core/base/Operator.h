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
    // Something the run could not do that changes neither its outcome nor its outputs.
    virtual void warn(const std::string& text) = 0;
};

}  // namespace convertor
