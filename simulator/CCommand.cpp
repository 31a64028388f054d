#include "simulator/CCommand.h"

#include <QAction>

namespace Simulator {

CCommand::CCommand(QAction *action, const Core::CId &id)
    : m_action(action)
    , m_id(id)
{ }

CCommand::~CCommand() = default;

QAction *CCommand::action() const
{
    return m_action.data();
}

Core::CId CCommand::id() const
{
    return m_id;
}

} // namespace Simulator
