#include "ConvertCommand.h"

#include <unistd.h>
#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>
#include <optional>
#include <ostream>
#include <variant>

#include "CliApp.h"
#include "CliOperator.h"
#include "Interrupts.h"
#include "ProgramHome.h"
#include "ReportFile.h"
#include "convert/ConversionRun.h"
#include "convert/DataDirectory.h"
#include "convert/OutputChecks.h"
#include "convert/RequestEntries.h"
#include "convert/Session.h"
#include "output/OutputNames.h"

namespace fs = std::filesystem;

namespace convertor::cli {

namespace {

const char* optionOf(Entry entry) {
    switch (entry) {
        case Entry::CompanyId:
            return "--company";
        case Entry::DebitAccount:
            return "--debit";
        case Entry::FeeAccount:
            return "--fee";
    }
    return "";
}

}  // namespace

ConvertCommand::ConvertCommand(CLI::App& app) {
    m_command = app.add_subcommand("convert", "Convert a payment file into the bank file");
    m_command->add_option("--product", m_product, "DCP, PAY, MCL or MCP")
        ->check(CLI::IsMember({"DCP", "PAY", "MCL", "MCP"}));
    m_command->add_option("--company", m_company, "Company ID (at most 12 characters)");
    m_command->add_option("--debit", m_debit, "Debit account (at most 25 characters)");
    m_command->add_option("--fee", m_fee, "Debit fee account (at most 25 characters)");
    m_command->add_option("--source", m_source, "Source (payment) file");
    m_command->add_option("--invoice", m_invoice, "Invoice file (Manager Cheque)");
    m_command->add_option("--dest", m_dest, "Destination (bank) file");
    m_command->add_flag("--print-detail", m_printDetail,
                        "Show the detail report and fill the working tables");
    m_command->add_option("--home", m_home, "Directory holding Data/ and Report/");
    m_command->add_option("--report", m_report, "Write the report the run ends with (*.json or *.html)")
        ->check([](const std::string& file) {
            return reportFormat(file) ? std::string()
                                      : std::string("the report file must end in .json or .html");
        });
    m_command->add_flag("--no-repeat", m_noRepeat,
                        "Refuse to convert a source a completed run of the product converted before");
}

bool ConvertCommand::chosen() const {
    return m_command->parsed();
}

fs::path ConvertCommand::home() const {
    return programHome(m_home);
}

std::optional<ConversionRequest> ConvertCommand::buildRequest(std::string& problem) const {
    RequestEntries entries{m_company, m_debit,   m_fee,  std::nullopt,
                           m_source,  m_invoice, m_dest, m_printDetail};
    if (!m_product.empty()) {
        entries.product = productFromCode(m_product);
    }
    auto request = makeRequest(entries);
    if (auto* entryProblem = std::get_if<EntryProblem>(&request)) {
        problem = std::string(optionOf(entryProblem->entry)) + ": the text " + entryProblem->reason();
        return std::nullopt;
    }
    ConversionRequest made = std::get<ConversionRequest>(std::move(request));
    made.reportFile = m_report;
    return made;
}

int ConvertCommand::run(std::ostream& out, std::ostream& err) const {
    Interrupts interrupts;
    std::string problem;
    auto request = buildRequest(problem);
    if (!request) {
        err << "error: " << problem << "\n";
        return kUsage;
    }
    std::optional<Session> opened;
    try {
        opened.emplace(home());
    } catch (const std::exception& error) {
        err << "error: " << error.what() << "\n";
        return kRunError;
    }
    Session& session = *opened;
    if (request->product && !session.settings.selectable(*request->product)) {
        err << "error: --product: " << m_product << " is disabled in Data/Default.ini\n";
        return kUsage;
    }
    if (!m_report.empty()) {
        OutputNames names;
        if (request->product) {
            names = outputNames(request->destinationFile, request->companyId, *request->product,
                                session.clock().today(), request->reportFile);
        }
        names.report = request->reportFile;
        if (std::string reportError = reportProblem(*request, names, session.programFiles());
            !reportError.empty()) {
            err << "error: --report: " << reportError << "\n";
            return kUsage;
        }
    }
    // Progress only on a terminal: scripts reading stderr see nothing new.
    bool terminal = &err == &std::cerr && ::isatty(STDERR_FILENO) != 0;
    CliOperator op(out, err, terminal ? &err : nullptr, &interrupts);
    op.setRefuseRepeats(m_noRepeat);
    int status = kNoBankFile;
    try {
        RunResult result = runConversion(*request, session, op);
        status = result.outcome == RunOutcome::Completed ? kSuccess : kNoBankFile;
    } catch (const std::exception& error) {
        op.endProgress();
        out.flush();
        err << "error: " << error.what() << "\n";
        status = kRunError;
    }
    op.endProgress();
    if (!op.hashValue().empty()) {
        out << "Hash Value: " << op.hashValue() << "\n";
    }
    // A reader gone away (a closed pipe) does not undo what the run did: the status still tells it.
    out.flush();
    if (!out) {
        err << "warning: standard output could not be written\n";
    }
    return status;
}

}  // namespace convertor::cli
