#include "VerifyCommand.h"

#include <CLI/CLI.hpp>

#include <ostream>

#include "CliApp.h"
#include "bankfile/BankFileVerifier.h"

namespace convertor::cli {

VerifyCommand::VerifyCommand(CLI::App& app) {
    auto* command = app.add_subcommand("verify", "Check a bank file on its own");
    command->add_option("BANKFILE", m_file, "The bank file")->required();
}

int VerifyCommand::run(std::ostream& out, std::ostream&) const {
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
