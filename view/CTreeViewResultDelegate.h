#pragma once

#include "view/CIconTextDelegate.h"

namespace Plugin::FirmwareUpdater::Internal::View {

// Outcome of a camera's update, with an icon.
class CTreeViewResultDelegate : public CIconTextDelegate
{
    Q_OBJECT

public:
    explicit CTreeViewResultDelegate(QObject *parent = nullptr);

protected:
    Shown shown(const Entity::CFirmwareUpdateEntity &entity) const override;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
