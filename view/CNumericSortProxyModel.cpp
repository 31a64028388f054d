#include "view/CNumericSortProxyModel.h"

namespace Plugin::FirmwareUpdater::Internal::View {

CNumericSortProxyModel::CNumericSortProxyModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    m_collator.setNumericMode(true);
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

bool CNumericSortProxyModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    return m_collator.compare(left.data(sortRole()).toString(), right.data(sortRole()).toString())
            < 0;
}

} // namespace Plugin::FirmwareUpdater::Internal::View
