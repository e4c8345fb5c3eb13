#pragma once

#include <string>

#include "base/Clock.h"
#include "base/Operator.h"
#include "products/ConversionRequest.h"
#include "products/ReformatSettings.h"

namespace convertor {

class TableStore;
class RunOutputs;

// Everything a converter works with during one run.
struct ConversionContext {
    const ConversionRequest& request;
    const ReformatSettings& settings;
    TableStore& tables;
    Operator& op;
    Date today;             // read once per run, so a run crossing midnight keeps one date
    std::string record001;  // the bank file's header of this run, without its CR LF
    RunOutputs& outputs;    // the bank file and rejection files are written to its work files
};

// Thrown where a converter stops the run with a message for the operator: no bank file and no
// report.
struct RunStop {
    std::string message;
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
