#include "reports/ReportJson.h"

#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "reports/ReportValue.h"

namespace convertor {

namespace {

using Json = nlohmann::ordered_json;

std::string dump(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json toJson(const TableValue& value) {
    if (const auto* number = std::get_if<double>(&value)) {
        return *number;
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    return nullptr;
}

}  // namespace

void writeReportJson(const ReportValue& report, std::ostream& out) {
    out << "{\n  \"template\": " << dump(report.templateName) << ",\n  \"variables\": {";
    const char* separator = "\n";
    for (const auto& [name, value] : report.variables) {
        out << separator << "    " << dump(name) << ": " << dump(value);
        separator = ",\n";
    }
    out << (report.variables.empty() ? "}" : "\n  }") << ",\n  \"datasets\": {";
    separator = "\n";
    for (const auto& dataset : report.datasets) {
        out << separator << "    " << dump(dataset.name) << ": [";
        separator = ",\n";
        std::vector<std::string> names = uniqueColumnNames(dataset.columns);
        std::vector<std::string> keys;
        for (const auto& name : names) {
            keys.push_back(dump(name));
        }
        const char* rowSeparator = "\n";
        bool empty = true;
        for (auto rows = dataset.open(); rows->next();) {
            const std::vector<TableValue>& row = rows->row();
            empty = false;
            out << rowSeparator << "      {";
            rowSeparator = ",\n";
            for (std::size_t i = 0; i < keys.size() && i < row.size(); ++i) {
                out << (i == 0 ? "" : ", ") << keys[i] << ": " << dump(toJson(row[i]));
            }
            out << "}";
        }
        out << (empty ? "]" : "\n    ]");
    }
    out << (report.datasets.empty() ? "}" : "\n  }") << "\n}\n";
}

std::string reportToJson(const ReportValue& report) {
    std::ostringstream out;
    writeReportJson(report, out);
    return out.str();
}

}  // namespace convertor
