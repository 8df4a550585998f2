#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMessageBox>

#include "GuiTestSupport.h"
#include "widgets/CHyperlinkLabel.h"

namespace {

const QColor kLinkColour(0, 0, 238);
const QColor kVisitedColour(85, 26, 139);

// Opens are recorded by a script in place of the desktop's opener.
class HyperlinkLabelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const QString home = QDir::homePath();
        recordFile = home + "/opened.txt";
        const QString script = home + "/record-open.sh";
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"" + recordFile.toUtf8() + "\"\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("SCRIVOLA_OPEN_COMMAND", script.toUtf8());
    }

    QString Recorded() const {
        QFile file(recordFile);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QWidget dialog;
    QString recordFile;
};

}  // namespace

TEST_F(HyperlinkLabelTest, TextAndTargetFillEachOther) {
    CHyperlinkLabel fromTarget(QString(), "https://folivo.example/", &dialog);
    EXPECT_EQ(fromTarget.text(), "https://folivo.example/");
    EXPECT_EQ(fromTarget.toolTip(), "https://folivo.example/");

    CHyperlinkLabel fromText("https://other.example/", QString(), &dialog);
    EXPECT_EQ(fromText.LinkTarget(), "https://other.example/");

    fromText.SetLinkTarget("mailto:support@folivo.example");
    EXPECT_EQ(fromText.toolTip(), "mailto:support@folivo.example");
    EXPECT_EQ(fromText.text(), "https://other.example/");
    EXPECT_EQ(fromText.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(HyperlinkLabelTest, DrawsInLinkColourUnderlinedAndHoverColourWhileHovered) {
    CHyperlinkLabel label("Folivo on the web", "https://folivo.example/", &dialog);
    dialog.show();
    EXPECT_TRUE(label.font().underline());
    EXPECT_EQ(label.CurrentTextColor(), kLinkColour);
    EXPECT_GT(CountColour(Render(&label), kLinkColour), 10);

    SendMouseMove(&label, {2, 2});
    EXPECT_TRUE(label.IsHovered());
    const QColor hover = dialog.palette().color(QPalette::Highlight);
    EXPECT_EQ(label.CurrentTextColor(), hover);
    EXPECT_GT(CountColour(Render(&label), hover), 10);

    SendLeave(&label);
    EXPECT_FALSE(label.IsHovered());
    EXPECT_EQ(label.CurrentTextColor(), kLinkColour);

    label.SetUnderlined(false);
    EXPECT_FALSE(label.font().underline());
}

TEST_F(HyperlinkLabelTest, FitsItselfToItsTextKeepingTheAlignedEdge) {
    CHyperlinkLabel left("Folivo", "https://folivo.example/", &dialog);
    left.setGeometry(10, 10, 300, 50);
    left.FitToText();
    const QSize text = left.fontMetrics().size(0, "Folivo");
    EXPECT_EQ(left.geometry(), QRect(10, 10, text.width(), text.height()));

    CHyperlinkLabel right("Folivo", "https://folivo.example/", &dialog);
    right.setAlignment(Qt::AlignRight | Qt::AlignTop);
    right.setGeometry(10, 10, 300, 50);
    right.FitToText();
    EXPECT_EQ(right.geometry().right(), 309);
    EXPECT_EQ(right.width(), text.width());
}

TEST_F(HyperlinkLabelTest, ClickOpensTheTargetAndMarksTheLinkVisited) {
    CHyperlinkLabel label("Folivo on the web", "https://folivo.example/page", &dialog);
    dialog.show();
    SendClick(&label, {2, 2});
    EXPECT_TRUE(label.IsVisited());
    EXPECT_EQ(Recorded(), "https://folivo.example/page\n");
    SendLeave(&label);
    EXPECT_EQ(label.CurrentTextColor(), kVisitedColour);
}

TEST_F(HyperlinkLabelTest, FailedOpenReportsTheShellErrorAndTurnsTheLinkUnvisited) {
    CHyperlinkLabel label("Help", "https://folivo.example/", &dialog);
    dialog.show();
    SendClick(&label, {2, 2});
    ASSERT_TRUE(label.IsVisited());

    label.SetLinkTarget(QDir::homePath() + "/missing/help.htm");
    QString shown;
    OnNextModal([&shown](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            shown = box->text();
            box->accept();
        }
    });
    SendClick(&label, {2, 2});
    EXPECT_EQ(shown, "Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_FALSE(label.IsVisited());
    SendLeave(&label);
    EXPECT_EQ(label.CurrentTextColor(), kLinkColour);
}
