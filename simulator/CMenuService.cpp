#include "simulator/CMenuService.h"

#include <QMenu>
#include <QMenuBar>

namespace Simulator {

CMenuService::CMenuService(QMenuBar *menuBar, QObject *parent)
    : IMenuService(parent)
    , m_menuBar(menuBar)
{
    if (!m_menuBar) {
        m_ownMenuBar = std::make_unique<QMenuBar>();
        m_menuBar = m_ownMenuBar.get();
    }
    actionContainer(ToolsMenuId);
    actionContainer(ContextMenuId);
}

CMenuService::~CMenuService()
{
    // Containers first: they point into the menus.
    m_containers.clear();
    m_ownMenus.clear();
}

Plugin::Vantor::ICommand *CMenuService::registerAction(QAction *action, const Core::CId &id,
                                                       const Core::VantorComponents::CContext &)
{
    m_commands.push_back(std::make_unique<CCommand>(action, id));
    return m_commands.back().get();
}

Plugin::Vantor::IActionContainer *CMenuService::actionContainer(const Core::CId &id)
{
    const auto found = m_containers.find(id.name());
    if (found != m_containers.end())
        return found->second.get();

    QMenu *menu = nullptr;
    if (id == Core::CId(ToolsMenuId) && m_menuBar) {
        menu = m_menuBar->addMenu(tr("Tools"));
    } else {
        m_ownMenus.push_back(std::make_unique<QMenu>(id.toString()));
        menu = m_ownMenus.back().get();
    }
    menu->setObjectName(id.toString());
    auto container = std::make_unique<CActionContainer>(menu);
    CActionContainer *result = container.get();
    m_containers[id.name()] = std::move(container);
    return result;
}

QMenu *CMenuService::menu(const Core::CId &id) const
{
    const auto found = m_containers.find(id.name());
    return found != m_containers.end() ? found->second->menu() : nullptr;
}

Plugin::Vantor::ICommand *CMenuService::command(const Core::CId &id) const
{
    for (auto it = m_commands.rbegin(); it != m_commands.rend(); ++it) {
        if ((*it)->id() == id)
            return it->get();
    }
    return nullptr;
}

} // namespace Simulator
