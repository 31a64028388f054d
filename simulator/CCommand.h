#pragma once

#include "host/ICommand.h"

#include <QAction>

namespace Simulator {

class CCommand : public Plugin::Vantor::ICommand
{
public:
    CCommand(QAction *action, const Core::CId &id);
    ~CCommand() override;

    QAction *action() const override;
    Core::CId id() const override;

private:
    QPointer<QAction> m_action;
    const Core::CId m_id;
};

} // namespace Simulator
