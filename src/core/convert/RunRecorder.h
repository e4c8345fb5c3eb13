#pragma once

#include <memory>
#include <optional>
#include <string>

#include "convert/InputDigests.h"
#include "convert/RunHistory.h"

namespace convertor {

struct ConversionRequest;
struct RunResult;
class Operator;
class TableStore;

// The history of one run: the repeat guard before it converts, its row when it ends. What the
// history meets never changes the run's outcome or outputs: the operator is warned instead.
class RunRecorder {
public:
    // Notes the time the run starts.
    RunRecorder(TableStore& tables, Operator& op);
    ~RunRecorder();
    RunRecorder(const RunRecorder&) = delete;
    RunRecorder& operator=(const RunRecorder&) = delete;

    // Once the run has passed its input checks: asks the operator when a completed run converted the
    // same inputs, and starts hashing them. False when the operator declines: the run is to end with
    // nothing written, and it leaves no row. Throws IoError when an input cannot be read.
    bool begin(const ConversionRequest& request);

    // The row of a run that ended with a result, or with an error; none for a run that did not begin.
    // Never throws.
    void finish(const RunResult& result);
    void fail(const std::string& error);

private:
    void record();
    void warn(const char* what, const std::string& cause);

    TableStore& m_tables;
    Operator& m_op;
    std::string m_started;
    bool m_begun = false;
    HistoryRecord m_record;
    std::unique_ptr<InputDigests> m_digests;
    std::string m_unreadHistory;  // why the guard could not read the history, told when the run ends
    std::string m_runError;
};

}  // namespace convertor
