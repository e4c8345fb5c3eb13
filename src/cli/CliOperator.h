#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "base/Operator.h"
#include "reports/ReportValue.h"

namespace convertor::cli {

// Messages to standard output, one per line; the last report kept for --report.
class CliOperator : public Operator {
public:
    explicit CliOperator(std::ostream& out) : m_out(out) {}

    void showMessage(const std::string& message) override;
    void setProgress(int) override {}
    void setHashValue(const std::string& text) override { m_hashValue = text; }
    void showReport(ReportValue report) override { m_report = std::move(report); }

    const std::string& hashValue() const { return m_hashValue; }
    const std::optional<ReportValue>& report() const { return m_report; }

private:
    std::ostream& m_out;
    std::string m_hashValue;
    std::optional<ReportValue> m_report;
};

}  // namespace convertor::cli
