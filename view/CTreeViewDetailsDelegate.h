#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

class QLabel;

namespace Plugin::FirmwareUpdater::Internal::View {

// Direction of a planned update: upgrade, downgrade or reinstall.
class CTreeViewDetailsDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CTreeViewDetailsDelegate(QObject *parent = nullptr);
    ~CTreeViewDetailsDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

private:
    QPointer<QLabel> m_label;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
