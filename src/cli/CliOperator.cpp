#include "CliOperator.h"

#include <ostream>

namespace convertor::cli {

void CliOperator::showMessage(const std::string& message) {
    m_out << message << "\n" << std::flush;
}

}  // namespace convertor::cli
