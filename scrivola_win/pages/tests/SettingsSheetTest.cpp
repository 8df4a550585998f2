#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "GuiTestSupport.h"
#include "pages/CPropertyPage.h"

namespace {

TEST_F(SheetTest, FourPagesInOrderWithOnlyOkAndCancel) {
    EXPECT_EQ(sheet->windowTitle(), "Folivo Document Converter v2.1");
    ASSERT_EQ(sheet->PageCount(), 4);
    const char* captions[] = {"Save Mode", "Base Setting", "PDF Info", "Encrypt Options"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(sheet->TabControl()->tabText(i), captions[i]);
    }
    QStringList buttons;
    for (const QPushButton* button : sheet->findChildren<QPushButton*>()) {
        if (button->parentWidget() == sheet.get()) {
            buttons << button->text();
        }
    }
    EXPECT_EQ(buttons, QStringList({"OK", "Cancel"}));

    sheet->show();
    EXPECT_EQ(sheet->LogoLabel(), "Folivosoft");
    EXPECT_EQ(sheet->LogoFont().family(), "Arial");
    EXPECT_EQ(sheet->LogoFont().pixelSize(), 24);
    EXPECT_TRUE(sheet->LogoFont().bold());
    EXPECT_TRUE(sheet->LogoFont().italic());
}

TEST_F(SheetTest, EveryPageShowsItsControlsWhenItComesToTheFront) {
    sheet->show();
    for (int page = 0; page < sheet->PageCount(); ++page) {
        ShowPage(page);
        const QList<QWidget*> controls =
            PageWidget(page)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        ASSERT_FALSE(controls.isEmpty()) << page;
        for (const QWidget* control : controls) {
            EXPECT_TRUE(control->isVisible())
                << "page " << page << ", control " << control->objectName().toStdString();
        }
    }
}

TEST_F(SheetTest, OkAtOnceWritesOnlyTheFirstPage) {
    sheet->show();
    sheet->OkButton()->click();
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    const std::string text = ProfileText();
    EXPECT_NE(text.find("[SaveMode]"), std::string::npos);
    for (const char* untouched : {"[BaseSettingDlg]", "[SetPDFInfo]", "[EncryptPDF]"}) {
        EXPECT_EQ(text.find(untouched), std::string::npos) << untouched;
    }
}

TEST_F(SheetTest, VisitedPagesApplyInPageOrderWhateverTheVisitOrder) {
    ShowPage(3);
    ShowPage(2);
    FindControl<QLineEdit>(PageWidget(2), 1032)->setText("Quarterly report");
    ShowPage(1);  // leaving PDF Info keeps what was typed
    ShowPage(2);
    EXPECT_EQ(FindControl<QLineEdit>(PageWidget(2), 1032)->text(), "Quarterly report");
    ShowPage(1);
    // No stored value: the box shows checked and OK stores 1 although
    // nobody touched it.
    EXPECT_TRUE(FindControl<QCheckBox>(PageWidget(1), 1031)->isChecked());
    sheet->OkButton()->click();

    const std::string text = ProfileText();
    const std::size_t saveMode = text.find("[SaveMode]");
    const std::size_t base = text.find("[BaseSettingDlg]");
    const std::size_t info = text.find("[SetPDFInfo]");
    const std::size_t encrypt = text.find("[EncryptPDF]");
    ASSERT_NE(encrypt, std::string::npos);
    EXPECT_LT(saveMode, base);
    EXPECT_LT(base, info);
    EXPECT_LT(info, encrypt);
    EXPECT_EQ(Profile().ReadInt("BaseSettingDlg", "m_bCheckView", -1), 1);
    EXPECT_EQ(Profile().ReadString("SetPDFInfo", "m_szTitle", ""), "Quarterly report");
}

TEST_F(SheetTest, CancelWritesNothing) {
    Profile().WriteInt("BaseSettingDlg", "m_bCheckView", 1);
    Profile().WriteString("SetPDFInfo", "m_szTitle", "Kept");
    Profile().WriteInt("SaveMode", "m_iMakePDFMode", 2);
    const std::string before = ProfileText();

    ShowPage(0);
    FindControl<QRadioButton>(PageWidget(0), 1020)->click();
    ShowPage(1);
    FindControl<QCheckBox>(PageWidget(1), 1031)->click();
    ShowPage(2);
    FindControl<QLineEdit>(PageWidget(2), 1032)->setText("Changed");
    ShowPage(3);
    FindControl<QCheckBox>(PageWidget(3), 1012)->click();
    sheet->CancelButton()->click();

    EXPECT_EQ(sheet->result(), QDialog::Rejected);
    EXPECT_EQ(ProfileText(), before);
}

TEST_F(SheetTest, AStoredViewFlagOutOfRangeShowsUncheckedAndIsWrittenAsZero) {
    Profile().WriteInt("BaseSettingDlg", "m_bCheckView", 5);
    ShowPage(1);
    EXPECT_FALSE(FindControl<QCheckBox>(PageWidget(1), 1031)->isChecked());
    sheet->OkButton()->click();
    EXPECT_EQ(Profile().ReadInt("BaseSettingDlg", "m_bCheckView", -1), 0);
}

TEST_F(SheetTest, TheLogoIsPaintedInTheButtonRowOnlyWhenItHasText) {
    sheet->show();
    const QRect ok = sheet->OkButton()->geometry();
    const QRect band(sheet->TabControl()->geometry().left(), ok.top(),
                     ok.left() - sheet->TabControl()->geometry().left(), ok.height());
    const auto distinctColours = [&] {
        const QImage image = sheet->grab(band).toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                colours.insert(image.pixel(x, y));
            }
        }
        return colours.size();
    };
    EXPECT_GT(distinctColours(), 1);
    sheet->SetLogoLabel(QString());
    EXPECT_EQ(distinctColours(), 1);
}

}  // namespace
