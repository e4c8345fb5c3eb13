#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "base/Operator.h"
#include "reports/ReportValue.h"

namespace convertor::cli {

// Messages to standard output, one per line; the last report kept for --report. With a progress
// stream (a terminal), the percentage of the source converted is redrawn in place on it. A repeated
// run is told on the error stream and goes on, or with refuseRepeats is told on standard output
// and refused; warnings are kept for the end of the run.
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
    bool confirmRepeat(const std::string& earlierRun) override;
    void warn(const std::string& text) override { m_warnings.push_back(text); }

    // Without it, a repeated run goes on untold.
    void setRepeatHandling(std::ostream& err, bool refuseRepeats) {
        m_err = &err;
        m_refuseRepeats = refuseRepeats;
    }
    const std::vector<std::string>& warnings() const { return m_warnings; }

    const std::string& hashValue() const { return m_hashValue; }
    const std::optional<ReportValue>& report() const { return m_report; }

private:
    std::ostream& m_out;
    std::ostream* m_progress;
    int m_shown = -1;  // the percentage on the progress line, -1 when it is clear
    std::string m_hashValue;
    std::optional<ReportValue> m_report;
    std::ostream* m_err = nullptr;
    bool m_refuseRepeats = false;
    std::vector<std::string> m_warnings;
};

}  // namespace convertor::cli
