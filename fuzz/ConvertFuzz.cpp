#include <algorithm>
#include <exception>
#include <string>

#include "FuzzInput.h"
#include "bankfile/BankFileVerifier.h"
#include "base/Clock.h"
#include "base/Operator.h"
#include "convert/ConversionRun.h"
#include "convert/Session.h"
#include "products/ConversionRequest.h"
#include "reports/ReportValue.h"

// One product's whole run over arbitrary source (and invoice) bytes. A bank file that the run
// reports as written passes verify and carries the shown Hash Value; the rejection files hold one
// whole line per rejection counted by a run that reached the end; a run that stops or fails leaves
// nothing. Errors that end a run are fine; a crash is not.
namespace {

using namespace convertor;
namespace fs = std::filesystem;

class QuietOperator : public Operator {
public:
    void showMessage(const std::string&) override {}
    void setProgress(int) override {}
    void setHashValue(const std::string& text) override { hashValue = text; }
    void showReport(ReportValue) override { reported = true; }
    bool confirmRepeat(const std::string&) override { return true; }
    void warn(const std::string&) override {}
    std::string hashValue;
    bool reported = false;  // the run reached the end of the source
};

struct Home {
    fs::path dir = fuzz::scratch() / "home";
    Home() {
        fs::create_directories(dir / "Data");
        fs::copy_file(SEED_DATABASE, dir / "Data" / "zvb.db", fs::copy_options::overwrite_existing);
        std::error_code ignored;
        fs::create_directory_symlink(REPORT_DIR, dir / "Report", ignored);
    }
};

long crlfLines(const fs::path& file) {
    std::string bytes = fuzz::readAll(file);
    FUZZ_CHECK(bytes.empty() || bytes.ends_with("\r\n"));
    long lines = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) {
        ++lines;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Home home;
    static const FixedClock clock(Date{2025, 3, 1});
    static Session session(home.dir);
    session.setClock(clock);

    std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t split = input.find("\xff\xfe");  // source bytes, then invoice bytes
    std::string source = input.substr(0, split);
    std::string invoice = split == std::string::npos ? std::string() : input.substr(split + 2);
    fs::path out = fuzz::scratch() / "out";
    fs::remove_all(out);
    fs::create_directories(out);

    ConversionRequest request;
    request.companyId = "FUZZ01";
    request.debitAccount = "1234567896";
    request.feeAccount = "1234567896";
    request.product = FUZZ_PRODUCT;
    request.sourceFile = fuzz::writeText("source.txt", source).string();
    request.invoiceFile = fuzz::writeText("invoice.txt", invoice).string();
    request.destinationFile = (out / "bank.txt").string();
    request.printDetail = !source.empty() && (source.back() & 1);
    session.settings.dcp = session.settings.pay = session.settings.mcl = session.settings.mcp = "TRUE";
    QuietOperator op;
    bool finished = false;
    RunResult result;
    try {
        result = runConversion(request, session, op);
        finished = true;
    } catch (const std::exception&) {
    }
    if (result.outcome == RunOutcome::Completed) {
        FUZZ_CHECK(finished);
        FUZZ_CHECK(verifyBankFile(out / "bank.txt").empty());
        std::string bank = fuzz::readAll(out / "bank.txt");
        FUZZ_CHECK(bank.substr(0, 40) == op.hashValue);
    }
    if (!finished || !op.reported) {
        FUZZ_CHECK(fs::is_empty(out));  // a stopped or failed run leaves the folder as it was
    }
    if (finished && op.reported) {
        long lines = 0;
        for (const auto& entry : fs::directory_iterator(out)) {
            if (entry.path().filename().string().starts_with("FUZZ01_")) {
                lines += crlfLines(entry.path());
            }
        }
        FUZZ_CHECK(lines == std::stol(result.summary.items[6]));
    }
    return 0;
}
