#include "CliApp.h"

#include <CLI/CLI.hpp>

#include <iostream>

#include "ConvertCommand.h"
#include "HistoryCommand.h"
#include "VerifyCommand.h"

namespace convertor::cli {

int runCli(int argc, char** argv) {
    return runCli(argc, argv, std::cout, std::cerr);
}

int runCli(int argc, char** argv, std::ostream& out, std::ostream& err) {
    CLI::App app{"Converts customers' payment files into the bank's bulk-payment upload file",
                 "convertor-cli"};
    app.require_subcommand(1);
    // Answered before the subcommand is asked for, like --help.
    app.set_version_flag("--version", std::string("convertor-cli ") + CONVERTOR_VERSION,
                         "Print the version and exit");
    ConvertCommand convert(app);
    VerifyCommand verify(app);
    HistoryCommand history(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kSuccess;
    } catch (const CLI::CallForVersion& version) {
        out << version.what() << "\n";
        return kSuccess;
    } catch (const CLI::ParseError& error) {
        err << "error: " << error.what() << "\n";
        return kUsage;
    }
    if (convert.chosen()) {
        return convert.run(out, err);
    }
    if (history.chosen()) {
        return history.run(out, err);
    }
    return verify.run(out, err);
}

}  // namespace convertor::cli
