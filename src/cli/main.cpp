#include "CliApp.h"

int main(int argc, char** argv) {
    return convertor::cli::runCli(argc, argv);
}
