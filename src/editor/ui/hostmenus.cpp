#include "editor/ui/hostmenus.h"

#include "editor/ui/songhost.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace lvx::editor {

QMenu* namedMenu(QWidget* owner, const QString& title, const QString& name)
{
    auto* menu = new QMenu(title, owner);
    menu->setObjectName(name);
    return menu;
}

QAction* namedAction(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QList<QAction*> addRecentFileItems(QMenu* menu, SongHost& host)
{
    QList<QAction*> items;
    for (int item = 0; item <= 4; ++item) {
        QAction* recent = namedAction(menu, u"mnuRecentFile"_s + QString::number(item), QString());
        recent->setVisible(false);
        QObject::connect(recent, &QAction::triggered, menu, [&host, item] { host.openRecentFile(item); });
        items.append(recent);
    }
    return items;
}

void showRecentFileItems(const QList<QAction*>& items, const QStringList& paths)
{
    for (qsizetype k = 0; k < paths.size() && k < items.size(); ++k) {
        items[k]->setText(paths.at(k));
        items[k]->setVisible(true);
    }
}

QMenu* createHelpMenu(QWidget* owner, SongHost& host)
{
    auto* menu = namedMenu(owner, u"&Help"_s, u"mnuHelp"_s);
    QAction* topics = namedAction(menu, u"mnuHTopics"_s, u"&Help Topics"_s);
    topics->setShortcut(QKeySequence::HelpContents);
    QObject::connect(topics, &QAction::triggered, menu, [&host] { host.helpTopics(); });
    QObject::connect(namedAction(menu, u"mnuHWeb"_s, u"&Liravox Web Site"_s), &QAction::triggered, menu,
                     [&host] { host.webSite(); });
    QObject::connect(namedAction(menu, u"mnuHOlga"_s, u"&OLGA Web Site (Thousands of Songs)"_s), &QAction::triggered,
                     menu, [&host] { host.olgaSite(); });
    QObject::connect(namedAction(menu, u"mnuHAbout"_s, u"&About"_s), &QAction::triggered, menu,
                     [&host] { host.about(); });
    return menu;
}

QMenu* createWindowMenu(QWidget* owner, SongHost& host)
{
    auto* menu = namedMenu(owner, u"&Window"_s, u"mnuWindow"_s);
    QObject::connect(namedAction(menu, u"mnuWCascade"_s, u"&Cascade"_s), &QAction::triggered, menu,
                     [&host] { host.cascade(); });
    QObject::connect(namedAction(menu, u"mnuWTile"_s, u"&Tile"_s), &QAction::triggered, menu,
                     [&host] { host.tile(); });
    QObject::connect(namedAction(menu, u"mnuWArrange"_s, u"&Arrange Icons"_s), &QAction::triggered, menu,
                     [&host] { host.arrangeIcons(); });
    QAction* tabs = namedAction(menu, u"mnuWTabs"_s, u"Ta&bs"_s);
    tabs->setCheckable(true);
    QObject::connect(tabs, &QAction::triggered, menu, [&host](bool checked) { host.setTabbedView(checked); });
    menu->addSeparator();
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, tabs, &host] {
        tabs->setChecked(host.tabbedView());
        host.listWindows(menu);
    });
    return menu;
}

} // namespace lvx::editor
