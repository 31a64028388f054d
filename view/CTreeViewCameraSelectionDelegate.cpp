#include "view/CTreeViewCameraSelectionDelegate.h"

#include "model/CFirmwareUpdateTreeModel.h"
#include "style/PagePalette.h"
#include "style/TreeColors.h"
#include "view/TreeDelegatePainting.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>

namespace Plugin::FirmwareUpdater::Internal::View {

using Entity::CFirmwareUpdateEntity;
using namespace TreeDelegatePainting;

namespace {

bool isCamera(ENodeKind kind)
{
    return kind == ENodeKind::CameraType || kind == ENodeKind::TreeDevice
            || kind == ENodeKind::ListDevice;
}

// Where the check box sits in its cell: a tree device is indented under its
// camera type, the first row of a flat list lies lower.
struct Placement
{
    int elideMargin;
    QPoint offset;
};

Placement placementOf(ENodeKind kind, int row)
{
    switch (kind) {
    case ENodeKind::TreeDevice:
        return { 50, QPoint(22, 0) };
    case ENodeKind::CameraType:
        return { 30, QPoint(2, 1) };
    default:
        return { 30, QPoint(2, row == 0 ? 4 : 0) };
    }
}

QMargins editorMargins(ENodeKind kind, int row)
{
    switch (kind) {
    case ENodeKind::TreeDevice:
        return QMargins(22, 0, 0, 0);
    case ENodeKind::CameraType:
        return QMargins(2, 3, 0, 0);
    default:
        return QMargins(2, row == 0 ? 8 : 0, 0, 0);
    }
}

QCheckBox *editorCheckBox(QWidget *editor)
{
    if (!editor || !editor->layout() || !editor->layout()->itemAt(0))
        return nullptr;
    return qobject_cast<QCheckBox *>(editor->layout()->itemAt(0)->widget());
}

// Button texts treat '&' as a shortcut marker; a name shows every character.
QString literalButtonText(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

CTreeViewCameraSelectionDelegate::CTreeViewCameraSelectionDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
    , m_enabledCheckBox(new QCheckBox)
    , m_disabledCheckBox(new QCheckBox)
    , m_label(new QLabel)
{
    m_disabledCheckBox->setEnabled(false);
    m_disabledCheckBox->setChecked(false);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    m_label->setIndent(0);
    // Transport layer names come from the host: shown as they are.
    m_label->setTextFormat(Qt::PlainText);
    for (QWidget *cell :
         { static_cast<QWidget *>(m_enabledCheckBox), static_cast<QWidget *>(m_disabledCheckBox),
           static_cast<QWidget *>(m_label) }) {
        preparePalette(cell);
        cell->setFont(cellFont());
    }
}

CTreeViewCameraSelectionDelegate::~CTreeViewCameraSelectionDelegate()
{
    for (QWidget *cell :
         { static_cast<QWidget *>(m_enabledCheckBox), static_cast<QWidget *>(m_disabledCheckBox),
           static_cast<QWidget *>(m_label) }) {
        if (cell)
            cell->deleteLater();
    }
}

void CTreeViewCameraSelectionDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                             const QModelIndex &index) const
{
    const QPointer<CFirmwareUpdateEntity> entity = entityAt(index);
    if (!entity) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const ENodeKind kind = nodeKind(entity);
    const QRect rect = option.rect;
    if (kind == ENodeKind::TransportLayer) {
        m_label->setBackgroundRole(QPalette::Base);
        m_label->setGeometry(rect);
        m_label->setEnabled(entity->enabled());
        const QString name = entity->transportLayerInfo()->displayName();
        m_label->setText(m_label->fontMetrics().elidedText(name, Qt::ElideRight, m_label->width()));
        renderIntoDevice(painter, m_label, rect, QPoint(1, 0));
    } else {
        QCheckBox *box = entity->enabled() ? m_enabledCheckBox : m_disabledCheckBox;
        if (entity->enabled())
            box->setChecked(entity->selected());
        box->setBackgroundRole(rowBackground(option));
        box->setGeometry(rect);
        const Placement placement = placementOf(kind, index.row());
        // The model's text: it tells cameras that share a name apart.
        const QString name = index.data(Qt::DisplayRole).toString();
        box->setText(literalButtonText(box->fontMetrics().elidedText(
                name, Qt::ElideRight, rect.width() - placement.elideMargin)));
        renderIntoDevice(painter, box, rect, placement.offset);
    }

    painter->save();
    if (option.viewItemPosition != QStyleOptionViewItem::OnlyOne)
        drawSeparator(painter, rect);
    const bool selectedUnderMouse
            = (option.state & QStyle::State_Selected) && (option.state & QStyle::State_MouseOver);
    if (selectedUnderMouse && entity->enabled() && kind != ENodeKind::TransportLayer) {
        painter->setPen(QPen(QColor(Style::TreeColors::HoverFrame), 1));
        const int left = kind == ENodeKind::TreeDevice ? rect.left() + 20 : rect.left();
        painter->drawLine(left, rect.top(), rect.right(), rect.top());
        painter->drawLine(left, rect.top(), left, rect.bottom());
        painter->drawLine(left, rect.bottom(), rect.right(), rect.bottom());
    }
    drawFocusFrame(painter, option, *entity);
    painter->restore();
}

bool CTreeViewCameraSelectionDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                                 const QStyleOptionViewItem &option,
                                                 const QModelIndex &index)
{
    const QPointer<CFirmwareUpdateEntity> entity = entityAt(index);
    if (!entity)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const ENodeKind kind = nodeKind(entity);
    if (kind == ENodeKind::TransportLayer)
        return showCellToolTip(event, view, index, entity->transportLayerInfo()->displayName(),
                               cellFont(), option.rect.width());
    return showCellToolTip(event, view, index, index.data(Qt::DisplayRole).toString(), cellFont(),
                           option.rect.width() - placementOf(kind, index.row()).elideMargin);
}

QSize CTreeViewCameraSelectionDelegate::sizeHint(const QStyleOptionViewItem &option,
                                                 const QModelIndex &index) const
{
    return fixedHeightSizeHint(*this, option, index, m_widths);
}

QWidget *CTreeViewCameraSelectionDelegate::createEditor(QWidget *parent,
                                                        const QStyleOptionViewItem &option,
                                                        const QModelIndex &index) const
{
    const ENodeKind kind = nodeKind(entityAt(index));
    if (!isCamera(kind))
        return QStyledItemDelegate::createEditor(parent, option, index);

    auto *editor = new QWidget(parent);
    // The keyboard stays with the view, so Enter, Tab and Space go on working
    // there; an editor that lost the focus would also be closed.
    editor->setFocusPolicy(Qt::NoFocus);
    if (auto *view = qobject_cast<QWidget *>(this->parent()))
        editor->setFocusProxy(view);
    editor->setBaseSize(option.rect.size());
    auto *layout = new QHBoxLayout(editor);
    layout->setContentsMargins(editorMargins(kind, index.row()));
    auto *box = new QCheckBox(editor);
    box->setBaseSize(option.rect.size());
    box->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(box);
    // The tree's style sheet keeps the page's palette from reaching the editor.
    for (QWidget *widget : { editor, static_cast<QWidget *>(box) })
        widget->setPalette(Style::PagePalette::light());
    connect(box, &QCheckBox::toggled, this, &CTreeViewCameraSelectionDelegate::commit);
    return editor;
}

void CTreeViewCameraSelectionDelegate::setEditorData(QWidget *editor,
                                                     const QModelIndex &index) const
{
    const QPointer<CFirmwareUpdateEntity> entity = entityAt(index);
    QCheckBox *box = editorCheckBox(editor);
    if (!entity || !box) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    // Showing the model's state is no toggle of the user's.
    const QSignalBlocker blocker(box);
    box->setChecked(entity->selected());
    box->setEnabled(entity->enabled());
}

void CTreeViewCameraSelectionDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                                    const QModelIndex &index) const
{
    const QPointer<CFirmwareUpdateEntity> entity = entityAt(index);
    QCheckBox *box = editorCheckBox(editor);
    if (!entity || !box) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    if (box->isChecked() == entity->selected())
        return;
    writeSelection(model, index, box->isChecked());
}

