#include "Interrupts.h"

namespace convertor::cli {

namespace {

volatile std::sig_atomic_t g_raised = 0;

extern "C" void onInterrupt(int) {
    g_raised = 1;
}

}  // namespace

Interrupts::Interrupts() {
    g_raised = 0;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &m_oldInt);
    sigaction(SIGTERM, &action, &m_oldTerm);
}

Interrupts::~Interrupts() {
    sigaction(SIGINT, &m_oldInt, nullptr);
    sigaction(SIGTERM, &m_oldTerm, nullptr);
}

bool Interrupts::raised() const {
    return g_raised != 0;
}

}  // namespace convertor::cli
