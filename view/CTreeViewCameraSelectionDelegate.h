#pragma once

#include "view/TreeDelegatePainting.h"

#include <QPointer>
#include <QStyledItemDelegate>

class QAbstractItemView;
class QCheckBox;
class QLabel;

namespace Plugin::FirmwareUpdater::Internal::View {

// Check box with the camera or camera model name, or the transport layer's
// caption. The check box the user clicks is a real editor, opened as soon as
// the mouse moves over a camera row; a toggle is written to the model and the
// one-camera-model rule applied at once.
class CTreeViewCameraSelectionDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CTreeViewCameraSelectionDelegate(QObject *parent = nullptr);
    ~CTreeViewCameraSelectionDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

protected slots:
    void commit();

private:
    // The one way a check state reaches the model, for clicks and keys alike.
    static void writeSelection(QAbstractItemModel *model, const QModelIndex &index, bool checked);
    static void openEditorKeepingFocus(QAbstractItemView *view, const QModelIndex &index);

    QPointer<QCheckBox> m_enabledCheckBox;
    QPointer<QCheckBox> m_disabledCheckBox;
    QPointer<QLabel> m_label;
    mutable TreeDelegatePainting::TextWidths m_widths;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
