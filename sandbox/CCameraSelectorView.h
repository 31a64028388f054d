#pragma once

#include "simulator/CSimulatedCamera.h"

#include <QHash>
#include <QPointer>
#include <QTreeWidget>

class QMenu;

namespace Simulator {
class CCameraPool;
}

namespace Sandbox {

// The viewer's camera selector: transport layers with their cameras. The
// current camera is reported through the pool's device selector service,
// and the context menu shows what plug-ins put into the selector's menu.
class CCameraSelectorView : public QTreeWidget
{
    Q_OBJECT

public:
    enum EColumn { NameColumn, ModelColumn, FirmwareColumn, StatusColumn, BusyColumn, IdColumn };
    static constexpr int CameraIdRole = Qt::UserRole + 1;

    CCameraSelectorView(Simulator::CCameraPool *pool, QWidget *parent = nullptr);
    ~CCameraSelectorView() override;

    // Shows what plug-ins add to "OndrelViewer.LintrelContextMenu".
    void setContextMenu(QMenu *menu);

    // Empty when no camera row is current.
    QString currentCameraId() const;
    // Makes the camera's row current, which reports it as selected.
    bool selectCamera(const QString &cameraId);
    // The visible actions the context menu would offer now.
    QList<QAction *> contextActions() const;

public slots:
    // Rebuilds the rows from the pool, keeping the current camera.
    void rebuild();
    // Updates firmware and busy texts in place; updates change them.
    void refreshTexts();

private:
    QHash<QString, Simulator::SimulatedCameraPtr> camerasById() const;
    static void setCameraTexts(QTreeWidgetItem *item, const Simulator::SimulatedCameraPtr &camera);
    void onCurrentItemChanged(QTreeWidgetItem *current);
    void onContextMenuRequested(const QPoint &position);

    QPointer<Simulator::CCameraPool> m_pool;
    QPointer<QMenu> m_contextMenu;
    QString m_reportedCameraId;
};

} // namespace Sandbox
