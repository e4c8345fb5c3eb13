#include <gtest/gtest.h>

#include "products/ReformatSettings.h"
#include "support/TestSupport.h"

namespace convertor::test {
namespace {

TEST(ReformatSettings, MissingFileOrKeysGiveTheDefaults) {
    TempDir dir;
    for (const std::string& content : std::vector<std::string>{"", "[Other]\r\nDCP=FALSE\r\n"}) {
        if (!content.empty()) {
            writeFile(dir / "Default.ini", content);
        }
        ReformatSettings settings = loadReformatSettings(dir / "Default.ini");
        EXPECT_EQ(settings.dcp, "Error");
        EXPECT_EQ(settings.defaultCode, "Error");
        EXPECT_EQ(settings.defaultBranchCode, "Error");
        EXPECT_EQ(settings.print, "T");
        EXPECT_TRUE(settings.enabled(Product::MediaClearing));
        EXPECT_FALSE(settings.defaultProduct());
    }
}

TEST(ReformatSettings, DisablingIgnoresCaseButTheDefaultProductDoesNot) {
    TempDir dir;
    writeFile(dir / "Default.ini",
              "[reformat]\r\ndcp=false\r\nPAY=FALSE\r\nMCL=no\r\nDefault=PAY\r\nPrint=F\r\nDefaultBranchCode="
              "False\r\n");
    ReformatSettings settings = loadReformatSettings(dir / "Default.ini");
    EXPECT_FALSE(settings.enabled(Product::DirectCredit));
    EXPECT_FALSE(settings.enabled(Product::Payroll));
    EXPECT_TRUE(settings.enabled(Product::MediaClearing));
    EXPECT_EQ(settings.defaultProduct(), Product::Payroll);
    EXPECT_TRUE(settings.selectable(Product::Payroll)) << "the default product is chosen even when disabled";
    EXPECT_FALSE(settings.selectable(Product::DirectCredit));
    EXPECT_EQ(settings.print, "F");

    writeFile(dir / "Default.ini", "[ReFormat]\r\nDefault=dcp\r\n");
    EXPECT_FALSE(loadReformatSettings(dir / "Default.ini").defaultProduct());
}

TEST(ReformatSettings, DeliveredFileEnablesEveryProductAndChoosesNone) {
    ReformatSettings settings =
        loadReformatSettings(std::filesystem::path(DELIVERED_DATA_DIR) / "Default.ini");
    for (Product product :
         {Product::DirectCredit, Product::Payroll, Product::MediaClearing, Product::ManagerCheque}) {
        EXPECT_TRUE(settings.enabled(product));
    }
    EXPECT_FALSE(settings.defaultProduct());
    EXPECT_EQ(settings.print, "T");
}

}  // namespace
}  // namespace convertor::test
