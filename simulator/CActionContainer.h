#pragma once

#include "host/IActionContainer.h"

#include <QMenu>
#include <QPointer>
#include <QVector>

namespace Simulator {

// Shows commands in a real menu, grouped by group id; groups keep the order
// in which they were first used and are divided by separators.
class CActionContainer : public Plugin::Vantor::IActionContainer
{
public:
    explicit CActionContainer(QMenu *menu);
    ~CActionContainer() override;

    void addAction(Plugin::Vantor::ICommand *command, const Core::CId &group) override;

    QMenu *menu() const { return m_menu.data(); }

private:
    struct Entry
    {
        QByteArray group;
        QPointer<QAction> action;
    };

    void rebuild();

    QPointer<QMenu> m_menu;
    QVector<QByteArray> m_groups;
    QVector<Entry> m_entries;
};

} // namespace Simulator
