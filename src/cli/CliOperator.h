#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "EarlyReport.h"
#include "base/Operator.h"
#include "reports/ReportValue.h"

namespace convertor::cli {

// Messages to standard output, one per line; the last report kept for --report. With a progress
// stream (a terminal), the percentage of the source converted is redrawn in place on it.
class CliOperator : public Operator {
public:
    // early: where the detail report is written while the bank file is finished, if anywhere.
    explicit CliOperator(std::ostream& out, std::ostream* progress = nullptr, EarlyReport* early = nullptr)
        : m_out(out), m_progress(progress), m_early(early) {}
    ~CliOperator() override { endProgress(); }

    void showMessage(const std::string& message) override;
    void setProgress(int percent) override;
    // Clears the progress line, so that what follows starts on a clean line.
    void endProgress();
    void setHashValue(const std::string& text) override { m_hashValue = text; }
    void showReport(ReportValue report) override { m_report = std::move(report); }
    std::string earlyReportPlaceholder() override;
    void beginReport(ReportValue&& report) override;
    void endReportRows(bool abandon) override;

    const std::string& hashValue() const { return m_hashValue; }
    const std::optional<ReportValue>& report() const { return m_report; }

private:
    std::ostream& m_out;
    std::ostream* m_progress;
    EarlyReport* m_early;
    int m_shown = -1;  // the percentage on the progress line, -1 when it is clear
    std::string m_hashValue;
    std::optional<ReportValue> m_report;
};

}  // namespace convertor::cli
