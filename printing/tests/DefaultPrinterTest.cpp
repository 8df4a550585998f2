#include "printing/DefaultPrinter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Spooler.h"
#include "testing/PrivateHome.h"

namespace scrivola {
namespace {

using testsupport::PrivateHome;

struct ProcessEnded {
    int status;
};

class DefaultPrinterTest : public ::testing::Test {
  protected:
    PrivateHome m_folder;
    std::vector<std::string> m_questions;
    std::vector<std::string> m_opened;
    bool m_answer = false;

    platform::Spooler Spooler() const { return platform::Spooler::CurrentUser(); }

    PrinterSelectionServices Services() {
        PrinterSelectionServices services;
        services.askYesNo = [this](std::string_view question) {
            m_questions.emplace_back(question);
            return m_answer;
        };
        services.openDocument = [this](std::string_view target) {
            m_opened.emplace_back(target);
            return 42;
        };
        services.endProcess = [](int status) { throw ProcessEnded{status}; };
        return services;
    }
    void Install(const std::string& printer) {
        ASSERT_TRUE(Spooler().InstallPrinter(printer, "/bin/true"));
    }
};

TEST_F(DefaultPrinterTest, SelectsTheVirtualPrinterAndRestoresThePreviousOne) {
    Install(kVirtualPrinterName);
    Install("Office Laser");
    ASSERT_TRUE(Spooler().SetDefaultPrinter("Office Laser"));

    std::string saved = SelectVirtualPrinter(Services());
    EXPECT_EQ(saved, "Office Laser");
    EXPECT_EQ(Spooler().GetDefaultPrinter(), kVirtualPrinterName);
    EXPECT_TRUE(m_questions.empty());

    RestoreDefaultPrinter(saved);
    EXPECT_EQ(saved, "");
    EXPECT_EQ(Spooler().GetDefaultPrinter(), "Office Laser");
}

TEST_F(DefaultPrinterTest, VirtualPrinterAlreadyDefaultIsRestoredToItself) {
    Install(kVirtualPrinterName);
    ASSERT_TRUE(Spooler().SetDefaultPrinter(kVirtualPrinterName));
    std::string saved = SelectVirtualPrinter(Services());
    EXPECT_EQ(saved, kVirtualPrinterName);
    RestoreDefaultPrinter(saved);
    EXPECT_EQ(Spooler().GetDefaultPrinter(), kVirtualPrinterName);
}

TEST_F(DefaultPrinterTest, WithoutAPreviousDefaultTheVirtualPrinterStays) {
    Install(kVirtualPrinterName);
    std::string saved = SelectVirtualPrinter(Services());
    EXPECT_EQ(saved, "");
    RestoreDefaultPrinter(saved);
    EXPECT_EQ(Spooler().GetDefaultPrinter(), kVirtualPrinterName);
}

TEST_F(DefaultPrinterTest, RestoringAPrinterRemovedMeanwhileChangesNothing) {
    Install(kVirtualPrinterName);
    Install("Gone Soon");
    ASSERT_TRUE(Spooler().SetDefaultPrinter("Gone Soon"));
    std::string saved = SelectVirtualPrinter(Services());
    ASSERT_TRUE(Spooler().RemovePrinter("Gone Soon"));
    RestoreDefaultPrinter(saved);
    EXPECT_EQ(saved, "");
    EXPECT_EQ(Spooler().GetDefaultPrinter(), kVirtualPrinterName);
}

TEST_F(DefaultPrinterTest, MissingPrinterAsksAboutTheDownloadAndEndsWithStatusZero) {
    Install("Office Laser");
    ASSERT_TRUE(Spooler().SetDefaultPrinter("Office Laser"));
    for (const bool answer : {false, true}) {
        m_answer = answer;
        m_questions.clear();
        m_opened.clear();
        try {
            SelectVirtualPrinter(Services());
            ADD_FAILURE() << "returned although the printer is missing";
        } catch (const ProcessEnded& ended) {
            EXPECT_EQ(ended.status, 0);
        }
        ASSERT_EQ(m_questions.size(), 1u);
        EXPECT_EQ(m_questions[0],
                  "Can't locate the 'Folivo Converter and Creator Printer' in this "
                  "computer.Would you like to download it from "
                  "'https://scrivola.example.org/' site?");
        EXPECT_EQ(m_opened, answer ? std::vector<std::string>{kPrinterDownloadPage}
                                   : std::vector<std::string>{});
        EXPECT_EQ(Spooler().GetDefaultPrinter(), "Office Laser");
    }
}

}  // namespace
}  // namespace scrivola
