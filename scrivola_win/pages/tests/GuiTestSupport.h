#pragma once
// Shared pieces of the settings-sheet tests: the application object, a
// private home per test, control lookup by id and the profile's text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>
#include <memory>
#include <string>

#include "pages/CPropertyPage.h"
#include "pages/CPropertySheetWithLogoDlg.h"
#include "pages/SettingsSheet.h"
#include "platform/FileSystem.h"
#include "settings/SettingsStore.h"
#include "testing/PrivateHome.h"

inline QApplication& GuiApplication() {
    static int argc = 1;
    static char name[] = "scrivola_pages_gui_tests";
    static char* argv[] = {name, nullptr};
    // Windows are drawn off screen, whatever display the test run has.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QApplication application(argc, argv);
    return application;
}

template <class Control>
Control* FindControl(const QWidget* root, int id) {
    return root->findChild<Control*>(QString::number(id));
}

inline std::string ProfileText() {
    return platform::ReadWholeFile(scrivola_win::ApplicationProfilePath()).value_or("");
}

inline scrivola_win::SettingsStore Profile() {
    return scrivola_win::SettingsStore::ApplicationProfile();
}

class SheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        GuiApplication();
        sheet = CreateSettingsSheet(nullptr);
    }
    // Shows the sheet (as exec would, without blocking) and brings a page forward.
    void ShowPage(int index) {
        if (!sheet->isVisible()) {
            sheet->show();
        }
        sheet->TabControl()->setCurrentIndex(index);
    }
    QWidget* PageWidget(int index) const { return sheet->Page(index); }

    testsupport::PrivateHome home;
    std::unique_ptr<CPropertySheetWithLogoDlg> sheet;
};
