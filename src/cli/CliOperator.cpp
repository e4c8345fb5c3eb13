#include "CliOperator.h"

#include "Interrupts.h"
#include "reports/ReportValue.h"

#include <ostream>

namespace convertor::cli {

void CliOperator::showMessage(const std::string& message) {
    endProgress();
    m_out << message << "\n" << std::flush;
}

void CliOperator::setProgress(int percent) {
    // The run sets 0 when it ends or stops: nothing left to show then.
    if (m_progress == nullptr || percent == m_shown || percent <= 0) {
        return;
    }
    m_shown = percent;
    *m_progress << "\rConverting " << percent << " %" << std::flush;
}

void CliOperator::endProgress() {
    if (m_progress != nullptr && m_shown >= 0) {
        *m_progress << "\r\033[K" << std::flush;
        m_shown = -1;
    }
}

void CliOperator::showReport(ReportValue /*report*/) {}

void CliOperator::warn(const std::string& text) {
    endProgress();
    m_err << "warning: " << text << "\n" << std::flush;
}

bool CliOperator::confirmRepeat(const std::string& earlierRun) {
    endProgress();
    if (m_refuseRepeats) {
        m_out << earlierRun << "\n" << std::flush;
        return false;
    }
    m_err << "warning: " << earlierRun << "\n" << std::flush;
    return true;
}

bool CliOperator::interrupted() const {
    return m_interrupts != nullptr && m_interrupts->raised();
}

}  // namespace convertor::cli
