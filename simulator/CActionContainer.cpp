#include "simulator/CActionContainer.h"

#include "host/ICommand.h"

#include <QMenu>

namespace Simulator {

CActionContainer::CActionContainer(QMenu *menu)
    : m_menu(menu)
{ }

CActionContainer::~CActionContainer() = default;

void CActionContainer::addAction(Plugin::Vantor::ICommand *command, const Core::CId &group)
{
    QAction *action = command ? command->action() : nullptr;
    if (!action)
        return;
    for (const Entry &entry : qAsConst(m_entries)) {
        if (entry.action == action)
            return;
    }
    if (!m_groups.contains(group.name()))
        m_groups.append(group.name());
    m_entries.append({ group.name(), action });
    rebuild();
}

void CActionContainer::rebuild()
{
    if (!m_menu)
        return;
    // clear() deletes only the separators; the actions belong to their callers.
    m_menu->clear();
    bool first = true;
    for (const QByteArray &group : qAsConst(m_groups)) {
        bool groupStarted = false;
        for (const Entry &entry : qAsConst(m_entries)) {
            if (entry.group != group || !entry.action)
                continue;
            if (!groupStarted && !first)
                m_menu->addSeparator();
            groupStarted = true;
            first = false;
            m_menu->addAction(entry.action);
        }
    }
}

} // namespace Simulator
