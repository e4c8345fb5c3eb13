#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace convertor {

// Puts the files of a run in place as one: either every one of them, or none. Before the first
// rename a journal of the steps is written into each folder the commit touches (".convertor-commit")
// and noted in a folder of pending commits; each older file is kept under a backup name until
// the last rename has succeeded. A rename that fails puts everything back. A commit that a kill
// interrupts is finished by the next run into one of its folders, or at the next start of a
// program (recoverPending), and undone when it cannot be finished: the visible set of files is
// always one run's.
class CommitJournal {
public:
    struct Step {
        std::filesystem::path work;    // the new file; empty: the target is only removed
        std::filesystem::path target;  // where it goes
        std::filesystem::path backup;  // where the older target waits meanwhile
        std::string shown;             // the name errors give
    };

    // pendingFolder: where the pending commit is noted for recoverPending; may be empty.
    // Throws IoError, with every file as it was before.
    static void commit(const std::vector<Step>& steps, const std::filesystem::path& pendingFolder);

    // Finishes or undoes the commit whose journal stands in folder, if there is one. The folder
    // must be held (RunLock). Throws IoError when it can neither finish nor undo it.
    static void recover(const std::filesystem::path& folder, const std::filesystem::path& pendingFolder = {});
    // The same for every commit noted in pendingFolder, each folder held while it is recovered;
    // one that cannot be recovered now stays noted.
    static void recoverPending(const std::filesystem::path& pendingFolder);

    static constexpr const char* kJournalName = ".convertor-commit";
};

}  // namespace convertor
