#include "VerifyCommand.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <ostream>

#include "CliApp.h"
#include "bankfile/BankFileVerifier.h"

namespace convertor::cli {

VerifyCommand::VerifyCommand(CLI::App& app) {
    auto* command = app.add_subcommand("verify", "Check a bank file on its own");
    command->add_option("BANKFILE", m_file, "The bank file")->required();
}

int VerifyCommand::run(std::ostream& out, std::ostream& err) const {
    // Reading a FIFO or a device would hang or never end.
    std::error_code error;
    auto status = std::filesystem::status(m_file, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        err << "error: BANKFILE: " << m_file << " is not a regular file\n";
        return kUsage;
    }
    auto problems = verifyBankFile(m_file);
    if (problems.empty()) {
        out << "OK\n";
        return kSuccess;
    }
    for (const auto& problem : problems) {
        out << problem << "\n";
    }
    return kNoBankFile;
}

}  // namespace convertor::cli
