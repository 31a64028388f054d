#include "view/CTreeViewStatusDelegate.h"

#include "entity/CFirmwareUpdateEntity.h"

namespace Plugin::FirmwareUpdater::Internal::View {

using Entity::CFirmwareUpdateEntity;

CTreeViewStatusDelegate::CTreeViewStatusDelegate(QObject *parent)
    : CIconTextDelegate(parent)
{ }

CIconTextDelegate::Shown CTreeViewStatusDelegate::shown(const CFirmwareUpdateEntity &entity) const
{
    switch (entity.data(CFirmwareUpdateEntity::UpdateStatus).toInt()) {
    case CFirmwareUpdateEntity::Waiting:
        return { tr("Waiting"), QString() };
    case CFirmwareUpdateEntity::Updating:
        return { tr("Updating"),
                 QStringLiteral(":/firmwareupdater/icons/refresh_black_icon_14x12_en"),
                 Weight::BoldFont };
    case CFirmwareUpdateEntity::Complete:
        // A camera whose update failed is complete too, but must never carry
        // the check mark.
        return { tr("Complete"),
                 entity.updateResult() == CFirmwareUpdateEntity::Failed
                         ? QStringLiteral(":/firmwareupdater/icons/update_failed_icon_12x11_en")
                         : QStringLiteral(":/firmwareupdater/icons/update_ok_icon_12x8_en") };
    }
    return {};
}

} // namespace Plugin::FirmwareUpdater::Internal::View
