#include "output/RunOutputs.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "base/ConversionError.h"
#include "output/CommitJournal.h"

namespace fs = std::filesystem;

namespace convertor {

namespace {

constexpr std::string_view kWorkMark = ".convertor-work-";
constexpr std::string_view kBackupMark = ".convertor-old-";

IoError ioError(const std::string& what, const fs::path& file) {
    return IoError(what + " " + file.string() + ": " + std::strerror(errno));
}

// Data on disk before the commit relies on it.
bool synced(const fs::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool done = ::fsync(fd) == 0;
    return ::close(fd) == 0 && done;
}

// A role in letters, then nothing or the archiver's "." and six characters.
bool isWorkSuffix(std::string_view rest) {
    std::size_t letters = 0;
    while (letters < rest.size() && std::isalpha(static_cast<unsigned char>(rest[letters]))) {
        ++letters;
    }
    rest.remove_prefix(letters);
    return letters > 0 && (rest.empty() || (rest.size() == 7 && rest[0] == '.'));
}

fs::path folderOf(const fs::path& file) {
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

}  // namespace

RunOutputs::RunOutputs(OutputNames names, std::vector<fs::path> inputs, fs::path pendingFolder)
    : m_names(std::move(names)), m_inputs(std::move(inputs)), m_pendingFolder(std::move(pendingFolder)) {
    std::vector<fs::path> targets = m_names.all();
    for (const fs::path& target : targets) {
        if (isInput(target)) {
            throw IoError("Cannot write " + target.string() + ": it is an input file of this run");
        }
    }
    for (std::size_t i = 0; i < targets.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (targets[i].lexically_normal() == targets[j].lexically_normal()) {
                throw IoError("Cannot write " + targets[i].string() + " twice in one run");
            }
        }
    }
    std::vector<fs::path> folders{folderOf(m_names.bankFile)};
    if (!m_names.report.empty() && fs::absolute(folderOf(m_names.report)) != fs::absolute(folders[0])) {
        folders.push_back(folderOf(m_names.report));
    }
    for (const fs::path& folder : folders) {
        CommitJournal::recover(folder, m_pendingFolder);
        removeStale(folder);
    }
    create("bank", m_names.bankFile, Action::Replace, true);
    // The archiver writes its file by name.
    create("zip", m_names.archive, Action::Replace, false);
    create("pack", m_names.archive, Action::Discard, true);
    for (const auto& [kind, file] : m_names.rejectionFiles) {
        create(rejectionRole(kind), file, Action::Replace, true);
    }
    if (!m_names.report.empty()) {
        create("report", m_names.report, Action::Replace, true);
    }
}

RunOutputs::~RunOutputs() = default;

fs::path RunOutputs::workName(const fs::path& folder, const std::string& role) {
    return folder / (std::string(kWorkMark) + role);
}

bool RunOutputs::isInput(const fs::path& file) const {
    std::error_code error;
    for (const fs::path& input : m_inputs) {
        if (!input.empty() && fs::exists(input, error) && fs::exists(file, error) &&
            fs::equivalent(input, file, error)) {
            return true;
        }
    }
    return false;
}

void RunOutputs::removeStale(const fs::path& folder) const {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        std::string name = entry.path().filename().string();
        if (name.size() > kWorkMark.size() && name.compare(0, kWorkMark.size(), kWorkMark) == 0 &&
            isWorkSuffix(std::string_view(name).substr(kWorkMark.size())) && !isInput(entry.path())) {
            std::error_code ignored;
            fs::remove(entry.path(), ignored);
        }
    }
}

void RunOutputs::create(const std::string& role, const fs::path& target, Action action, bool unnamed) {
    auto work = std::make_unique<WorkFile>(workName(folderOf(target), role), unnamed, target);
    m_outputs.push_back({role, std::move(work), target, action});
}

RunOutputs::Output& RunOutputs::find(const std::string& role) {
    auto it =
        std::find_if(m_outputs.begin(), m_outputs.end(), [&](const Output& o) { return o.role == role; });
    if (it == m_outputs.end()) {
        throw std::logic_error("No run output " + role);
    }
    return *it;
}

const RunOutputs::Output& RunOutputs::find(const std::string& role) const {
    return const_cast<RunOutputs*>(this)->find(role);
}

const fs::path& RunOutputs::bankWork() const {
    return find("bank").work->path();
}

const fs::path& RunOutputs::archiveWork() const {
    return find("zip").work->path();
}

const fs::path& RunOutputs::packWork() const {
    return find("pack").work->path();
}

const fs::path& RunOutputs::rejectionWork(RejectionKind kind) const {
    return find(rejectionRole(kind)).work->path();
}

const fs::path& RunOutputs::reportWork() const {
    return find("report").work->path();
}

void RunOutputs::keepOlderBankFile() {
    find("bank").action = Action::Discard;
    find("zip").action = Action::Discard;
}

void RunOutputs::removeRejectionFile(RejectionKind kind) {
    find(rejectionRole(kind)).action = Action::RemoveTarget;
}

// A file in the way of the commit, found before anything moves: not a regular file, not to be
// written, or in a folder that is not to be written.
void RunOutputs::checkTarget(const Output& output) const {
    const fs::path& target = output.target;
    std::error_code error;
    fs::file_status status = fs::status(target, error);
    if (fs::exists(status)) {
        if (!fs::is_regular_file(status)) {
            throw IoError("Cannot put " + target.string() + " in place: it is not a regular file");
        }
        if (::access(target.c_str(), W_OK) != 0) {
            throw ioError("Cannot put in place", target);
        }
    }
    if (::access(folderOf(target).c_str(), W_OK | X_OK) != 0) {
        throw ioError("Cannot put in place", target);
    }
}

void RunOutputs::commit() {
    std::vector<CommitJournal::Step> steps;
    for (const Output& output : m_outputs) {
        if (output.action == Action::Discard) {
            continue;
        }
        checkTarget(output);
        fs::path backup = folderOf(output.target) / (std::string(kBackupMark) + output.role);
        if (output.action == Action::RemoveTarget) {
            std::error_code error;
            if (fs::exists(fs::symlink_status(output.target, error))) {
                steps.push_back({{}, output.target, backup, output.target.string()});
            }
            continue;
        }
        if (!synced(output.work->path())) {
            throw ioError("Cannot write file", output.target);
        }
        output.work->link(output.target);
        steps.push_back({output.work->named(), output.target, backup, output.target.string()});
    }
    try {
        CommitJournal::commit(steps, m_pendingFolder);
    } catch (...) {
        // A commit neither done nor undone stays in its journal, with the files it names.
        std::error_code error;
        if (fs::exists(folderOf(m_names.bankFile) / CommitJournal::kJournalName, error)) {
            for (Output& output : m_outputs) {
                output.work->release();
            }
        }
        throw;
    }
    for (Output& output : m_outputs) {
        if (output.action == Action::Replace) {
            output.work->release();
        }
    }
}

std::string rejectionRole(RejectionKind kind) {
    switch (kind) {
        case RejectionKind::InvalidAcct:
            return "InvalidAcct";
        case RejectionKind::CreditZeroAmount:
            return "CreditZeroAmount";
        case RejectionKind::CreditAmountInvalid:
            return "CreditAmountInvalid";
        case RejectionKind::BankBranchCode:
            return "BankBranchCode";
    }
    return "";
}

}  // namespace convertor
