#pragma once

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace convertor::cli {

// convertor-cli history: the newest runs of the run history, as a text table or as JSON lines.
class HistoryCommand {
public:
    explicit HistoryCommand(CLI::App& app);
    bool chosen() const;
    int run(std::ostream& out, std::ostream& err) const;

private:
    CLI::App* m_command = nullptr;
    std::string m_home;
    long m_limit = 20;
    bool m_json = false;
};

}  // namespace convertor::cli
