#include "reports/ReportJson.h"

#include <map>
#include <nlohmann/json.hpp>

#include "reports/ReportValue.h"

namespace convertor {

namespace {

using Json = nlohmann::ordered_json;

// Later copies of a repeated column name become NAME_1, NAME_2, ...
std::vector<std::string> uniqueColumnNames(const std::vector<std::string>& columns) {
    std::map<std::string, int> seen;
    std::vector<std::string> names;
    for (const auto& column : columns) {
        int copies = seen[column]++;
        names.push_back(copies == 0 ? column : column + "_" + std::to_string(copies));
    }
    return names;
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

std::string reportToJson(const ReportValue& report) {
    Json document;
    document["template"] = report.templateName;
    Json variables = Json::object();
    for (const auto& [name, value] : report.variables) {
        variables[name] = value;
    }
    document["variables"] = variables;
    Json datasets = Json::object();
    for (const auto& dataset : report.datasets) {
        std::vector<std::string> names = uniqueColumnNames(dataset.columns);
        Json rows = Json::array();
        for (const auto& row : dataset.rows) {
            Json object = Json::object();
            for (std::size_t i = 0; i < names.size() && i < row.size(); ++i) {
                object[names[i]] = toJson(row[i]);
            }
            rows.push_back(std::move(object));
        }
        datasets[dataset.name] = std::move(rows);
    }
    document["datasets"] = datasets;
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace convertor
