#include "view/CNumericSortProxyModel.h"

#include "model/CFirmwareUpdateTreeModel.h"

namespace Plugin::FirmwareUpdater::Internal::View {

bool CNumericSortProxyModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    return Model::CFirmwareUpdateTreeModel::numericLess(left.data(sortRole()).toString(),
                                                        right.data(sortRole()).toString());
}

} // namespace Plugin::FirmwareUpdater::Internal::View
