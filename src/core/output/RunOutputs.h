#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "bankfile/Rejection.h"
#include "output/OutputNames.h"

namespace convertor {

// The files a run leaves beside the bank file (bank file, archive, rejection files) are written
// under work names in the destination folder and put in place together by commit(), so a run
// that stops or fails leaves the folder as it was. A work name is "." + the bank file's name +
// ".convertor-work-" + a role (letters), and for the archiver's own temporary file a further
// "." + six characters; a later run to the same destination removes those a killed run left.
// Error messages name the final names, never a work name.
class RunOutputs {
public:
    // Creates the work file of every output the names give, and the scratch file that holds the
    // bank file packed for the archive. inputs: the run's input files, which are never removed
    // nor replaced. Throws IoError.
    RunOutputs(OutputNames names, std::vector<std::filesystem::path> inputs);
    ~RunOutputs();  // removes the work files unless committed
    RunOutputs(const RunOutputs&) = delete;
    RunOutputs& operator=(const RunOutputs&) = delete;

    const OutputNames& names() const { return m_names; }
    const std::filesystem::path& bankWork() const;
    const std::filesystem::path& archiveWork() const;
    // The Deflate of the bank file; read by the run only, removed at commit as at failure.
    const std::filesystem::path& packWork() const;
    const std::filesystem::path& rejectionWork(RejectionKind kind) const;

    // What commit does besides putting every work file in place: without a bank file the older
    // bank file and archive stay as they are; a rejection file the run did not raise removes the
    // older one.
    void keepOlderBankFile();
    void removeRejectionFile(RejectionKind kind);

    // Flushes the work files, renames them onto their names, removes what is to go and flushes
    // the folder. Throws IoError.
    void commit();

    // The work name of role for a destination.
    static std::filesystem::path workName(const std::filesystem::path& destination, const std::string& role);

private:
    enum class Action { Replace, RemoveTarget, Discard };
    struct Output {
        std::string role;
        std::filesystem::path work;
        std::filesystem::path target;
        Action action = Action::Replace;
    };
    void create(const std::string& role, const std::filesystem::path& target, Action action);
    Output& find(const std::string& role);
    const Output& find(const std::string& role) const;
    bool isInput(const std::filesystem::path& file) const;
    void removeStale() const;
    void removeWorkFiles() const;
    std::filesystem::path folder() const;

    OutputNames m_names;
    std::vector<std::filesystem::path> m_inputs;
    std::vector<Output> m_outputs;
    bool m_committed = false;
};

// The role of a rejection file among a run's outputs: "InvalidAcct", ...
std::string rejectionRole(RejectionKind kind);

}  // namespace convertor
