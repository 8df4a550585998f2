#include "MainMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "MainWindowIds.h"

namespace {

struct MenuItem {
    const char* text;  // empty for a separator
    const char* shownShortcut;
    int commandId;
};

// The keys themselves work through the window's key handler; the menus only
// show them, after a tab, as Qt draws shortcut texts.
void AddItems(QMenu* menu, std::initializer_list<MenuItem> items, const CommandRunner& run) {
    for (const MenuItem& item : items) {
        if (*item.text == '\0') {
            menu->addSeparator();
            continue;
        }
        QString text = QString::fromUtf8(item.text);
        if (*item.shownShortcut != '\0') {
            text += QLatin1Char('\t') + QString::fromUtf8(item.shownShortcut);
        }
        QAction* action = menu->addAction(text);
        action->setObjectName(ids::Name(item.commandId));
        const int id = item.commandId;
        QObject::connect(action, &QAction::triggered, menu, [run, id] { run(id); });
    }
}

constexpr MenuItem kSeparator{"", "", 0};

}  // namespace

QMenuBar* CreateMainMenuBar(QWidget* parent, const CommandRunner& run) {
    auto* bar = new QMenuBar(parent);
    bar->setObjectName(ids::Name(ids::kMainMenu));
    // A menu bar of its own in the window, also where the desktop offers a
    // global one, since the window places it like its other controls.
    bar->setNativeMenuBar(false);

    QMenu* file = bar->addMenu(QStringLiteral("File(&F)"));
    file->setObjectName(QStringLiteral("fileMenu"));
    AddItems(file,
             {
                 {"&Add Files...", "Insert", ids::kAddFiles},
                 {"Add &Directory...", "", ids::kAddDirectory},
                 kSeparator,
                 {"&Settings...", "", ids::kSettings},
                 kSeparator,
                 {"&Monitor A Special Directory...", "", ids::kMonitor},
                 kSeparator,
                 {"E&xit", "", ids::kExit},
             },
             run);

    QMenu* edit = bar->addMenu(QStringLiteral("Edit(&E)"));
    edit->setObjectName(QStringLiteral("editMenu"));
    AddItems(edit,
             {
                 {"View &Documents", "Enter", ids::kViewDocuments},
                 {"&Delete Selected Items", "Del", ids::kDeleteSelected},
                 {"Delete &All Items", "", ids::kDeleteAll},
                 kSeparator,
                 {"Move &Up", "Ctrl+O", ids::kMoveUpButton},
                 {"Move &Down", "Ctrl+P", ids::kMoveDownButton},
             },
             run);

    QMenu* help = bar->addMenu(QStringLiteral("Help(&H)"));
    help->setObjectName(QStringLiteral("helpMenu"));
    AddItems(help,
             {
                 {"&Help...", "", ids::kHelp},
                 kSeparator,
                 {"Technical Support...", "", ids::kTechnicalSupport},
                 {"Document Converter on the web...", "", ids::kWebPage},
                 kSeparator,
                 {"About Document Converter...", "", ids::kAbout},
             },
             run);
    return bar;
}

QMenu* CreateListContextMenu(QWidget* parent, const CommandRunner& run) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(ids::Name(ids::kContextMenu));
    AddItems(menu,
             {
                 {"&Add File(s)", "", ids::kContextAddFiles},
                 {"&View Documents", "Enter", ids::kViewDocuments},
                 {"&Delete Selected Items", "Del", ids::kDeleteSelected},
                 {"Delete &All Items", "", ids::kDeleteAll},
                 kSeparator,
                 {"Move &Up", "Ctrl+O", ids::kContextMoveUp},
                 {"Move &Down", "Ctrl+P", ids::kContextMoveDown},
             },
             run);
    return menu;
}
