#pragma once

#include <QSortFilterProxyModel>

namespace Plugin::FirmwareUpdater::Internal::View {

// Sorts names as people count: "Cam 2" before "Cam 10".
class CNumericSortProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
