#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "base/Operator.h"
#include "reports/ReportValue.h"

namespace convertor::cli {

// Messages to standard output, one per line; the last report kept for --report. With a progress
// stream (a terminal), the percentage of the source converted is redrawn in place on it.
class CliOperator : public Operator {
public:
    explicit CliOperator(std::ostream& out, std::ostream* progress = nullptr)
        : m_out(out), m_progress(progress) {}
    ~CliOperator() override { endProgress(); }

    void showMessage(const std::string& message) override;
    void setProgress(int percent) override;
    // Clears the progress line, so that what follows starts on a clean line.
    void endProgress();
    void setHashValue(const std::string& text) override { m_hashValue = text; }
    void showReport(ReportValue report) override { m_report = std::move(report); }

    const std::string& hashValue() const { return m_hashValue; }
    const std::optional<ReportValue>& report() const { return m_report; }

private:
    std::ostream& m_out;
    std::ostream* m_progress;
    int m_shown = -1;  // the percentage on the progress line, -1 when it is clear
    std::string m_hashValue;
    std::optional<ReportValue> m_report;
};

}  // namespace convertor::cli
