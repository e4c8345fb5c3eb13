#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace convertor {

// The files a run leaves beside the bank file (bank file, archive, rejection files) are written
// under work names in the destination folder and put in place together by commit(), so a run
// that stops or fails leaves the folder as it was. A work name is "." + the bank file's name +
// ".convertor-work-" + a role (letters), and for the archiver's own temporary file a further
// "." + six characters; a later run to the same destination removes those a killed run left.
// Error messages name the final names, never a work name.
class RunOutputs {
public:
    enum class Action { Replace, RemoveTarget, Discard };

    // destination: the bank file as the user named it. inputs: the run's input files, which are
    // never removed nor replaced.
    RunOutputs(std::filesystem::path destination, std::vector<std::filesystem::path> inputs);
    ~RunOutputs();  // removes the work files unless committed
    RunOutputs(const RunOutputs&) = delete;
    RunOutputs& operator=(const RunOutputs&) = delete;

    // Creates the empty work file of role (O_EXCL) that is to take the place of target. Throws
    // IoError when target is an input or another output of the run, or when it cannot be created.
    const std::filesystem::path& add(const std::string& role, const std::filesystem::path& target);
    // Creates the empty work file of role that only the run itself reads; it is removed at commit
    // as at failure. Errors about it name shownAs.
    const std::filesystem::path& addScratch(const std::string& role, const std::filesystem::path& shownAs);
    bool has(const std::string& role) const;
    const std::filesystem::path& work(const std::string& role) const;
    const std::filesystem::path& target(const std::string& role) const;
    // What commit does with role: Replace (the default) renames the work file onto its target,
    // RemoveTarget removes the target (an older file this run would not write), Discard leaves
    // the target as it is.
    void setAction(const std::string& role, Action action);

    // Flushes the work files, renames them onto their targets, removes what is to go and flushes
    // the folder. Throws IoError.
    void commit();

    // The work name of role for a destination.
    static std::filesystem::path workName(const std::filesystem::path& destination, const std::string& role);

private:
    struct Output {
        std::string role;
        std::filesystem::path work;
        std::filesystem::path target;
        Action action = Action::Replace;
        bool scratch = false;  // no target of its own: shown as target in errors only
    };
    const std::filesystem::path& create(const std::string& role, const std::filesystem::path& target,
                                        Action action, bool scratch);
    Output& find(const std::string& role);
    const Output& find(const std::string& role) const;
    bool isInput(const std::filesystem::path& file) const;
    void removeStale() const;
    std::filesystem::path folder() const;

    std::filesystem::path m_destination;
    std::vector<std::filesystem::path> m_inputs;
    std::vector<Output> m_outputs;
    bool m_committed = false;
};

}  // namespace convertor
