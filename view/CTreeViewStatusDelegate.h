#pragma once

#include "view/CIconTextDelegate.h"

namespace Plugin::FirmwareUpdater::Internal::View {

// Progress state of a camera's update, with an icon.
class CTreeViewStatusDelegate : public CIconTextDelegate
{
    Q_OBJECT

public:
    explicit CTreeViewStatusDelegate(QObject *parent = nullptr);

protected:
    Shown shown(const Entity::CFirmwareUpdateEntity &entity) const override;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
