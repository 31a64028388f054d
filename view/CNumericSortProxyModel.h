#pragma once

#include <QCollator>
#include <QSortFilterProxyModel>

namespace Plugin::FirmwareUpdater::Internal::View {

// Sorts names as people count: "Cam 2" before "Cam 10".
class CNumericSortProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit CNumericSortProxyModel(QObject *parent = nullptr);

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    QCollator m_collator;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
