#include "reports/ReportJsonReader.h"

#include <fstream>
#include <iterator>

#include <nlohmann/json.hpp>

#include "base/ConversionError.h"
#include "reports/ReportQueries.h"

namespace convertor {

namespace {

using Json = nlohmann::ordered_json;

TableValue tableValue(const Json& value) {
    if (value.is_number()) {
        return value.get<double>();
    }
    if (value.is_string()) {
        return value.get<std::string>();
    }
    if (value.is_null()) {
        return std::monostate{};
    }
    return value.dump();
}

ReportDataset readDataset(const std::string& name, const Json& rows) {
    ReportDataset dataset;
    dataset.name = name;
    if (!rows.is_array()) {
        throw ConversionError("Report JSON: dataset " + name + " is not a list of rows");
    }
    for (const auto& row : rows) {
        if (!row.is_object()) {
            throw ConversionError("Report JSON: a row of " + name + " is not an object");
        }
        if (dataset.columns.empty()) {
            for (const auto& item : row.items()) {
                dataset.columns.push_back(item.key());
            }
        }
        std::vector<TableValue> values;
        values.reserve(dataset.columns.size());
        for (const auto& column : dataset.columns) {
            const auto found = row.find(column);
            values.push_back(found == row.end() ? TableValue{} : tableValue(*found));
        }
        dataset.rows.push_back(std::move(values));
    }
    return dataset;
}

}  // namespace

ReportValue reportFromJson(const std::string& json) {
    const Json document = Json::parse(json, nullptr, false);
    if (document.is_discarded() || !document.is_object()) {
        throw ConversionError("Report JSON: not a JSON object");
    }
    ReportValue report;
    report.templateName = document.value("template", std::string{});
    if (const auto variables = document.find("variables"); variables != document.end()) {
        for (const auto& item : variables->items()) {
            const auto& value = item.value();
            report.variables.emplace_back(item.key(),
                                          value.is_string() ? value.get<std::string>() : value.dump());
        }
    }
    if (const auto datasets = document.find("datasets"); datasets != document.end()) {
        for (const auto& item : datasets->items()) {
            report.datasets.push_back(readDataset(item.key(), item.value()));
        }
    }
    // The file has no place for the cheques' link to their tax and invoice rows, so a report
    // that holds cheques gets it back here.
    for (auto& link : chequeChildLinks()) {
        if (report.dataset(link.parent) != nullptr) {
            report.children.push_back(std::move(link));
        }
    }
    return report;
}

ReportValue readReportJson(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw IoError("Cannot open file " + file.string());
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return reportFromJson(text);
}

}  // namespace convertor
