#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

class QLabel;

namespace Plugin::FirmwareUpdater::Internal::View {

// Progress state of a camera's update, with an icon.
class CTreeViewStatusDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CTreeViewStatusDelegate(QObject *parent = nullptr);
    ~CTreeViewStatusDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

private:
    QPointer<QWidget> m_cell;
    QPointer<QLabel> m_icon;
    QPointer<QLabel> m_text;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
