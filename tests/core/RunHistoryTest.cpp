#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "base/ConversionError.h"
#include "convert/InputDigests.h"
#include "convert/RepeatGuard.h"
#include "convert/RunHistory.h"
#include "refdata/Schema.h"
#include "support/RunFixture.h"

namespace fs = std::filesystem;

namespace convertor::test {
namespace {

namespace h = schema::runHistory;

std::string text(const TableValue& value) {
    const auto* found = std::get_if<std::string>(&value);
    return found == nullptr ? std::string() : *found;
}

double number(const TableValue& value) {
    const auto* found = std::get_if<double>(&value);
    return found == nullptr ? -1 : *found;
}

class RunHistoryTest : public RunFixture {
protected:
    // The history's rows, oldest first, as column name to value.
    std::vector<std::map<std::string, TableValue>> history() {
        std::vector<std::map<std::string, TableValue>> rows;
        HistoryRows found = newestRuns(tables, 1000);
        for (auto row = found.rows.rbegin(); row != found.rows.rend(); ++row) {
            std::map<std::string, TableValue> named;
            for (std::size_t i = 0; i < found.columns.size(); ++i) {
                named[found.columns[i]] = (*row)[i];
            }
            rows.push_back(std::move(named));
        }
        return rows;
    }
    void manager(const std::string& source, const std::string& invoice) {
        request.companyId = "ACME01";
        request.product = Product::ManagerCheque;
        request.sourceFile = source;
        request.invoiceFile = invoice;
        request.destinationFile = bank().string();
    }
    // A copy of a file of tests/data under another name, with byte at (if any) changed.
    std::string copyOf(const std::string& data, const std::string& name, long at = -1) {
        std::string bytes = readFile(testData(data));
        if (at >= 0) {
            bytes[static_cast<std::size_t>(at)] = bytes[static_cast<std::size_t>(at)] == '1' ? '2' : '1';
        }
        writeFile(home.in(name), bytes);
        return home.in(name).string();
    }
};

TEST_F(RunHistoryTest, EveryRunPastTheInputChecksLeavesOneRowWithItsOutcome) {
    const std::vector<std::pair<const char*, const char*>> cases{
        {"dcp/eleven.txt", h::kCompleted},  {"dcp/all_rejected.txt", h::kAllRejected},
        {"dcp/yesterday.txt", h::kStopped}, {"dcp/bad_count.txt", h::kFailed},
        {"dcp/nine.txt", nullptr},  // refused by an input check: no row
    };
    for (const auto& [source, outcome] : cases) {
        SCOPED_TRACE(source);
        const std::size_t before = history().size();
        directCredit(source);
        request.feeAccount = outcome == nullptr ? "" : request.feeAccount;
        op.messages.clear();
        std::string shown;  // the stop message or the error's text
        try {
            run();
            shown = op.messages.empty() ? "" : op.messages.back();
        } catch (const ConversionError& error) {
            shown = error.what();
        }
        const auto rows = history();
        ASSERT_EQ(rows.size(), before + (outcome == nullptr ? 0 : 1));
        if (outcome == nullptr) {
            continue;
        }
        const auto& row = rows.back();
        EXPECT_EQ(text(row.at(h::kOutcome)), outcome);
        EXPECT_EQ(text(row.at(h::kSourcePath)), request.sourceFile);
        EXPECT_EQ(text(row.at(h::kSourceSha1)), fileSha1(request.sourceFile));
        EXPECT_EQ(number(row.at(h::kSourceSize)), static_cast<double>(fs::file_size(request.sourceFile)));
        EXPECT_EQ(text(row.at(h::kDestination)), bank().string());
        EXPECT_EQ(text(row.at(h::kProduct)) + " " + text(row.at(h::kCompanyId)), "DCP ACME01");
        EXPECT_FALSE(text(row.at(h::kLogin)).empty());
        EXPECT_TRUE(
            std::regex_match(text(row.at(h::kStarted)), std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")));
        EXPECT_LE(text(row.at(h::kStarted)), text(row.at(h::kEnded)));
        const bool completed = std::string(outcome) == h::kCompleted;
        EXPECT_EQ(text(row.at(h::kHashValue)), completed ? result.digest : "");
        EXPECT_EQ(text(row.at(h::kArchiveName)), completed ? "2030-01-02ACME01_DCP.zip" : "");
        if (completed) {
            EXPECT_EQ(text(row.at(h::kTotalAmount)), result.totalText);
            EXPECT_EQ(number(row.at(h::kAccepted)), static_cast<double>(result.acceptedCount));
            double kinds = 0;
            for (const char* kind : {h::kRejectedInvalidAcct, h::kRejectedCreditZeroAmount,
                                     h::kRejectedCreditAmountInvalid, h::kRejectedBankBranchCode}) {
                kinds += number(row.at(kind));
            }
            EXPECT_EQ(number(row.at(h::kRejected)), std::stod(result.summary.items[6]));
            EXPECT_EQ(kinds, number(row.at(h::kRejected)));
            EXPECT_GT(kinds, 0);
        } else if (std::string(outcome) != h::kAllRejected) {
            EXPECT_EQ(text(row.at(h::kMessage)), shown);
            EXPECT_FALSE(shown.empty());
        }
    }
    EXPECT_TRUE(op.warnings.empty());
}

// The guard compares content: a renamed copy is caught; a byte changed, another size, another
// product or a run that did not complete is not.
TEST_F(RunHistoryTest, RepeatGuardComparesContentWithCompletedRunsOfTheProduct) {
    struct Case {
        const char* source;    // a file of tests/data
        const char* copyName;  // run from a copy of it under this name, with byteChanged changed
        long byteChanged;
        Product product;
        bool caught;
    };
    const std::vector<Case> cases{
        {"dcp/eleven.txt", nullptr, -1, Product::DirectCredit, true},
        {"dcp/eleven.txt", "ชื่อ ใหม่.txt", -1, Product::DirectCredit, true},
        {"dcp/eleven.txt", "changed.txt", 120, Product::DirectCredit, false},
        {"dcp/eleven.txt", nullptr, -1, Product::Payroll, false},
        {"dcp/all_rejected.txt", nullptr, -1, Product::DirectCredit, false},  // that run did not complete
    };
    directCredit("dcp/eleven.txt");
    run();
    ASSERT_TRUE(completed());
    const std::string sha1 = fileSha1(request.sourceFile);
    const std::string digest = result.digest;
    // Told of the newest completed run of the same content.
    auto notice = [&] {
        std::string started;
        for (const auto& row : history()) {
            if (text(row.at(h::kOutcome)) == h::kCompleted && text(row.at(h::kProduct)) == "DCP" &&
                text(row.at(h::kSourceSha1)) == sha1) {
                started = text(row.at(h::kStarted));
            }
        }
        return "this file was converted on " + started + " into " + bank().string() + " (Hash Value " +
               digest + ")";
    };
    directCredit("dcp/all_rejected.txt");
    run();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " " + (c.copyName == nullptr ? "" : c.copyName));
        op.repeats.clear();
        const std::string expected = notice();
        directCredit(c.source, c.product);
        if (c.copyName != nullptr) {
            request.sourceFile = copyOf(c.source, c.copyName, c.byteChanged);
        }
        run();
        EXPECT_EQ(op.repeats, c.caught ? std::vector<std::string>{expected} : std::vector<std::string>{});
    }
    // The source is hashed before the run only when a completed run had a source of its size.
    for (const auto& [file, hashed] :
         std::vector<std::pair<const char*, bool>>{{"dcp/nine.txt", false}, {"dcp/eleven.txt", true}}) {
        directCredit(file);
        RepeatGuard guard(request);
        EXPECT_EQ(guard.earlierRun(tables).has_value(), hashed) << file;
        EXPECT_EQ(guard.sourceSha1().empty(), !hashed) << file;
    }
}

// Manager Cheque: the invoice file is recorded and compared too.
TEST_F(RunHistoryTest, ManagerChequeComparesTheInvoiceFileToo) {
    manager(testData("mcp/basic.txt").string(), testData("mcp/basic_inv.txt").string());
    run();
    ASSERT_TRUE(completed()) << (op.messages.empty() ? "" : op.messages[0]);
    auto row = history().back();
    EXPECT_EQ(text(row.at(h::kInvoicePath)), request.invoiceFile);
    EXPECT_EQ(text(row.at(h::kInvoiceSha1)), fileSha1(request.invoiceFile));
    EXPECT_EQ(number(row.at(h::kInvoiceSize)), static_cast<double>(fs::file_size(request.invoiceFile)));

    manager(testData("mcp/basic.txt").string(), copyOf("mcp/basic_inv.txt", "inv.txt", 30));
    run();
    EXPECT_TRUE(op.repeats.empty());
    manager(copyOf("mcp/basic.txt", "again.txt"), copyOf("mcp/basic_inv.txt", "inv-again.txt"));
    run();
    EXPECT_EQ(op.repeats.size(), 1u);
}

TEST_F(RunHistoryTest, OlderDatabaseGetsTheTableAndKeepsEverythingElse) {
    auto catalogue = [&] {
        return query(tables,
                     "SELECT type, name, sql FROM sqlite_master WHERE name NOT LIKE 'RunHistory%' "
                     "ORDER BY name")
            .rows;
    };
    ASSERT_FALSE(tables.hasTable(h::kTable)) << "the seed database is one made before the history";
    const auto before = catalogue();
    const auto banks = rows("Bank");
    directCredit("dcp/eleven.txt");
    run();
    EXPECT_TRUE(tables.hasTable(h::kTable));
    EXPECT_EQ(catalogue(), before);
    EXPECT_EQ(rows("Bank"), banks);
    EXPECT_EQ(history().size(), 1u);
}

TEST(InputDigestsTest, HashesOnItsThreadTakesKnownDigestsAndLeavesUnreadableFilesEmpty) {
    TempDir dir;
    writeFile(dir / "a.txt", std::string(3 << 20, 'a'));
    writeFile(dir / "b.txt", "");
    InputDigests digests({dir / "a.txt", dir / "b.txt", dir / "missing.txt", dir / "a.txt"},
                         {"", "", "", "KNOWN"});
    EXPECT_EQ(digests.results(),
              (std::vector<std::string>{fileSha1(dir / "a.txt"), "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709",
                                        "", "KNOWN"}));
    EXPECT_THROW(fileSha1(dir / "missing.txt"), IoError);
}

// Values are bound, never spliced into the SQL; a column the table lacks is refused; two runs of
// one second are two rows; a number out of the range of an integer is kept as a real.
TEST(TableStoreHistoryTest, BindsValuesAndRefusesUnknownColumns) {
    TestHome home;
    TableStore store(home.database());
    EXPECT_THROW(store.addHistoryRow({{"NoSuchColumn", std::string("x")}}), TableError);
    EXPECT_FALSE(store.hasTable(h::kTable)) << "a refused row creates nothing";
    const std::string company = "A'B\"; DROP TABLE Bank;--";
    for (int twice = 0; twice < 2; ++twice) {
        store.addHistoryRow({{h::kStarted, std::string("2030-01-02 10:00:00")},
                             {h::kEnded, std::string("2030-01-02 10:00:00")},
                             {h::kProduct, std::string("DCP")},
                             {h::kCompanyId, company},
                             {h::kOutcome, std::string(h::kCompleted)},
                             {h::kSourceSize, 12345678901.0},
                             {h::kAccepted, 1e300}});
    }
    auto cursor = store.openQuery(
        "SELECT typeof(SourceSize), typeof(Accepted) FROM RunHistory WHERE CompanyId = ? AND SourceSize = ?",
        {company, 12345678901.0});
    for (int row = 0; row < 2; ++row) {
        ASSERT_TRUE(cursor->next());
        EXPECT_EQ(text(cursor->row()[0]) + " " + text(cursor->row()[1]), "integer real");
    }
    EXPECT_FALSE(cursor->next());
    EXPECT_THROW(store.openQuery("SELECT 1 WHERE ? = ?", {1.0}), TableError);
    EXPECT_TRUE(store.hasTable("Bank"));
}

}  // namespace
}  // namespace convertor::test
