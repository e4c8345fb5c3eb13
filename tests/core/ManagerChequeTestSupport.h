#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "convert/ConversionRun.h"
#include "convert/Session.h"
#include "products/ConversionRequest.h"
#include "refdata/TableStore.h"
#include "support/TestSupport.h"

namespace convertor::test {

// A Manager Cheque run on 2 January 2030 for company ACME01, with files from tests/data/mcp.
struct ChequeRun {
    TestHome home;
    FixedClock clock{Date{2030, 1, 2}};
    Session session{home.home()};
    TableStore& tables = session.tables();
    RecordingOperator op;
    ConversionRequest request;
    RunResult result;

    ChequeRun() {
        request.companyId = "ACME01";
        request.product = Product::ManagerCheque;
        request.destinationFile = home.out("bank.txt").string();
        session.setClock(clock);
        session.settings.defaultBranchCode = "TRUE";
    }

    void payments(const std::vector<std::string>& lines) {
        writeFile(home.in("pay.txt"), crlfLines(lines));
        request.sourceFile = home.in("pay.txt").string();
    }
    void invoices(const std::vector<std::string>& lines) {
        writeFile(home.in("inv.txt"), crlfLines(lines));
        request.invoiceFile = home.in("inv.txt").string();
    }
    void run() { result = runConversion(request, session, op); }
    bool completed() const { return result.outcome == RunOutcome::Completed; }

    std::vector<std::string> bankLines() const { return splitCrlf(readFile(home.out("bank.txt"))); }
    std::string rejections(const std::string& suffix) const {
        return readFile(home.out("ACME01_MCP" + suffix));
    }
};

// The lines of a file under tests/data/mcp.
inline std::vector<std::string> chequeData(const std::string& name) {
    return splitCrlf(readFile(testData("mcp/" + name)));
}

// The line with columns first.. replaced by text (1-based).
inline std::string patch(std::string line, std::size_t first, const std::string& text) {
    line.replace(first - 1, text.size(), text);
    return line;
}

// Width characters of a record from a 1-based start.
inline std::string at(const std::string& record, std::size_t start, std::size_t width) {
    return record.substr(start - 1, width);
}

}  // namespace convertor::test
