#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>

#include "base/ConversionError.h"
#include "reports/ReportEngine.h"
#include "reports/ReportJsonReader.h"
#include "reports/ReportQueries.h"
#include "reports/ReportValue.h"
#include "reports/TextFormat.h"
#include "support/TestSupport.h"

namespace convertor {
namespace {

const std::filesystem::path kTemplates = std::filesystem::path(DELIVERED_DATA_DIR) / "reports";
const Date kPrinted{2025, 3, 5};

ReportValue sample(const std::string& name) {
    return readReportJson(std::filesystem::path(TEST_DATA_DIR) / "reports" / name);
}

std::string render(const ReportValue& report) {
    return renderReportFile(report, kTemplates, kPrinted);
}

// Asserts that the texts occur in this order in the HTML.
void expectInOrder(const std::string& html, const std::vector<std::string>& texts) {
    std::size_t from = 0;
    for (const auto& text : texts) {
        const std::size_t at = html.find(text, from);
        ASSERT_NE(at, std::string::npos) << "missing after position " << from << ": " << text;
        from = at + text.size();
    }
}

std::size_t occurrences(const std::string& html, const std::string& text) {
    std::size_t count = 0;
    for (std::size_t at = html.find(text); at != std::string::npos; at = html.find(text, at + 1)) {
        ++count;
    }
    return count;
}

void writeText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

TEST(ReportTemplates, ResultReportReadsLikeAStatementOfTheRun) {
    const std::string html = render(sample("result_mcl.json"));
    expectInOrder(html,
                  {"<!DOCTYPE html>", "Media Clearing", "Printed 05/03/2025", "COMP01",
                   "Company Name : ", "05/03/2025", "C:\\Pay\\mcl_0305.txt", "C:\\Pay\\out\\mcl_0305.bnk",
                   "3F2A9C0B7D14E6A85B21C0FFEE1234567890ABCD", ">1<", ">2<", "124.00", "0000000000124.000",
                   "Zero amount", ">1<", ">5<", "Total rejected", ">1<", "</html>"});
    // The company name shows as typed: quote, ampersand and angle brackets are escaped, Thai kept.
    EXPECT_NE(html.find("บริษัท โอ&#39;นีล &amp; &lt;ลูก&gt; จำกัด"), std::string::npos);
    EXPECT_EQ(html.find("<ลูก>"), std::string::npos);
}

TEST(ReportTemplates, ResultReportOfARunWithoutAcceptedLines) {
    ReportValue report;
    report.templateName = "rptResult.frf";
    report.variables = {{"FromFile", "cheques.txt"},
                        {"ToFile", ""},
                        {"HashCode", ""},
                        {"ComId", "MCP9"},
                        {"PayType", "Manager Cheque"},
                        {"DebitRecord", "0"},
                        {"CreditRecord", "0"},
                        {"Amount", "0000000000000.000"},
                        {"ComName", ""},
                        {"ValueDate", "01/04/2025"},
                        {"CusCap", ""},
                        {"TotalZeroAcct", "0"},
                        {"TotalZeroAm", "2"},
                        {"TotalNagativeAm", "1"},
                        {"NoZeroAcct", ""},
                        {"NoZeroAm", "7"},
                        {"NoNagativeAm", "3"},
                        {"TotalReject", "3"},
                        {"TotalBNKBRN", "0"}};
    const std::string html = render(report);
    expectInOrder(html, {"Manager Cheque", "MCP9", "01/04/2025", "cheques.txt", "0.00", "0000000000000.000",
                         "Invalid amount", ">1<", ">3<", "Total rejected", ">3<"});
    EXPECT_EQ(html.find("{{"), std::string::npos);
}

TEST(ReportTemplates, DirectCreditDetailListsEveryLineWithTotalsAndRejections) {
    const ReportValue report = sample("dcp_detail.json");
    const std::string html = render(report);
    const auto& rows = report.datasets.at(0).rows;
    ASSERT_EQ(rows.size(), 45u);
    expectInOrder(html, {"ACME01", "07/03/2025", "Direct Credit", "1112223334", "บริษัท ตัวอย่าง จำกัด",
                         "5556667778", "0123456789ABCDEF0123456789ABCDEF01234567"});
    // Rows in order with their amounts formatted as money.
    expectInOrder(html, {">1<", "1234567890", "สมชาย ใจดี", "1,000.00", ">2<", "สมหญิง รักไทย", "2,234.75",
                         ">45<", "ประเสริฐ วงศ์ทอง", "55,318.50"});
    EXPECT_NE(html.find("Total: 45 lines"), std::string::npos);
    EXPECT_NE(html.find("1,267,166.25"), std::string::npos);
    expectInOrder(html, {"Rejected lines", ">4<", "Account", "Column : 4-13", "Invalid account number", ">9<",
                         "Amount is zero", ">9<", "Amount invalid", "Rejection entries", ">3<"});
}

TEST(ReportTemplates, PayrollDetailWithRejectionRowsOnly) {
    ReportValue report;
    report.templateName = "rptDcpDetail.frf";
    report.variables = {{"HashCode", ""},    {"ComId", "PAY01"},          {"PayType", "PayRoll"},
                        {"ComName", "ACME"}, {"ValueDate", "28/02/2025"}, {"Acct", "1"},
                        {"AcctFee", "2"}};
    report.datasets = {
        {"frDBDataSet1", {"AcNo", "Amount", "Name"}, {}},
        {"frDBDataSet2", {"LnNo", "FieldName", "ColNo", "DesErr"}, {{"2", "Amount", "c", "zero"}}}};
    const std::string html = render(report);
    expectInOrder(html, {"PayRoll", "No accepted lines.", "Total: 0 lines", "0.00", ">2<", "zero"});
    EXPECT_EQ(html.find("No rejected lines."), std::string::npos);
}

TEST(ReportTemplates, MediaClearingDetailShowsBankBranchAndServiceType) {
    const std::string html = render(sample("mcl_detail.json"));
    expectInOrder(html, {"MCL777", "ห้างหุ้นส่วน ทดลอง", "9876543210", "9876543210"});
    expectInOrder(
        html, {"2000000000", ">002<", ">0100<", "(01)Salary, wages, gratuity or retirement", "สมชาย ใจดี",
               "250.75", "2000104729", ">003<", ">0101<", "(04)Expense for goods or services", "1,249.85"});
    EXPECT_NE(html.find("Total: 14 lines"), std::string::npos);
    EXPECT_NE(html.find("94,428.60"), std::string::npos);
    expectInOrder(html, {"Rejected lines", "Amount is zero", "Bank 999 branch 0001 invalid code"});
}

TEST(ReportTemplates, ManagerChequeDetailNestsTaxAndInvoiceRowsUnderTheirCheque) {
    const std::string html = render(sample("mcp_detail.json"));
    expectInOrder(html, {"MCP001", "12/03/2025", "Manager Cheque", "4445556667"});
    expectInOrder(html, {"000001",
                         "บริษัท ก้าวหน้า การช่าง จำกัด",
                         "10,700.00",
                         "Rent and professional fees",
                         "ค่าจ้างทำของ",
                         "10,000.00",
                         "Withheld at source",
                         "300.00",
                         "INV-0001",
                         "01/03/2025",
                         "PO-77",
                         "300.00",
                         "700.00",
                         "10,000.00",
                         "000002",
                         "นายสมศักดิ์ ทองดี",
                         "5,000.00",
                         "000003",
                         "Global Supplies Co., Ltd.",
                         "ค่าบริการขนส่ง",
                         "900.00",
                         "ค่านายหน้า",
                         "600.00",
                         "INV-0100",
                         "30,000.00",
                         "INV-0101",
                         "20,000.00",
                         "Total: 3 cheques",
                         "69,200.00",
                         "1,800.00",
                         "4,200.00",
                         "60,000.00"});
    // The cheque without tax or invoice lines gets none of another cheque's.
    const std::string second = html.substr(html.find("000002"), html.find("000003") - html.find("000002"));
    EXPECT_EQ(second.find("Tax 01"), std::string::npos);
    EXPECT_EQ(second.find("INV-"), std::string::npos);
    EXPECT_EQ(occurrences(html, "INV-0"), 3u);
}

TEST(ReportEngineRules, FreshEngineHasTheEmptyReport) {
    ReportEngine engine;
    EXPECT_TRUE(engine.isEmptyReport());
    ReportValue report = sample("result_mcl.json");
    const std::string html = engine.render(report, kPrinted);
    EXPECT_NE(html.find("<html>"), std::string::npos);
    EXPECT_NE(html.find("<body></body>"), std::string::npos);
    EXPECT_FALSE(engine.load(kTemplates / "noSuchReport.frf"));
    EXPECT_TRUE(engine.isEmptyReport());
    EXPECT_EQ(renderReportFile(report, kTemplates / "missing-dir", kPrinted), html);
}

TEST(ReportEngineRules, FailedLoadKeepsTheLastLoadedTemplate) {
    ReportEngine engine;
    ASSERT_TRUE(engine.load(kTemplates / "rptResult.frf"));
    // A detail report's values shown through the result template left from the earlier report.
    ReportValue detail = sample("dcp_detail.json");
    EXPECT_FALSE(engine.load(kTemplates / "noSuchReport.frf"));
    EXPECT_FALSE(engine.load(kTemplates));  // a directory is not a template either
    EXPECT_EQ(engine.templateName(), "rptResult.frf");
    const std::string html = engine.render(detail, kPrinted);
    EXPECT_NE(html.find("Conversion Result"), std::string::npos);
    EXPECT_NE(html.find("ACME01"), std::string::npos);
    ASSERT_TRUE(engine.load(kTemplates / "rptDcpDetail.frf"));
    EXPECT_NE(engine.render(detail, kPrinted).find("Total: 45 lines"), std::string::npos);
}

TEST(ReportEngineRules, BrokenTemplateIsAnEngineError) {
    test::TempDir dir;
    writeText(dir / "bad.frf", "<p>{{#frDBDataSet1}}never closed</p>");
    ReportEngine engine;
    ASSERT_TRUE(engine.load(kTemplates / "rptResult.frf"));
    EXPECT_THROW(engine.load(dir / "bad.frf"), ConversionError);
    EXPECT_EQ(engine.templateName(), "rptResult.frf");
}

TEST(ReportEngineRules, RowsCountsSumsAndRepeatedColumns) {
    test::TempDir dir;
    writeText(dir / "t.frf",
              "{{#frDBDataSet5}}[{{RowNo}}|{{WhtAmount}}|{{WhtAmount_raw}}|{{WhtAmount_1}}|{{Note}}]{{/"
              "frDBDataSet5}}"
              "n={{frDBDataSet5_count}} s={{frDBDataSet5_sum_WhtAmount}} s1={{frDBDataSet5_sum_WhtAmount_1}} "
              "e={{frDBDataSet3_count}} x={{frDBDataSet5_sum_Note}} d={{PrintedDate}} v={{Missing}}.");
    ReportValue report;
    report.templateName = "t.frf";
    report.datasets = {{"frDBDataSet5",
                        {"WhtAmount", "Note", "WhtAmount"},
                        {{0.1, std::string("a&b"), 1234567.5}, {0.2, std::monostate{}, -0.25}}}};
    ReportEngine engine;
    ASSERT_TRUE(engine.load(dir / "t.frf"));
    EXPECT_EQ(engine.render(report, Date{2024, 12, 31}),
              "[1|0.10|0.1|1,234,567.50|a&amp;b][2|0.20|0.2|-0.25|]n=2 s=0.30 s1=1,234,567.25 e=0 x= "
              "d=31/12/2024 v=.");
}

TEST(ReportEngineRules, ChequeChildrenCarryTheirOwnCountsAndSums) {
    test::TempDir dir;
    writeText(dir / "t.frf",
              "{{#frDBDataSet4}}{{ID}}:{{wht_count}}/{{wht_sum_WhtAmount}}/{{invoices_count}}"
              "{{#invoices}}<{{InvoiceNo}}>{{/invoices}};{{/frDBDataSet4}}");
    ReportValue report;
    report.templateName = "t.frf";
    report.datasets = {
        {"frDBDataSet4", {"ID"}, {{std::string("000001")}, {std::string("000002")}}},
        {"frDBDataSet5",
         {"CreditId", "WhtAmount"},
         {{std::string("000002"), 1.5}, {std::string("000002"), 2.25}}},
        {"frDBDataSet6", {"CreditId", "InvoiceNo"}, {{std::string("000001"), std::string("I1")}}}};
    report.children = chequeChildLinks();
    EXPECT_EQ(renderReportFile(report, dir.path(), kPrinted), "000001:0/0.00/1<I1>;000002:2/3.75/0;");
    // The children are the report's to declare: without the link a cheque has none.
    report.children.clear();
    EXPECT_EQ(renderReportFile(report, dir.path(), kPrinted), "000001://;000002://;");
}

// The renderer reads the datasets row by row; it keeps the rules of the mustache library the
// templates are written for: standalone section lines, lookups falling back to outer rows and the
// variables, sections over texts, partials, delimiters, and cheque children grouped by ID whether
// the rows come in ID order or not.
ReportValue caseReport(bool chequesInOrder) {
    using S = std::string;
    const TableValue null;
    ReportValue report;
    report.variables = {{"ComId", "AC&1"}, {"Amount", "0000000000124.000"}, {"Part", "<b>{{ComId}}</b>"},
                        {"Empty", ""}, {"PrintedDate", "X"}, {"Name", "root-name"}};
    report.datasets = {
        {"frDBDataSet3", {"Acct", "Amount", "Name", "Acct"},
         {{S("A1"), 1.5, S("n<1>"), S("dup")}, {S("A2"), null, null, S("d2")}, {S("A3"), 2.25, S("x"), S("d3")}}},
        {"frDBDataSet2", {"LnNo"}, {}},
        {"frDBDataSet4", {"ID", "Name"},
         chequesInOrder ? std::vector<std::vector<TableValue>>{{S("000001"), S("c1")}, {S("000002"), S("c2")}, {S("000003"), S("c3")}}
                        : std::vector<std::vector<TableValue>>{{S("000002"), S("c2")}, {S("000001"), S("c1")}, {S("000002"), S("c2b")}}},
        {"frDBDataSet5", {"CreditId", "WhtAmount"},
         {{S("000001"), 1.0}, {S("000002"), 2.0}, {S("000003"), 2.0}, {S("000003"), 3.5}}},
        {"frDBDataSet6", {"CreditId", "InvoiceNo", "Name"},
         {{S("000003"), S("I3"), S("i3")}, {S("000001"), S("I1"), null}, {S("000009"), S("I9"), S("i9")},
          {S("000003"), S("I3b"), S("i3b")}}},
    };
    report.children = chequeChildLinks();
    return report;
}
const std::vector<std::string> kCaseTemplates = {
    "a\n  {{#frDBDataSet3}}  \n<{{RowNo}} {{Acct}} {{Acct_1}} {{Amount}} {{Amount_raw}} {{Name}} {{{Name}}} {{&Name}} "
    "{{ComId}}>\n  {{/frDBDataSet3}}\n{{^frDBDataSet2}}\nnone\n{{/frDBDataSet2}}\nn={{frDBDataSet3_count}} "
    "{{frDBDataSet3_sum_Amount}} {{frDBDataSet3_sum_Amount_raw}} [{{frDBDataSet3_sum_Name}}] {{frDBDataSet2_count}}\n",
    "{{#ComId}}<{{.}}>{{/ComId}}{{#Empty}}e{{.}}{{/Empty}}{{^Nope}}no{{/Nope}}{{^Empty}}never{{/Empty}}"
    "{{Amount_money}} {{PrintedDate}} {{.}}|{{a.b}}|{{frDBDataSet3.Acct}}\n"
    "{{#frDBDataSet3}}{{#Name}}({{.}}){{/Name}}{{^Name}}-{{/Name}}{{Missing}}{{/frDBDataSet3}}",
    "{{>Part}}|{{#frDBDataSet3}}{{>Part}}{{>Acct}}{{/frDBDataSet3}}{{>Nope}}",
    "x {{#frDBDataSet2}}y{{/frDBDataSet2}}\n {{#frDBDataSet3}}\t\n{{/frDBDataSet3}}z\r\n{{! note }}\n"
    "{{Empty}}{{#frDBDataSet2}}{{/frDBDataSet2}}\n  {{^frDBDataSet2}}\r\n{{/frDBDataSet2}}\nend",
    "{{#frDBDataSet3}}{{#frDBDataSet4}}{{ID}}{{Acct}}{{/frDBDataSet4}}{{#frDBDataSet3}}{{RowNo}}{{/frDBDataSet3}};"
    "{{/frDBDataSet3}}",
    "{{#frDBDataSet4}}{{RowNo}} {{ID}} [{{#wht}}{{RowNo}}:{{WhtAmount}}/{{Name}},{{/wht}}|{{#invoices}}{{InvoiceNo}}:"
    "{{Name}},{{/invoices}}{{^invoices}}none{{/invoices}}] {{wht_count}} {{wht_sum_WhtAmount}} {{invoices_count}} "
    "{{invoices_sum_Name}}\n{{/frDBDataSet4}}{{frDBDataSet5_count}}",
    "{{=<% %>=}}<%ComId%><%#frDBDataSet3%><%RowNo%><%/frDBDataSet3%><%={{ }}=%>{{frDBDataSet3_count}}",
    "{{frDBDataSet3_sum_Amount}}[{{frDBDataSet3_sum_Name}}]{{#frDBDataSet3}}{{frDBDataSet3_count}}{{/frDBDataSet3}}"
    "{{frDBDataSet3_count}}",
    "{{#frDBDataSet4}}{{#.}}{{wht_count}}{{/.}}{{wht_count}}{{#wht}}{{WhtAmount}}{{/wht}};{{/frDBDataSet4}}",
};

TEST(ReportEngineRules, StreamedRenderingKeepsTheTemplateRules) {
    struct Case {
        bool chequesInOrder;
        std::size_t templateIndex;
        std::string html;
    };
    const std::vector<Case> cases = {
        {1, 0, "a\n<1 A1 dup 1.50 1.5 n&lt;1&gt; n<1> n<1> AC&amp;1>\n<2 A2 d2      AC&amp;1>\n<3 A3 d3 2.25 2.25 x x x AC&amp;1>\nnone\nn=3 3.75 3.75 [] 0\n"},
        {1, 1, "<AC&amp;1>eno124.00 31/12/2024 ||\n(n&lt;1&gt;)()(x)"},
        {1, 2, "<b>AC&amp;1</b>|<b>AC&amp;1</b>A1<b>AC&amp;1</b>A2<b>AC&amp;1</b>A3"},
        {1, 3, "x \nz\r\n\n\nend"},
        {1, 4, "000001A1000002A1000003A1123;000001A2000002A2000003A2123;000001A3000002A3000003A3123;"},
        {1, 5, "1 000001 [1:1.00/c1,|I1:,] 1 1.00 1 0.00\n2 000002 [1:2.00/c2,|none] 1 2.00 0 0.00\n3 000003 [1:2.00/c3,2:3.50/c3,|I3:i3,I3b:i3b,] 2 5.50 2 \n4"},
        {1, 6, "AC&amp;11233"},
        {1, 7, "3.75[]3333"},
        {1, 8, "111.00;112.00;222.003.50;"},
        {0, 0, "a\n<1 A1 dup 1.50 1.5 n&lt;1&gt; n<1> n<1> AC&amp;1>\n<2 A2 d2      AC&amp;1>\n<3 A3 d3 2.25 2.25 x x x AC&amp;1>\nnone\nn=3 3.75 3.75 [] 0\n"},
        {0, 1, "<AC&amp;1>eno124.00 31/12/2024 ||\n(n&lt;1&gt;)()(x)"},
        {0, 2, "<b>AC&amp;1</b>|<b>AC&amp;1</b>A1<b>AC&amp;1</b>A2<b>AC&amp;1</b>A3"},
        {0, 3, "x \nz\r\n\n\nend"},
        {0, 4, "000002A1000001A1000002A1123;000002A2000001A2000002A2123;000002A3000001A3000002A3123;"},
        {0, 5, "1 000002 [1:2.00/c2,|none] 1 2.00 0 0.00\n2 000001 [1:1.00/c1,|I1:,] 1 1.00 1 0.00\n3 000002 [1:2.00/c2b,|none] 1 2.00 0 0.00\n4"},
        {0, 6, "AC&amp;11233"},
        {0, 8, "112.00;111.00;112.00;"},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        writeText(dir / "t.frf", kCaseTemplates.at(c.templateIndex));
        ReportValue report = caseReport(c.chequesInOrder);
        report.templateName = "t.frf";
        EXPECT_EQ(renderReportFile(report, dir.path(), Date{2024, 12, 31}), c.html)
            << "template " << c.templateIndex << (c.chequesInOrder ? ", cheques in order" : "");
    }
}

// A partial is parsed once per text, however many rows use it, and past the texts kept a row's
// own partial is still rendered; one that names itself, or is no template, is an engine error.
TEST(ReportEngineRules, PartialsNamedByRows) {
    test::TempDir dir;
    ReportValue report;
    report.templateName = "t.frf";
    report.variables = {{"Self", "<{{>Self}}>"}, {"Broken", "{{#open}}"}};
    ReportDataset rows{"frDBDataSet1", {"Part"}};
    std::string expected;
    for (int row = 1; row <= 300; ++row) {
        rows.rows.push_back({"r" + std::to_string(row % 290) + "={{RowNo}};"});
        expected += "r" + std::to_string(row % 290) + "=" + std::to_string(row) + ";";
    }
    report.datasets = {rows};
    writeText(dir / "t.frf", "{{#frDBDataSet1}}{{>Part}}{{/frDBDataSet1}}");
    EXPECT_EQ(renderReportFile(report, dir.path(), kPrinted), expected);
    for (const char* broken : {"{{>Self}}", "{{#frDBDataSet1}}{{>Broken}}{{/frDBDataSet1}}"}) {
        writeText(dir / "t.frf", broken);
        EXPECT_THROW(renderReportFile(report, dir.path(), kPrinted), ConversionError) << broken;
    }
}

// A line of many rows is handed on in blocks as it grows, not held until its end.
TEST(ReportEngineRules, ALongLineIsHandedOnInBlocks) {
    test::TempDir dir;
    writeText(dir / "t.frf",
              "  {{#frDBDataSet1}}{{Name}},{{/frDBDataSet1}}\n{{#frDBDataSet2}}\n{{/frDBDataSet2}}end");
    ReportValue report;
    report.templateName = "t.frf";
    ReportDataset rows{"frDBDataSet1", {"Name"}};
    for (int row = 0; row < 20000; ++row) {
        rows.rows.push_back({"name-" + std::to_string(row)});
    }
    report.datasets = {rows};
    ReportEngine engine;
    ASSERT_TRUE(engine.load(dir / "t.frf"));
    std::string html;
    std::size_t pieces = 0;
    std::size_t largest = 0;
    engine.render(report, [&](std::string_view piece) {
        html += piece;
        ++pieces;
        largest = std::max(largest, piece.size());
    });
    EXPECT_EQ(html, engine.render(report));
    EXPECT_EQ(html.substr(0, 10), "  name-0,n");
    EXPECT_EQ(html.substr(html.size() - 15), "name-19999,\nend");
    EXPECT_GT(pieces, 3u);
    EXPECT_LT(largest, 70000u);
}

TEST(ReportEngineRules, MoneyFormat) {
    EXPECT_EQ(formatMoney(0), "0.00");
    EXPECT_EQ(formatMoney(999.5), "999.50");
    EXPECT_EQ(formatMoney(100000), "100,000.00");
    EXPECT_EQ(formatMoney(-1234.5), "-1,234.50");
    EXPECT_EQ(formatMoney(-0.001), "0.00");
    EXPECT_EQ(formatMoney(9999999999999.999), "10,000,000,000,000.00");
    EXPECT_EQ(formatMoney(1e70), "1e+70");
    EXPECT_EQ(formatMoney(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(formatMoney(std::numeric_limits<double>::quiet_NaN()), "nan");
}

TEST(ReportJsonReader, ReadsVariablesInOrderAndTypedRows) {
    const ReportValue report = reportFromJson(
        R"({"template":"rptX.frf","variables":{"B":"2","A":"1"},)"
        R"("datasets":{"frDBDataSet1":[{"Z":1.5,"Y":"t","X":null},{"Y":"u","Z":2}],"frDBDataSet2":[]}})");
    EXPECT_EQ(report.templateName, "rptX.frf");
    ASSERT_EQ(report.variables.size(), 2u);
    EXPECT_EQ(report.variables[0].first, "B");
    ASSERT_EQ(report.datasets.size(), 2u);
    const auto& rows = report.datasets[0];
    EXPECT_EQ(rows.columns, (std::vector<std::string>{"Z", "Y", "X"}));
    EXPECT_EQ(rows.rows[1][0], TableValue{2.0});
    EXPECT_EQ(rows.rows[1][1], TableValue{std::string("u")});
    EXPECT_TRUE(std::holds_alternative<std::monostate>(rows.rows[1][2]));
    EXPECT_TRUE(report.datasets[1].rows.empty());
    EXPECT_TRUE(report.children.empty());
    // The file has no place for the cheques' link to their children: a report of cheques gets it.
    EXPECT_EQ(reportFromJson(R"({"datasets":{"frDBDataSet4":[]}})").children, chequeChildLinks());
    EXPECT_THROW(reportFromJson("[1,2]"), ConversionError);
    EXPECT_THROW(reportFromJson("{\"datasets\":{\"frDBDataSet1\":{}}}"), ConversionError);
    EXPECT_THROW(readReportJson("/no/such/report.json"), IoError);
}

}  // namespace
}  // namespace convertor
