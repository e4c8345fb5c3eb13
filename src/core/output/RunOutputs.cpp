#include "output/RunOutputs.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "base/ConversionError.h"

namespace fs = std::filesystem;

namespace convertor {

namespace {

constexpr const char* kWorkMark = ".convertor-work-";

IoError ioError(const std::string& what, const fs::path& file) {
    return IoError(what + " " + file.string() + ": " + std::strerror(errno));
}

// Data and name on disk before the next step relies on them.
bool syncPath(const fs::path& path, int flags) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
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

}  // namespace

RunOutputs::RunOutputs(OutputNames names, std::vector<fs::path> inputs)
    : m_names(std::move(names)), m_inputs(std::move(inputs)) {
    removeStale();
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
    try {
        create("bank", m_names.bankFile, Action::Replace);
        create("zip", m_names.archive, Action::Replace);
        create("pack", m_names.archive, Action::Discard);
        for (const auto& [kind, file] : m_names.rejectionFiles) {
            create(rejectionRole(kind), file, Action::Replace);
        }
    } catch (...) {
        removeWorkFiles();
        throw;
    }
}

RunOutputs::~RunOutputs() {
    if (!m_committed) {
        removeWorkFiles();
    }
}

void RunOutputs::removeWorkFiles() const {
    for (const Output& output : m_outputs) {
        std::error_code ignored;
        fs::remove(output.work, ignored);
    }
}

fs::path RunOutputs::workName(const fs::path& destination, const std::string& role) {
    return destination.parent_path() / ("." + destination.filename().string() + kWorkMark + role);
}

fs::path RunOutputs::folder() const {
    fs::path parent = m_names.bankFile.parent_path();
    return parent.empty() ? fs::path(".") : parent;
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

void RunOutputs::removeStale() const {
    std::string prefix = "." + m_names.bankFile.filename().string() + kWorkMark;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder(), error)) {
        std::string name = entry.path().filename().string();
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
            isWorkSuffix(std::string_view(name).substr(prefix.size())) && !isInput(entry.path())) {
            std::error_code ignored;
            fs::remove(entry.path(), ignored);
        }
    }
}

void RunOutputs::create(const std::string& role, const fs::path& target, Action action) {
    fs::path work = workName(m_names.bankFile, role);
    int fd = ::open(work.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        throw ioError("Cannot create a work file for", target);
    }
    ::close(fd);
    m_outputs.push_back({role, work, target, action});
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
    return find("bank").work;
}

const fs::path& RunOutputs::archiveWork() const {
    return find("zip").work;
}

const fs::path& RunOutputs::packWork() const {
    return find("pack").work;
}

const fs::path& RunOutputs::rejectionWork(RejectionKind kind) const {
    return find(rejectionRole(kind)).work;
}

void RunOutputs::keepOlderBankFile() {
    find("bank").action = Action::Discard;
    find("zip").action = Action::Discard;
}

void RunOutputs::removeRejectionFile(RejectionKind kind) {
    find(rejectionRole(kind)).action = Action::RemoveTarget;
}

void RunOutputs::commit() {
    for (const Output& output : m_outputs) {
        if (output.action == Action::Replace && !syncPath(output.work, O_RDONLY)) {
            throw ioError("Cannot write file", output.target);
        }
    }
    for (const Output& output : m_outputs) {
        std::error_code error;
        if (output.action == Action::Replace) {
            fs::rename(output.work, output.target, error);
        } else {
            fs::remove(output.work, error);
            if (!error && output.action == Action::RemoveTarget) {
                fs::remove(output.target, error);
            }
        }
        if (error) {
            throw IoError("Cannot put " + output.target.string() + " in place: " + error.message());
        }
    }
    m_committed = true;
    if (!syncPath(folder(), O_RDONLY | O_DIRECTORY)) {
        throw ioError("Cannot write folder of", m_names.bankFile);
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
