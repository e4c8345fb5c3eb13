#include <csignal>

#include "CliApp.h"

int main(int argc, char** argv) {
    // A reader of the messages that goes away must not end a run that has written its files: a
    // failed write to standard output is told on standard error instead.
    std::signal(SIGPIPE, SIG_IGN);
    return convertor::cli::runCli(argc, argv);
}
