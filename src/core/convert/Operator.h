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
    virtual void showReport(const ReportValue& report) = 0;
};

}  // namespace convertor
