#include "view/CTreeViewCameraSelectionDelegate.h"

namespace Plugin::FirmwareUpdater::Internal::View {

CTreeViewCameraSelectionDelegate::CTreeViewCameraSelectionDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{ }

CTreeViewCameraSelectionDelegate::~CTreeViewCameraSelectionDelegate() = default;

void CTreeViewCameraSelectionDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                             const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
}

} // namespace Plugin::FirmwareUpdater::Internal::View
namespace Plugin::FirmwareUpdater::Internal::View {
QSize CTreeViewCameraSelectionDelegate::sizeHint(const QStyleOptionViewItem &option,
                                                 const QModelIndex &index) const
{
    return QStyledItemDelegate::sizeHint(option, index);
}
QWidget *CTreeViewCameraSelectionDelegate::createEditor(QWidget *parent,
                                                        const QStyleOptionViewItem &option,
                                                        const QModelIndex &index) const
{
    return QStyledItemDelegate::createEditor(parent, option, index);
}
void CTreeViewCameraSelectionDelegate::setEditorData(QWidget *editor,
                                                     const QModelIndex &index) const
{
    QStyledItemDelegate::setEditorData(editor, index);
}
void CTreeViewCameraSelectionDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                                    const QModelIndex &index) const
{
    QStyledItemDelegate::setModelData(editor, model, index);
}
void CTreeViewCameraSelectionDelegate::updateEditorGeometry(QWidget *editor,
                                                            const QStyleOptionViewItem &option,
                                                            const QModelIndex &index) const
{
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
}
bool CTreeViewCameraSelectionDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                                   const QStyleOptionViewItem &option,
                                                   const QModelIndex &index)
{
    return QStyledItemDelegate::editorEvent(event, model, index.isValid() ? option : option, index);
}
void CTreeViewCameraSelectionDelegate::commit() { }
}
