#include "hostmenus.h"

#include "songhost.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace lvx::editor {

QAction* namedAction(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QMenu* createHelpMenu(QWidget* owner, SongHost& host)
{
    auto* menu = new QMenu(u"&Help"_s, owner);
    menu->setObjectName(u"mnuHelp"_s);
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

} // namespace lvx::editor
