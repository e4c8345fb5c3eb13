#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/Clock.h"

namespace convertor {

class BlockWriter;
class TemplateRenderer;
struct ReportValue;

// Holds one report template, parsed when it is loaded, and renders report values through it into
// a complete HTML document. Templates are mustache HTML; the keys they can reach are listed at the
// top of each delivered template.
class ReportEngine {
public:
    ReportEngine();
    ~ReportEngine();
    ReportEngine(const ReportEngine&);
    ReportEngine& operator=(const ReportEngine&);

    // A missing or unreadable file is not an error: the engine keeps the template it had (the
    // empty report when nothing was loaded yet) and returns false. A file that is there but is
    // not a valid template throws ConversionError, which ends the run like any engine error.
    bool load(const std::filesystem::path& templateFile);

    // The file name of the template in use; empty for the empty report.
    const std::string& templateName() const { return m_templateName; }
    bool isEmptyReport() const { return m_templateName.empty(); }
    // The text of the template in use, for reading its bands; empty for the empty report.
    const std::string& templateText() const;

    // printedOn is the date printed on the report; else the run's date, else the local date.
    std::string render(const ReportValue& report, std::optional<Date> printedOn = std::nullopt) const;
    // The same HTML handed to sink piece by piece as it is made, the datasets read row by row:
    // a report of any length is rendered in little memory.
    void render(const ReportValue& report, const std::function<void(std::string_view)>& sink,
                std::optional<Date> printedOn = std::nullopt) const;
    // The same into a writer, which the caller flushes at the end.
    void render(const ReportValue& report, BlockWriter& out,
                std::optional<Date> printedOn = std::nullopt) const;

private:
    std::string m_templateName;
    std::shared_ptr<const TemplateRenderer> m_renderer;  // none: the empty report
    std::shared_ptr<const std::string> m_text;
};

// A fresh engine loaded with reportDir / report.templateName, rendered (the empty report when
// that file is missing). What the command line writes for --report FILE.html.
std::string renderReportFile(const ReportValue& report, const std::filesystem::path& reportDir,
                             std::optional<Date> printedOn = std::nullopt);

// renderReportFile written to out as it is rendered.
void writeReportHtml(const ReportValue& report, const std::filesystem::path& reportDir, std::ostream& out);

}  // namespace convertor
