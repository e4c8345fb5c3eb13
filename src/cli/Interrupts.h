#pragma once

#include <csignal>

namespace convertor::cli {

// While it lives, SIGINT and SIGTERM do not end the process but ask the run to stop, which then
// ends cleanly with its work files removed. The handlers before it come back when it goes.
class Interrupts {
public:
    Interrupts();
    ~Interrupts();
    Interrupts(const Interrupts&) = delete;
    Interrupts& operator=(const Interrupts&) = delete;

    bool raised() const;

private:
    struct sigaction m_oldInt {};
    struct sigaction m_oldTerm {};
};

}  // namespace convertor::cli
