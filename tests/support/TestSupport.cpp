#include "support/TestSupport.h"

#include <sys/wait.h>
#include <ctime>

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "text/CodePage.h"

namespace fs = std::filesystem;

namespace convertor::test {

TempDir::TempDir() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("convertor-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary directory");
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_path, ignored);
}

TestHome::TestHome() {
    fs::create_directories(home() / "Data");
    fs::create_directories(home() / "Report");
    fs::create_directories(home() / "in");
    fs::create_directories(home() / "out");
    fs::copy_file(SEED_DATABASE, database());
    fs::copy_file(fs::path(DELIVERED_DATA_DIR) / "Default.ini", home() / "Data" / "Default.ini");
    fs::path templates = fs::path(DELIVERED_DATA_DIR) / "reports";
    if (fs::exists(templates)) {
        for (const auto& entry : fs::directory_iterator(templates)) {
            fs::copy_file(entry.path(), home() / "Report" / entry.path().filename());
        }
    }
}

void writeFile(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + file.string());
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string crlfLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::vector<std::string> splitCrlf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", start)) {
        lines.push_back(bytes.substr(start, at - start));
        start = at + 2;
    }
    return lines;
}

std::string cp874(const std::string& utf8) {
    auto bytes = fromUtf8(utf8);
    if (!bytes) {
        throw std::runtime_error("not representable in code page 874: " + utf8);
    }
    return *bytes;
}

namespace {

std::string shellQuoted(const std::string& arg) {
    std::string result = "'";
    for (char c : arg) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

}  // namespace

CliOutcome runCliProcess(const std::vector<std::string>& args, const fs::path& scratch,
                         const std::string& fakeTime, int fileSizeBlocks, const std::string& asUser) {
    std::string command = asUser.empty() ? std::string() : asUser + " ";
    command += fakeTime.empty() ? std::string() : "faketime " + shellQuoted(fakeTime) + " ";
    if (fileSizeBlocks > 0) {
        command = "trap '' XFSZ; ulimit -f " + std::to_string(fileSizeBlocks) + "; " + command;
    }
    command += shellQuoted(CLI_EXECUTABLE);
    for (const auto& arg : args) {
        command += " " + shellQuoted(arg);
    }
    fs::path out = scratch / "cli-stdout.txt";
    fs::path err = scratch / "cli-stderr.txt";
    command += " >" + shellQuoted(out.string()) + " 2>" + shellQuoted(err.string());
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(out), readFile(err)};
}

std::string withoutHistoryWarnings(const std::string& err) {
    std::string kept;
    std::size_t start = 0;
    while (start < err.size()) {
        std::size_t end = err.find('\n', start);
        end = end == std::string::npos ? err.size() : end + 1;
        const std::string_view line(err.data() + start, end - start);
        if (!line.starts_with("warning: this file was converted on ") &&
            !line.starts_with("warning: the run history ")) {
            kept += err.substr(start, end - start);
        }
        start = end;
    }
    return kept;
}

bool workFilesIn(const fs::path& dir) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dir, error)) {
        if (entry.path().filename().string().find(".convertor-work-") != std::string::npos) {
            return true;
        }
    }
    return false;
}

fs::path testData(const std::string& relative) {
    return fs::path(TEST_DATA_DIR) / relative;
}

std::vector<std::string> directCreditArgs(const std::filesystem::path& source,
                                          const std::filesystem::path& destination,
                                          const std::filesystem::path& home) {
    return {"convert",
            "--product",
            "DCP",
            "--company",
            "ACME01",
            "--debit",
            "1234567896",
            "--fee",
            "1234567896",
            "--source",
            source.string(),
            "--dest",
            destination.string(),
            "--home",
            home.string()};
}

std::string withFutureDate(std::string mediaClearingSource) {
    std::time_t later = std::time(nullptr) + 2 * 24 * 3600;
    std::tm local{};
    localtime_r(&later, &local);
    char ddmmyyyy[9];
    std::strftime(ddmmyyyy, sizeof ddmmyyyy, "%d%m%Y", &local);
    mediaClearingSource.replace(30, 8, ddmmyyyy);
    return mediaClearingSource;
}

QueryResult query(TableStore& tables, const std::string& sql) {
    std::unique_ptr<QueryCursor> cursor = tables.openQuery(sql);
    QueryResult result;
    result.columns = cursor->columns();
    while (cursor->next()) {
        result.rows.push_back(cursor->row());
    }
    return result;
}

}  // namespace convertor::test
