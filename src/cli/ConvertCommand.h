#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

#include "products/ConversionRequest.h"

namespace CLI {
class App;
}

namespace convertor::cli {

// convertor-cli convert: one press of "Reformat Data" with the options as the window's entries.
class ConvertCommand {
public:
    explicit ConvertCommand(CLI::App& app);
    bool chosen() const;
    int run(std::ostream& out, std::ostream& err) const;

private:
    // The request in code page 874, or a usage message.
    std::optional<ConversionRequest> buildRequest(std::string& problem) const;
    std::filesystem::path home() const;

    CLI::App* m_command = nullptr;
    std::string m_product;
    std::string m_company;
    std::string m_debit;
    std::string m_fee;
    std::string m_source;
    std::string m_invoice;
    std::string m_dest;
    bool m_printDetail = false;
    std::string m_home;
    std::string m_report;
    bool m_noRepeat = false;
};

}  // namespace convertor::cli
