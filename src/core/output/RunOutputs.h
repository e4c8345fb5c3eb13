#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bankfile/Rejection.h"
#include "output/OutputNames.h"
#include "output/WorkFile.h"

namespace convertor {

// The files a run leaves (bank file, archive, rejection files, report) are written as work files
// in the folders they go to and put in place together by commit(), all of them or none, so a run
// that stops or fails leaves the folders as they were. Work files have no name where the file
// system allows it; elsewhere, and for the archive, which the archiver writes by name, they are
// named ".convertor-work-" + a role, and a later run into the folder removes those a killed run
// left. Error messages name the final names, never a work name.
class RunOutputs {
public:
    // Finishes or undoes a commit a kill interrupted in the folders first, then creates the work
    // file of every output the names give, and the scratch file that holds the bank file packed
    // for the archive. inputs: the run's input files, which are never removed nor replaced.
    // pendingFolder: where a commit is noted until it is done, for the next start of a program;
    // may be empty. The folders must be held (RunLock). Throws IoError.
    RunOutputs(OutputNames names, std::vector<std::filesystem::path> inputs,
               std::filesystem::path pendingFolder = {});
    ~RunOutputs();
    RunOutputs(const RunOutputs&) = delete;
    RunOutputs& operator=(const RunOutputs&) = delete;

    const OutputNames& names() const { return m_names; }
    const std::filesystem::path& bankWork() const;
    const std::filesystem::path& archiveWork() const;
    // The Deflate of the bank file; read by the run only, never put in place.
    const std::filesystem::path& packWork() const;
    const std::filesystem::path& rejectionWork(RejectionKind kind) const;
    const std::filesystem::path& reportWork() const;

    // What commit does besides putting every work file in place: without a bank file the older
    // bank file and archive stay as they are; a rejection file the run did not raise removes the
    // older one.
    void keepOlderBankFile();
    void removeRejectionFile(RejectionKind kind);

    // Checks every final name (a regular file or none, writable, in a writable folder), flushes
    // the work files and puts them in place as one. Throws IoError, the folders as they were.
    void commit();

    // The work name of role in folder.
    static std::filesystem::path workName(const std::filesystem::path& folder, const std::string& role);

private:
    enum class Action { Replace, RemoveTarget, Discard };
    struct Output {
        std::string role;
        std::unique_ptr<WorkFile> work;
        std::filesystem::path target;
        Action action = Action::Replace;
    };
    void create(const std::string& role, const std::filesystem::path& target, Action action, bool unnamed);
    Output& find(const std::string& role);
    const Output& find(const std::string& role) const;
    bool isInput(const std::filesystem::path& file) const;
    void removeStale(const std::filesystem::path& folder) const;
    void checkTarget(const Output& output) const;

    OutputNames m_names;
    std::vector<std::filesystem::path> m_inputs;
    std::filesystem::path m_pendingFolder;
    std::vector<Output> m_outputs;
};

// The role of a rejection file among a run's outputs: "InvalidAcct", ...
std::string rejectionRole(RejectionKind kind);

}  // namespace convertor
