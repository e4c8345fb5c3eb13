#include "reports/ReportEngine.h"

#include <fstream>
#include <iterator>
#include <ostream>
#include <utility>

#include "reports/BlockWriter.h"
#include "reports/ReportContext.h"
#include "reports/ReportQueries.h"
#include "reports/ReportTables.h"
#include "reports/ReportValue.h"
#include "reports/TemplateRenderer.h"

namespace convertor {

namespace {

constexpr std::string_view kEmptyReport =
    "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title></title></head><body></body></html>\n";

}  // namespace

ReportEngine::ReportEngine() = default;
ReportEngine::~ReportEngine() = default;
ReportEngine::ReportEngine(const ReportEngine&) = default;
ReportEngine& ReportEngine::operator=(const ReportEngine&) = default;

bool ReportEngine::load(const std::filesystem::path& templateFile) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(templateFile, ec)) {
        return false;
    }
    std::ifstream in(templateFile, std::ios::binary);
    if (!in) {
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return false;
    }
    std::string name = templateFile.filename().string();
    // An empty file is a template that renders the empty report.
    m_renderer = text.empty() ? nullptr : std::make_shared<const TemplateRenderer>(name, text);
    m_text = text.empty() ? nullptr : std::make_shared<const std::string>(text);
    m_templateName = std::move(name);
    return true;
}

const std::string& ReportEngine::templateText() const {
    static const std::string kNone;
    return m_text ? *m_text : kNone;
}

void ReportEngine::render(const ReportValue& report, BlockWriter& out, std::optional<Date> printedOn) const {
    if (!m_renderer) {
        out.write(kEmptyReport);
        return;
    }
    const Date date = printedOn ? *printedOn : report.printedOn ? *report.printedOn : SystemClock{}.today();
    const ReportTables tables(report, templateDatasetNames());
    ReportContext context(tables, report, date);
    m_renderer->render(context, out);
}

void ReportEngine::render(const ReportValue& report, const std::function<void(std::string_view)>& sink,
                          std::optional<Date> printedOn) const {
    BlockWriter out(sink);
    render(report, out, printedOn);
    out.flush();
}

std::string ReportEngine::render(const ReportValue& report, std::optional<Date> printedOn) const {
    BlockWriter out;
    render(report, out, printedOn);
    return std::move(out.text());
}

std::string renderReportFile(const ReportValue& report, const std::filesystem::path& reportDir,
                             std::optional<Date> printedOn) {
    ReportEngine engine;
    engine.load(reportDir / report.templateName);
    return engine.render(report, printedOn);
}

void writeReportHtml(const ReportValue& report, const std::filesystem::path& reportDir, std::ostream& out) {
    ReportEngine engine;
    engine.load(reportDir / report.templateName);
    BlockWriter writer(out);
    engine.render(report, writer);
    writer.flush();
}

}  // namespace convertor
