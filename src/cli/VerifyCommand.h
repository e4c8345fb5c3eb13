#pragma once

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace convertor::cli {

// convertor-cli verify BANKFILE
class VerifyCommand {
public:
    explicit VerifyCommand(CLI::App& app);
    int run(std::ostream& out, std::ostream& err) const;

private:
    std::string m_file;
};

}  // namespace convertor::cli
