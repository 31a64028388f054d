#include "view/CTreeViewResultDelegate.h"

#include "entity/CFirmwareUpdateEntity.h"

namespace Plugin::FirmwareUpdater::Internal::View {

using Entity::CFirmwareUpdateEntity;

CTreeViewResultDelegate::CTreeViewResultDelegate(QObject *parent)
    : CIconTextDelegate(parent)
{ }

CIconTextDelegate::Shown CTreeViewResultDelegate::shown(const CFirmwareUpdateEntity &entity) const
{
    switch (entity.data(CFirmwareUpdateEntity::UpdateResult).toInt()) {
    case CFirmwareUpdateEntity::OK:
        return { tr("OK"), QStringLiteral(":/firmwareupdater/icons/update_ok_icon_12x8_en") };
    case CFirmwareUpdateEntity::Failed:
        return { tr("Failed"),
                 QStringLiteral(":/firmwareupdater/icons/update_failed_icon_12x11_en"),
                 Weight::BoldMarkup };
    case CFirmwareUpdateEntity::Skipped:
        return { tr("Skipped"),
                 QStringLiteral(":/firmwareupdater/icons/update_skipped_icon_12x3_en") };
    }
    return {};
}

} // namespace Plugin::FirmwareUpdater::Internal::View
