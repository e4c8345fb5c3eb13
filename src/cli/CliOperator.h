#pragma once

#include <iosfwd>
#include <string>

#include "base/Operator.h"

namespace convertor::cli {

class Interrupts;

// Messages to standard output, one per line; warnings to standard error. With a progress stream
// (a terminal), the percentage of the source converted is redrawn in place on it. The report is
// the run's own output (--report), so nothing is done with the one shown. A repeated run is told
// on standard error and goes on, or with refuseRepeats is told on standard output and refused.
class CliOperator : public Operator {
public:
    CliOperator(std::ostream& out, std::ostream& err, std::ostream* progress = nullptr,
                const Interrupts* interrupts = nullptr)
        : m_out(out), m_err(err), m_progress(progress), m_interrupts(interrupts) {}
    ~CliOperator() override { endProgress(); }

    void showMessage(const std::string& message) override;
    void setProgress(int percent) override;
    // Clears the progress line, so that what follows starts on a clean line.
    void endProgress();
    void setHashValue(const std::string& text) override { m_hashValue = text; }
    void showReport(ReportValue report) override;
    void warn(const std::string& text) override;
    bool interrupted() const override;
    bool confirmRepeat(const std::string& earlierRun) override;

    void setRefuseRepeats(bool refuse) { m_refuseRepeats = refuse; }

    const std::string& hashValue() const { return m_hashValue; }

private:
    std::ostream& m_out;
    std::ostream& m_err;
    std::ostream* m_progress;
    const Interrupts* m_interrupts;
    int m_shown = -1;  // the percentage on the progress line, -1 when it is clear
    std::string m_hashValue;
    bool m_refuseRepeats = false;
};

}  // namespace convertor::cli