void CTreeViewCameraSelectionDelegate::writeSelection(QAbstractItemModel *model,
                                                      const QModelIndex &index, bool checked)
{
    QModelIndex source = index;
    QAbstractItemModel *sourceModel = model;
    if (auto *proxy = qobject_cast<QSortFilterProxyModel *>(model)) {
        source = proxy->mapToSource(index);
        sourceModel = proxy->sourceModel();
    }
    auto *treeModel = qobject_cast<Model::CFirmwareUpdateTreeModel *>(sourceModel);
    if (!treeModel)
        return;
    treeModel->setData(source, checked, Qt::EditRole);
    treeModel->applySelectionRules(source);
}

void CTreeViewCameraSelectionDelegate::updateEditorGeometry(QWidget *editor,
                                                            const QStyleOptionViewItem &option,
                                                            const QModelIndex &index) const
{
    Q_UNUSED(index)
    editor->setGeometry(option.rect);
}

bool CTreeViewCameraSelectionDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                                   const QStyleOptionViewItem &option,
                                                   const QModelIndex &index)
{
    const QPointer<CFirmwareUpdateEntity> entity = entityAt(index);
    const bool checkable = index.isValid() && index.column() == 0 && isCamera(nodeKind(entity));
    // Open the check box under the mouse, so that one click toggles it.
    if (event->type() == QEvent::MouseMove && checkable) {
        if (auto *view = qobject_cast<QAbstractItemView *>(parent())) {
            view->setCurrentIndex(index);
            openEditorKeepingFocus(view, index);
        }
    }
    // Space on the current row toggles like a click on its check box.
    if (event->type() == QEvent::KeyPress && checkable) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Select) {
            if (entity->enabled())
                writeSelection(model, index, !entity->selected());
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

void CTreeViewCameraSelectionDelegate::openEditorKeepingFocus(QAbstractItemView *view,
                                                              const QModelIndex &index)
{
    // The view focuses every editor it opens, which the editor hands on to
    // the view; a passing mouse must not take the keyboard from where the
    // user left it.
    QWidget *window = view->window();
    const QPointer<QWidget> before = window->focusWidget();
    view->edit(index);
    if (before && window->focusWidget() != before)
        before->setFocus(Qt::OtherFocusReason);
}

void CTreeViewCameraSelectionDelegate::commit()
{
    auto *box = qobject_cast<QCheckBox *>(sender());
    if (!box)
        return;
    QWidget *editor = box->parentWidget();
    emit commitData(editor);
    // The tree view keeps the editor open on this hint, ready for the next toggle.
    emit closeEditor(editor, QAbstractItemDelegate::EditNextItem);
}

} // namespace Plugin::FirmwareUpdater::Internal::View
