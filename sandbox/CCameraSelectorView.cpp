#include "sandbox/CCameraSelectorView.h"

#include "simulator/CCameraPool.h"

#include <QHash>
#include <QHeaderView>
#include <QMenu>

namespace Sandbox {

CCameraSelectorView::CCameraSelectorView(Simulator::CCameraPool *pool, QWidget *parent)
    : QTreeWidget(parent)
    , m_pool(pool)
{
    setObjectName(QStringLiteral("cameraSelector"));
    setHeaderLabels(
            { tr("Camera"), tr("Model"), tr("Firmware"), tr("Status code"), tr("Busy"), tr("Id") });
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setRootIsDecorated(true);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Columns fit the rows on screen; measuring thousands of rows' texts on
    // each change made a large pool's list unusable.
    header()->setResizeContentsPrecision(0);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { onCurrentItemChanged(current); });
    connect(this, &QWidget::customContextMenuRequested, this,
            &CCameraSelectorView::onContextMenuRequested);
    rebuild();
}

CCameraSelectorView::~CCameraSelectorView() = default;

void CCameraSelectorView::setContextMenu(QMenu *menu)
{
    m_contextMenu = menu;
}

QString CCameraSelectorView::currentCameraId() const
{
    const QTreeWidgetItem *item = currentItem();
    return item ? item->data(NameColumn, CameraIdRole).toString() : QString();
}

bool CCameraSelectorView::selectCamera(const QString &cameraId)
{
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if ((*it)->data(NameColumn, CameraIdRole).toString() == cameraId && !cameraId.isEmpty()) {
            setCurrentItem(*it);
            return true;
        }
    }
    return false;
}

QList<QAction *> CCameraSelectorView::contextActions() const
{
    QList<QAction *> actions;
    if (!m_contextMenu)
        return actions;
    for (QAction *action : m_contextMenu->actions()) {
        if (action->isVisible() && !action->isSeparator())
            actions.append(action);
    }
    return actions;
}

void CCameraSelectorView::rebuild()
{
    const QString current = currentCameraId();
    {
        // Rebuilding is no choice of the user's: report only the outcome.
        const QSignalBlocker blocker(this);
        clear();
        if (m_pool) {
            // Rows are filled before they join the tree, so that no view
            // hears of each text.
            const QHash<QString, Simulator::SimulatedCameraPtr> simulated = camerasById();
            QList<QTreeWidgetItem *> layerItems;
            for (const Plugin::Dorvix::TransportLayerInfoPtr &layer : m_pool->transportLayers()) {
                auto *layerItem = new QTreeWidgetItem({ layer->displayName() });
                layerItem->setData(IdColumn, Qt::DisplayRole, layer->id());
                QList<QTreeWidgetItem *> cameraItems;
                for (const Core::DorvixComponents::CameraInfoPtr &camera : layer->cameras()) {
                    auto *item = new QTreeWidgetItem({ camera->displayName() });
                    item->setData(NameColumn, CameraIdRole, camera->id());
                    item->setText(ModelColumn, camera->modelName());
                    item->setText(IdColumn, camera->id());
                    setCameraTexts(item, simulated.value(camera->id()));
                    cameraItems << item;
                }
                layerItem->addChildren(cameraItems);
                layerItems << layerItem;
            }
            addTopLevelItems(layerItems);
        }
        expandAll();
    }
    if (!selectCamera(current))
        onCurrentItemChanged(nullptr);
}

void CCameraSelectorView::refreshTexts()
{
    if (!m_pool)
        return;
    const QHash<QString, Simulator::SimulatedCameraPtr> cameras = camerasById();
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        const QString id = (*it)->data(NameColumn, CameraIdRole).toString();
        if (!id.isEmpty())
            setCameraTexts(*it, cameras.value(id));
    }
}

QHash<QString, Simulator::SimulatedCameraPtr> CCameraSelectorView::camerasById() const
{
    // One pass over the pool instead of a search per row.
    QHash<QString, Simulator::SimulatedCameraPtr> cameras;
    if (m_pool) {
        for (const Simulator::SimulatedCameraPtr &camera : m_pool->cameras())
            cameras.insert(camera->id(), camera);
    }
    return cameras;
}

void CCameraSelectorView::setCameraTexts(QTreeWidgetItem *item,
                                         const Simulator::SimulatedCameraPtr &camera)
{
    if (!camera)
        return;
    // Only changed texts: in a shown list each change costs a re-measure.
    const auto setText = [item](int column, const QString &text) {
        if (item->text(column) != text)
            item->setText(column, text);
    };
    setText(FirmwareColumn, camera->currentFirmwareVersion());
    setText(StatusColumn, QString::number(camera->statusCode()));
    setText(BusyColumn, camera->isBusy() ? tr("busy") : QString());
}

void CCameraSelectorView::onCurrentItemChanged(QTreeWidgetItem *current)
{
    const QString id = current ? current->data(NameColumn, CameraIdRole).toString() : QString();
    // The selector reports changes only, as the viewer's does.
    if (id == m_reportedCameraId)
        return;
    m_reportedCameraId = id;
    if (m_pool)
        m_pool->selectCamera(id);
}

void CCameraSelectorView::onContextMenuRequested(const QPoint &position)
{
    QTreeWidgetItem *item = itemAt(position);
    if (item)
        setCurrentItem(item);
    if (!m_contextMenu || contextActions().isEmpty())
        return;
    m_contextMenu->popup(viewport()->mapToGlobal(position));
}

} // namespace Sandbox
