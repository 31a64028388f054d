#include "state/CUpdateSummaryStep.h"

#include "entity/CFirmwareUpdateEntity.h"
#include "host/BaseException.h"
#include "host/IDeviceFirmwareUpdateService.h"
#include "host/ServiceLookup.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "api/IFirmwareUpdaterService.h"
#include "view/CUpdateSummaryDialog.h"

#include <exception>

namespace Plugin::FirmwareUpdater::Internal::State {

using Entity::CFirmwareUpdateEntity;
using Model::CFirmwareUpdateTreeModel;
using Plugin::Dorvix::FirmwareUpdateInfoPtr;

namespace {

QString directionVerb(Plugin::Dorvix::EFirmwareUpdateDirection direction)
{
    switch (direction) {
    case Plugin::Dorvix::Reinstall:
        return QStringLiteral("reinstall");
    case Plugin::Dorvix::Downgrade:
        return QStringLiteral("downgrade");
    default:
        return QStringLiteral("update");
    }
}

} // namespace

CUpdateSummaryStep::CUpdateSummaryStep(QPointer<Core::Service::IServiceRegistry> registry,
                                       QWidget *page, QState *parent)
    : CFirmwareUpdateStepBase(registry, page, parent)
    , m_deviceFirmwareUpdateService(
              Core::Service::findService<Plugin::Dorvix::IDeviceFirmwareUpdateService>(registry))
    , m_service(Core::Service::findService<IFirmwareUpdaterService>(registry))
{ }

CUpdateSummaryStep::~CUpdateSummaryStep() = default;

void CUpdateSummaryStep::setModel(QSharedPointer<CFirmwareUpdateTreeModel> model)
{
    if (model != m_model)
        m_model = model;
}

void CUpdateSummaryStep::onEntry(QEvent *event)
{
    CFirmwareUpdateStepBase::onEntry(event);
    auto *dialog = qobject_cast<View::CUpdateSummaryDialog *>(page().data());
    if (!dialog || !m_service)
        return;
    const QSharedPointer<CFirmwareUpdateTreeModel> updateModel = dialog->treeModel();

    QList<CFirmwareUpdateEntity *> copies;
    if (m_model) {
        const QList<QPointer<CFirmwareUpdateEntity>> selected = m_model->selectedCameras();
        for (const QPointer<CFirmwareUpdateEntity> &entity : selected) {
            if (entity)
                copies.append(new CFirmwareUpdateEntity(*entity));
        }
    }

    const QString filePath = m_service->updateFilePath();
    m_service->writeLog(Info, QStringLiteral("Selected firmware update file ") + filePath);
    QVector<FirmwareUpdateInfoPtr> infos;
    QString readError;
    bool readFailed = false;
    try {
        if (!m_deviceFirmwareUpdateService)
            throw Core::Exception::BaseException(
                    QStringLiteral("No firmware update service available"));
        infos = m_deviceFirmwareUpdateService->readUpdateFile(filePath, QStringLiteral(""));
        // A host may hand out empty entries; there is nothing to read in them.
        infos.removeAll(FirmwareUpdateInfoPtr());
        for (const FirmwareUpdateInfoPtr &info : qAsConst(infos)) {
            m_service->writeLog(
                    Info, QStringLiteral("Contains firmware update to version ") + info->version());
            m_service->writeLog(Info, QStringLiteral("Description: ") + info->description());
        }
    } catch (const Core::Exception::BaseException &exception) {
        readFailed = true;
        readError = exception.getMessage();
    } catch (const std::exception &exception) {
        // Anything else a host throws must not end the viewer either.
        readFailed = true;
        readError = QString::fromLocal8Bit(exception.what());
    } catch (...) {
        readFailed = true;
        readError = QStringLiteral("unknown error");
    }
    if (readFailed) {
        m_service->writeLog(Critical,
                            QStringLiteral("Failed to open firmware update file: ") + readError);
        qDeleteAll(copies);
        // Without a plan there is nothing to go on with: no stale plan, no Next.
        if (updateModel) {
            disconnect(updateModel.data(), &QAbstractItemModel::dataChanged, this,
                       &CUpdateSummaryStep::slotDataChanged);
            updateModel->setEntities({});
        }
        dialog->setDowngradeWarningVisible(false);
        dialog->setReinstallWarningVisible(false);
        dialog->setNextEnabled(false);
        return;
    }

    bool downgradeSeen = false;
    bool reinstallSeen = false;
    for (CFirmwareUpdateEntity *copy : qAsConst(copies)) {
        const Core::DorvixComponents::CameraInfoPtr camera = copy->cameraInfo();
        QVector<FirmwareUpdateInfoPtr> compatible;
        bool flag = false;
        // The first compatible description wins. A host that hands out no
        // update object for it, or throws instead, is treated like one
        // without a compatible firmware rather than trusted blindly.
        compatible.removeAll(FirmwareUpdateInfoPtr());
        Plugin::Dorvix::DeviceFirmwareUpdatePtr update;
        try {
            const bool found = m_deviceFirmwareUpdateService->findCompatibleUpdates(
                    camera, infos, compatible, flag);
            if (found && !compatible.isEmpty())
                update = m_deviceFirmwareUpdateService->createFirmwareUpdate(camera,
                                                                             compatible.first());
        } catch (...) {
            update.clear();
        }
        if (!update) {
            m_service->writeLog(Critical,
                                QStringLiteral("No compatible firmware update found for %1 %2: %3")
                                        .arg(camera->modelName(), camera->secondaryName(),
                                             camera->detailText()));
            continue;
        }
        const FirmwareUpdateInfoPtr updateInfo = update->firmwareUpdateInfo();
        const QString version = updateInfo ? updateInfo->version() : QString();
        const Plugin::Dorvix::EFirmwareUpdateDirection direction = update->direction();
        copy->setDeviceFirmwareUpdate(update);
        copy->setSelectedFirmware(version);
        copy->setUpdateDetails(direction);
        downgradeSeen = downgradeSeen || direction == Plugin::Dorvix::Downgrade;
        reinstallSeen = reinstallSeen || direction == Plugin::Dorvix::Reinstall;
        m_service->writeLog(
                Info,
                QStringLiteral("Created update: Update will %1 camera %2 %3 with version %4 to "
                               "version %5")
                        .arg(directionVerb(direction), camera->modelName(), camera->displayName(),
                             copy->data(CFirmwareUpdateEntity::CurrentFirmware).toString(),
                             version));
    }

    dialog->setDowngradeWarningVisible(downgradeSeen);
    dialog->setReinstallWarningVisible(reinstallSeen);
    if (updateModel) {
        disconnect(updateModel.data(), &QAbstractItemModel::dataChanged, this,
                   &CUpdateSummaryStep::slotDataChanged);
        updateModel->setEntities(copies);
        connect(updateModel.data(), &QAbstractItemModel::dataChanged, this,
                &CUpdateSummaryStep::slotDataChanged);
    } else {
        qDeleteAll(copies);
    }
    dialog->setTreeModel(updateModel);
    updateNextButton();
}

void CUpdateSummaryStep::slotDataChanged(const QModelIndex &, const QModelIndex &,
                                         const QVector<int> &roles)
{
    if (roles.contains(CFirmwareUpdateEntity::SelectionStatus)
        || roles.contains(CFirmwareUpdateEntity::DisplayName))
        updateNextButton();
}

void CUpdateSummaryStep::updateNextButton()
{
    auto *dialog = qobject_cast<View::CUpdateSummaryDialog *>(page().data());
    if (!dialog)
        return;
    const QSharedPointer<CFirmwareUpdateTreeModel> updateModel = dialog->treeModel();
    if (!updateModel)
        return;
    dialog->setNextEnabled(!updateModel->selectedCameras().isEmpty());
}

} // namespace Plugin::FirmwareUpdater::Internal::State
