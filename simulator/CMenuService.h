#pragma once

#include "simulator/CActionContainer.h"
#include "simulator/CCommand.h"

#include "host/IMenuService.h"

#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <map>
#include <memory>
#include <vector>

namespace Simulator {

// The viewer's menus on real widgets: the container "OndrelViewer.Menu.Tools"
// is a "Tools" menu on the menu bar, every other container (such as
// "OndrelViewer.LintrelContextMenu") a free-standing menu.
class CMenuService : public Plugin::Vantor::IMenuService
{
    Q_OBJECT

public:
    static constexpr const char *ToolsMenuId = "OndrelViewer.Menu.Tools";
    static constexpr const char *ContextMenuId = "OndrelViewer.LintrelContextMenu";

    // Without a menu bar the service makes and owns its own.
    explicit CMenuService(QMenuBar *menuBar = nullptr, QObject *parent = nullptr);
    ~CMenuService() override;

    Plugin::Vantor::ICommand *
    registerAction(QAction *action, const Core::CId &id,
                   const Core::VantorComponents::CContext &context) override;
    // Never null: an unknown id gets a new menu.
    Plugin::Vantor::IActionContainer *actionContainer(const Core::CId &id) override;

    QMenuBar *menuBar() const { return m_menuBar.data(); }
    QMenu *menu(const Core::CId &id) const;
    QMenu *toolsMenu() const { return menu(ToolsMenuId); }
    QMenu *contextMenu() const { return menu(ContextMenuId); }
    // The last command registered under the id, or null.
    Plugin::Vantor::ICommand *command(const Core::CId &id) const;

private:
    std::unique_ptr<QMenuBar> m_ownMenuBar;
    QPointer<QMenuBar> m_menuBar;
    std::vector<std::unique_ptr<QMenu>> m_ownMenus;
    std::map<QByteArray, std::unique_ptr<CActionContainer>> m_containers;
    std::vector<std::unique_ptr<CCommand>> m_commands;
};

} // namespace Simulator
