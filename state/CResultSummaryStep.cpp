#include "state/CResultSummaryStep.h"

#include "api/IFirmwareUpdaterService.h"
#include "host/BaseException.h"
#include "host/IDeviceFirmwareUpdateService.h"
#include "host/ServiceLookup.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "state/CFirmwareUpdatingStep.h"
#include "view/CResultSummaryDialog.h"

#include <QMessageBox>

namespace Plugin::FirmwareUpdater::Internal::State {

CResultSummaryStep::CResultSummaryStep(QPointer<Core::Service::IServiceRegistry> registry,
                                       QWidget *page, QState *parent)
    : CFirmwareUpdateStepBase(registry, page, parent)
    , m_service(Core::Service::findService<IFirmwareUpdaterService>(registry))
    , m_registry(registry)
{ }

CResultSummaryStep::~CResultSummaryStep() = default;

void CResultSummaryStep::setModel(QSharedPointer<Model::CFirmwareUpdateTreeModel> model)
{
    if (model != m_model)
        m_model = model;
}

void CResultSummaryStep::setCameraModel(QSharedPointer<Model::CFirmwareUpdateTreeModel> model)
{
    m_cameraModel = model;
}

void CResultSummaryStep::onRetryClicked()
{
    using Entity::CFirmwareUpdateEntity;
    auto *dialog = qobject_cast<View::CResultSummaryDialog *>(page().data());
    const QSharedPointer<Model::CFirmwareUpdateTreeModel> updateModel
            = dialog ? dialog->treeModel() : nullptr;
    if (!dialog || !updateModel || !m_cameraModel || !m_service)
        return;

    for (const QPointer<CFirmwareUpdateEntity> &entity : m_cameraModel->selectedCameras()) {
        if (!entity || !entity->cameraInfo())
            continue;
        const QModelIndex index = m_cameraModel->findCameraIndex(
                entity->cameraInfo()->transportLayerId(), entity->cameraInfo()->id(),
                CFirmwareUpdateEntity::SelectionStatus);
        m_cameraModel->setData(index, false, Qt::EditRole);
        m_cameraModel->applySelectionRules(index);
    }

    // The camera tree follows the enumeration, so a camera missing there is gone.
    QStringList gone;
    for (int row = 0; row < updateModel->rowCount(); ++row) {
        const auto *entity = static_cast<const CFirmwareUpdateEntity *>(
                updateModel->index(row, 0).internalPointer());
        if (!entity || !entity->cameraInfo() || entity->updateResult() == CFirmwareUpdateEntity::OK)
            continue;
        const Core::DorvixComponents::CameraInfoPtr camera = entity->cameraInfo();
        const QModelIndex index = m_cameraModel->findCameraIndex(
                camera->transportLayerId(), camera->id(), CFirmwareUpdateEntity::SelectionStatus);
        if (!index.isValid()) {
            gone.append(QStringLiteral("%1 (%2)").arg(camera->displayName(), camera->id()));
            continue;
        }
        m_cameraModel->setData(index, true, Qt::EditRole);
        m_cameraModel->applySelectionRules(index);
    }
    const QString goneList = gone.join(QStringLiteral(", "));
    const QList<QPointer<CFirmwareUpdateEntity>> cameras = m_cameraModel->selectedCameras();
    if (cameras.isEmpty() || !cameras.first() || !cameras.first()->cameraInfo()) {
        dialog->setNotice(
                tr("None of the cameras to retry is connected any more: %1").arg(goneList));
        return;
    }

    // The file may have changed since page 2 checked it.
    const auto updateService
            = Core::Service::findService<Plugin::Dorvix::IDeviceFirmwareUpdateService>(m_registry);
    if (!updateService) {
        dialog->setNotice(tr("The file could not be read: %1")
                                  .arg(tr("No firmware update service available.")));
        return;
    }
    QVector<Plugin::Dorvix::FirmwareUpdateInfoPtr> infos;
    try {
        infos = updateService->readUpdateFile(m_service->updateFilePath(), QString());
    } catch (const Core::Exception::BaseException &exception) {
        m_service->writeLog(Critical,
                            QStringLiteral("Failed to check for compatible update: %1")
                                    .arg(exception.getMessage()));
        dialog->setNotice(tr("The file could not be read: %1").arg(exception.getMessage()));
        return;
    }
    QVector<Plugin::Dorvix::FirmwareUpdateInfoPtr> compatible;
    bool flag = false;
    if (!updateService->findCompatibleUpdates(cameras.first()->cameraInfo(), infos, compatible,
                                              flag)
        || compatible.isEmpty()) {
        dialog->setNotice(
                tr("The firmware update file selected is not compatible with your camera model."));
        return;
    }

    if (!gone.isEmpty()) {
        m_service->writeLog(
                Warning,
                QStringLiteral("Left out of the retry, no longer connected: %1").arg(goneList));
        // Not modal and owned by page 5, so the plan can be reviewed beside it.
        auto *box = new QMessageBox(QMessageBox::Information, dialog->windowTitle(),
                                    tr("These cameras are no longer connected and are left out: "
                                       "%1")
                                            .arg(goneList),
                                    QMessageBox::Ok, dialog);
        box->setTextFormat(Qt::PlainText);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::NonModal);
        box->setObjectName(QStringLiteral("retryLeftOutBox"));
        box->show();
    }
    m_service->writeLog(Info, QStringLiteral("Retrying the failed and skipped cameras"));
    emit retryRequested();
}

void CResultSummaryStep::onEntry(QEvent *event)
{
    CFirmwareUpdateStepBase::onEntry(event);
    auto *dialog = qobject_cast<View::CResultSummaryDialog *>(page().data());
    if (!dialog)
        return;
    dialog->refreshResults();
    if (m_service && m_service->isLogFileComplete())
        dialog->setLinks(m_service->supportUrl(), m_service->logFilePath());
    else if (m_service)
        dialog->showLogFileIncomplete(m_service->supportUrl(), m_service->logFilePath());
    int failed = 0;
    int ok = 0;
    int skipped = 0;
    const QSharedPointer<Model::CFirmwareUpdateTreeModel> model = dialog->treeModel();
    if (model)
        model->countUpdateResults(&failed, &ok, &skipped);
    if (failed > 0 && m_service) {
        // Already translated by the service; shown as the log line has it,
        // whole, whatever it holds.
        dialog->setErrorMessage(IFirmwareUpdaterService::escapedForLog(m_service->lastErrorMessage()),
                                skipped == 0);
    }
    if (failed == 0 && skipped > 0 && m_service
        && m_service->lastErrorMessage() == CFirmwareUpdatingStep::canceledMessage())
        dialog->showCanceled();
}

void CResultSummaryStep::onExit(QEvent *event)
{
    if (m_model)
        m_model->setEntities({});
    CFirmwareUpdateStepBase::onExit(event);
}

} // namespace Plugin::FirmwareUpdater::Internal::State
