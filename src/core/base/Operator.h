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

    // An operator that writes a detail report to a file may start on it once the rows are all in
    // the tables, while the bank file is finished. It returns the text of 40 characters the
    // report shows in place of the digest until the run ends; none: the report waits for the end.
    virtual std::string earlyReportPlaceholder() { return {}; }
    // The report as it will be shown, with the placeholder for the digest still to come.
    virtual void beginReport(ReportValue&& /*report*/) {}
    // Returns once the report no longer reads the tables; abandon: the run is failing, the report
    // is not wanted.
    virtual void endReportRows(bool /*abandon*/) {}
};

}  // namespace convertor
