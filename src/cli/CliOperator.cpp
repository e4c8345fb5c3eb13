#include "CliOperator.h"

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

bool CliOperator::confirmRepeat(const std::string& earlierRun) {
    endProgress();
    if (m_refuseRepeats) {
        m_out << earlierRun << "\n" << std::flush;
        return false;
    }
    if (m_err != nullptr) {
        *m_err << "warning: " << earlierRun << "\n" << std::flush;
    }
    return true;
}

}  // namespace convertor::cli
