#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bankfile/BankFileVerifier.h"
#include "support/RunFixture.h"

// Fields that a converter copies from a source line as it stands: whatever the line may carry
// there, the run writes its bank file and `verify` takes it.
namespace convertor::test {
namespace {

enum class InFile { Source, Invoice };

struct Typed {
    const char* what;
    Product product;
    InFile file;
    std::vector<std::pair<std::size_t, std::size_t>> columns;  // 1-based, inclusive
    std::vector<std::string> texts;  // none: blanks, and a letter in place of the last character
};

void PrintTo(const Typed& typed, std::ostream* out) {
    *out << productCode(typed.product) << " " << typed.what;
}

// Header and one accepted line of each product; the cheque has no withholding tax and one invoice.
struct Sources {
    std::vector<std::string> source;
    std::vector<std::string> invoice;
};

Sources sourcesOf(Product product) {
    auto lines = [](const std::string& file) { return splitCrlf(readFile(testData(file))); };
    switch (product) {
        case Product::MediaClearing:
            return {{lines("mcl/mixed.txt")[0], lines("mcl/mixed.txt")[2]}, {}};
        case Product::ManagerCheque: {
            std::string payment = lines("mcp/basic.txt")[0];
            payment.replace(103, 1, "0");     // no withholding tax
            payment.replace(128, 4, "1001");  // one invoice
            std::string invoice = lines("mcp/basic_inv.txt")[0];
            invoice.replace(0, 26, payment.substr(0, 26));
            return {{payment}, {invoice}};
        }
        default:
            return {{lines("dcp/eleven.txt")[0], lines("dcp/eleven.txt")[1]}, {}};
    }
}

std::string withText(std::string line, std::size_t first, std::size_t last, const std::string& text) {
    line.resize(std::max(line.size(), last), ' ');
    line.replace(first - 1, last - first + 1, text);
    return line;
}

class AsTypedFields : public RunFixture, public ::testing::WithParamInterface<Typed> {
protected:
    // Converts the product's sources with every range of the case replaced by the variant's text;
    // the bank file is written and verifies.
    void expectConverts(const Typed& typed, std::size_t variant) {
        Sources sources = sourcesOf(typed.product);
        std::string& line = typed.file == InFile::Invoice ? sources.invoice.back() : sources.source.back();
        for (auto [first, last] : typed.columns) {
            std::size_t width = last - first + 1;
            std::string text;
            if (!typed.texts.empty()) {
                text = typed.texts.at(variant);
            } else if (variant == 0) {
                text = std::string(width, ' ');
            } else {
                text = line.substr(first - 1, width - 1) + "X";
            }
            line = withText(line, first, last, text);
        }
        directCredit("dcp/eleven.txt", typed.product);
        writeFile(home.in("source.txt"), crlfLines(sources.source));
        request.sourceFile = home.in("source.txt").string();
        if (!sources.invoice.empty()) {
            writeFile(home.in("invoice.txt"), crlfLines(sources.invoice));
            request.invoiceFile = home.in("invoice.txt").string();
        }
        if (typed.product == Product::MediaClearing) {
            clock = FixedClock(Date{2025, 3, 5});
        }
        SCOPED_TRACE(std::string(typed.what) + ", variant " + std::to_string(variant) + ": " + line);
        ASSERT_NO_THROW(run());
        EXPECT_TRUE(completed()) << ::testing::PrintToString(op.messages);
        EXPECT_EQ(verifyBankFile(bank()), std::vector<std::string>{});
    }
};

TEST_P(AsTypedFields, ConvertAndVerify) {
    const Typed& typed = GetParam();
    std::size_t variants = typed.texts.empty() ? 2 : typed.texts.size();
    for (std::size_t variant = 0; variant < variants; ++variant) {
        expectConverts(typed, variant);
    }
}

const Typed kTyped[] = {
    {"payee name", Product::DirectCredit, InFile::Source, {{29, 88}}, {}},
    {"payee name", Product::Payroll, InFile::Source, {{29, 88}}, {}},
    {"debit branch code", Product::MediaClearing, InFile::Source, {{31, 34}}, {}},
    {"service type", Product::MediaClearing, InFile::Source, {{54, 55}}, {}},
    {"payee ID and name", Product::MediaClearing, InFile::Source, {{190, 199}, {200, 222}}, {}},
    {"receiving bank code", Product::MediaClearing, InFile::Source, {{10, 12}}, {"+02", "2.0", "-02"}},
    {"receiving branch code", Product::MediaClearing, InFile::Source, {{13, 16}}, {"+001", "1.00", "1e00"}},
    {"no withholding tax at all", Product::ManagerCheque, InFile::Source, {{414, 443}, {515, 555}}, {}},
    {"tax paid code", Product::ManagerCheque, InFile::Source, {{515, 515}}, {}},
    {"tax attachment", Product::ManagerCheque, InFile::Source, {{439, 443}}, {}},
    {"tax date and run", Product::ManagerCheque, InFile::Source, {{415, 438}}, {}},
    {"withholding-tax amount", Product::ManagerCheque, InFile::Source, {{86, 94}}, {}},
    {"invoice amount", Product::ManagerCheque, InFile::Source, {{60, 72}}, {}},
    {"invoice amounts", Product::ManagerCheque, InFile::Invoice, {{52, 64}, {140, 166}}, {}},
    {"invoice number, date and order",
     Product::ManagerCheque,
     InFile::Invoice,
     {{27, 41}, {65, 74}, {125, 139}},
     {}},
};

INSTANTIATE_TEST_SUITE_P(EveryProduct, AsTypedFields, ::testing::ValuesIn(kTyped),
                         [](const ::testing::TestParamInfo<Typed>& info) {
                             return productCode(info.param.product) + std::to_string(info.index);
                         });

// The invoice count of a cheque without invoices is copied, not read as a number.
TEST_F(AsTypedFields, InvoiceCountOfAChequeWithoutInvoices) {
    for (std::string count : {"   ", "0X1"}) {
        Sources sources = sourcesOf(Product::ManagerCheque);
        directCredit("dcp/eleven.txt", Product::ManagerCheque);
        writeFile(home.in("source.txt"), crlfLines({withText(sources.source[0], 129, 132, "0" + count)}));
        request.sourceFile = home.in("source.txt").string();
        ASSERT_NO_THROW(run());
        EXPECT_TRUE(completed()) << ::testing::PrintToString(op.messages);
        EXPECT_EQ(verifyBankFile(bank()), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace convertor::test
