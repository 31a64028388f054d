#pragma once

#include "view/TreeDelegatePainting.h"

#include <QPointer>
#include <QStyledItemDelegate>

class QLabel;

namespace Plugin::FirmwareUpdater::Internal::View {

// Plain text of any column, bold while the row's camera is updating.
class CTreeViewLabelDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CTreeViewLabelDelegate(QObject *parent = nullptr);
    ~CTreeViewLabelDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QPointer<QLabel> m_label;
    mutable TreeDelegatePainting::TextWidths m_widths;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
