#pragma once

#include <filesystem>
#include <functional>

#include "base/Clock.h"
#include "base/Operator.h"
#include "products/ConversionRequest.h"
#include "products/ConversionState.h"
#include "products/RunReport.h"

namespace convertor {

class TableStore;
class RunOutputs;

// Everything a converter works with during one run.
struct ConversionContext {
    const ConversionRequest& request;
    ConversionState& state;
    TableStore& tables;
    Operator& op;
    std::filesystem::path home;  // the directory of the program: Data/ and Report/ lie in it
    Date today;                  // read once per run, so a run crossing midnight keeps one date
    RunOutputs& outputs;         // the bank file and rejection files are written to its work files
    // Called once every line is converted, with what the report will show and whether a digest
    // is to come; true when the tables were lent out (to a report being written), and then
    // tablesBack is called before the run touches them again.
    std::function<bool(const RunReport&, bool digestToCome)> linesConverted = {};
    std::function<void(bool abandon)> tablesBack = {};
};

// Moves the progress bar only when the shown percentage changes.
class Progress {
public:
    explicit Progress(Operator& op) : m_op(op) {}
    // ceil(100 * done / total), at most 100; a total below 1 counts as 1.
    void show(long done, long total);
    void reset();

private:
    Operator& m_op;
    int m_shown = -1;
};

}  // namespace convertor
