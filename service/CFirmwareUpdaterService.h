#pragma once

#include "host/IFirmwareUpdateInfo.h"
#include "host/IServiceRegistry.h"
#include "host/ITransportLayerInfo.h"
#include "api/IFirmwareUpdaterService.h"
#include "service/CLogTimeStamp.h"

#include <QFile>
#include <QPointer>
#include <QSharedPointer>
#include <QStateMachine>

class QFileInfo;

namespace Plugin::FirmwareUpdater::Internal::Model {
class CFirmwareUpdateTreeModel;
}

namespace Plugin::FirmwareUpdater::Internal::State {
class CFirmwareUpdatingStep;
}

namespace Plugin::FirmwareUpdater::Internal::View {
class CCameraSelectionDialog;
class CUpdateSelectionDialog;
class CUpdateSummaryDialog;
class CFirmwareUpdateDialog;
class CResultSummaryDialog;
} // namespace Plugin::FirmwareUpdater::Internal::View

namespace Plugin::FirmwareUpdater::Internal::Service {

// Owns a wizard run: the pages, the state machine, the two tree models, the
// chosen update file, the log and the geometry carried from page to page.
class CFirmwareUpdaterService : public IFirmwareUpdaterService
{
    Q_OBJECT

public:
    CFirmwareUpdaterService(QPointer<Core::Service::IServiceRegistry> registry,
                            QObject *parent = nullptr);
    ~CFirmwareUpdaterService() override;

    // A service shared with the wizard's states and also a child of parent.
    // Whichever goes first, the parent deleting its child or the last
    // reference going, the object is deleted once.
    static QSharedPointer<CFirmwareUpdaterService>
    create(QPointer<Core::Service::IServiceRegistry> registry, QObject *parent);

    bool createWizard() override;
    void startWizard() override;
    QString supportUrl() override;
    Core::DorvixComponents::CameraInfoPtr preselectedCamera() override;
    void setPreselectedCamera(Core::DorvixComponents::CameraInfoPtr camera) override;
    bool isCameraSupported(Core::DorvixComponents::CameraInfoPtr camera) override;
    QString updateFilePath() override;
    void openLogFile() override;
    QString writeLog(const ELogLevel &level, const QString &message) override;
    QString logFilePath() override;
    QString lastErrorMessage() override;
    void setLastErrorMessage(const QString &message) override;
    void closeLogFile() override;
    void setPagePosition(const QPoint &position) override;
    QPoint &pagePosition() override;
    void setPageSize(const QSize &size) override;
    QSize &pageSize() override;
    void setPageWindowState(const Qt::WindowStates &state) override;
    Qt::WindowStates &pageWindowState() override;
    bool isLogFileComplete() override;

    // Ends what the service started before it goes: lets a running camera
    // finish and logs its outcome, closes the log, deletes the state machine
    // with its states and hides and releases the pages. Idempotent.
    void shutdown();

public slots:
    void onEnumerationChanged() override;
    void onRefreshCameraTreeClicked();
    void onBrowseClicked();
    void onPathChanged(QString filePath);

private:
    // Checks the pre-selected camera in the freshly built camera model.
    void applyPreselection();
    void rebuildCameraModel(const QVector<Plugin::Dorvix::TransportLayerInfoPtr> &transportLayers);
    // Asks the user to stop the busy cameras; true when the run may go on.
    bool confirmStopCameras();
    // Tells the user which parts of the viewer the wizard lacks.
    void reportMissingServices(const QStringList &parts);
    void checkUpdateFile(const QFileInfo &file);
    // Where Browse opens: the folder of the path in the field, else the last one.
    QString browseFolder() const;
    void showFileVerdict(bool compatible, bool noFile,
                         const QVector<QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo>> &infos);

    // The host main window owns the pages; the guards notice when it is gone.
    QPointer<View::CCameraSelectionDialog> m_cameraSelectionPage;
    QPointer<View::CUpdateSelectionDialog> m_updateSelectionPage;
    QPointer<View::CUpdateSummaryDialog> m_updateSummaryPage;
    QPointer<View::CFirmwareUpdateDialog> m_firmwareUpdatePage;
    QPointer<View::CResultSummaryDialog> m_resultSummaryPage;
    QPointer<QStateMachine> m_stateMachine;
    QPointer<Core::Service::IServiceRegistry> m_registry;
    Core::DorvixComponents::CameraInfoPtr m_ptrPreselectedCamera;
    QSharedPointer<Model::CFirmwareUpdateTreeModel> m_cameraModel;
    QSharedPointer<Model::CFirmwareUpdateTreeModel> m_updateModel;
    QString m_updateFilePath;
    QString m_lastBrowseFolder;
    QPointer<QFile> m_logFile;
    CLogTimeStamp m_logTimeStamp;
    // Kept apart from the file: a file opened from a descriptor has no name.
    QString m_logFilePath;
    bool m_logFileComplete = false;
    QPointer<State::CFirmwareUpdatingStep> m_updatingStep;
    bool m_shutDown = false;
    QString m_lastErrorMessage;
    QPoint m_pagePosition;
    QSize m_pageSize;
    Qt::WindowStates m_pageWindowState;
};

} // namespace Plugin::FirmwareUpdater::Internal::Service
