#include "service/CFirmwareUpdaterService.h"

#include "host/BaseException.h"
#include "host/ICameraEnumerationService.h"
#include "host/ICameraStatusService.h"
#include "host/ICameraStreamControlService.h"
#include "host/IDeviceFirmwareUpdateService.h"
#include "host/IWindowService.h"
#include "host/ServiceLookup.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "state/CCameraSelectionStep.h"
#include "state/CFirmwareUpdateDoneStep.h"
#include "state/CFirmwareUpdatingStep.h"
#include "state/CResultSummaryStep.h"
#include "state/CUpdateSelectionStep.h"
#include "state/CUpdateSummaryStep.h"
#include "view/CCameraSelectionDialog.h"
#include "view/CFirmwareUpdateDialog.h"
#include "view/CResultSummaryDialog.h"
#include "view/CUpdateSelectionDialog.h"
#include "view/CUpdateSummaryDialog.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMap>
#include <QMessageBox>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <exception>

namespace Plugin::FirmwareUpdater::Internal::Service {

using Core::DorvixComponents::CameraInfoPtr;
using Core::Service::findService;
using Plugin::Dorvix::FirmwareUpdateInfoPtr;
using Plugin::Dorvix::TransportLayerInfoPtr;

namespace {

// Level names, translated in the service's context when a line is written.
const QMap<qint32, const char *> kLevelNames = {
    { Debug,
      QT_TRANSLATE_NOOP("Plugin::FirmwareUpdater::Internal::Service::CFirmwareUpdaterService",
                        "DEBUG") },
    { Info,
      QT_TRANSLATE_NOOP("Plugin::FirmwareUpdater::Internal::Service::CFirmwareUpdaterService",
                        "INFO") },
    { Warning,
      QT_TRANSLATE_NOOP("Plugin::FirmwareUpdater::Internal::Service::CFirmwareUpdaterService",
                        "WARNING") },
    { Critical,
      QT_TRANSLATE_NOOP("Plugin::FirmwareUpdater::Internal::Service::CFirmwareUpdaterService",
                        "CRITICAL") },
};

// The system's temporary folder; when that is unusable (a TMPDIR that does not
// exist gives an empty path) the first fallback that is a folder.
QString logFolder()
{
    QStringList candidates { QDir::tempPath() };
#ifdef Q_OS_UNIX
    candidates << QStringLiteral("/tmp");
#endif
    candidates << QDir::homePath();
    for (const QString &candidate : qAsConst(candidates)) {
        if (!candidate.isEmpty() && QFileInfo(candidate).isDir())
            return candidate;
    }
    return QDir::currentPath();
}

// Opens the log at path for appending. In a shared folder another user may
// have planted a link or a file under the predictable name: a link is never
// followed, and only a plain file of ours with no other name is written.
QFile *openOwnLogFile(const QString &path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                          0666);
    if (fd < 0)
        return nullptr;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid()
        || status.st_nlink != 1) {
        ::close(fd);
        return nullptr;
    }
    auto *file = new QFile;
    if (!file->open(fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        delete file;
        return nullptr;
    }
    return file;
#else
    auto *file = new QFile(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append)) {
        delete file;
        return nullptr;
    }
    return file;
#endif
}

// A new file with an unpredictable name beside the refused one.
QFile *openUniqueLogFile(const QString &path)
{
    auto *file = new QTemporaryFile(path.chopped(4) + QStringLiteral("_XXXXXX.log"));
    file->setAutoRemove(false);
    if (!file->open()) {
        delete file;
        return nullptr;
    }
    return file;
}

} // namespace

CFirmwareUpdaterService::CFirmwareUpdaterService(QPointer<Core::Service::IServiceRegistry> registry,
                                                 QObject *parent)
    : IFirmwareUpdaterService(parent)
    , m_stateMachine(new QStateMachine)
    , m_registry(registry)
    , m_cameraModel(new Model::CFirmwareUpdateTreeModel(nullptr))
    , m_updateModel(new Model::CFirmwareUpdateTreeModel(nullptr))
    , m_pageSize(-1, -1)
{ }

CFirmwareUpdaterService::~CFirmwareUpdaterService()
{
    shutdown();
}

void CFirmwareUpdaterService::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;

    if (m_stateMachine && m_stateMachine->isRunning()) {
        // Waits, with the interface alive, for the current camera and logs
        // its outcome; the log must not end mid-camera without saying why.
        if (m_updatingStep)
            m_updatingStep->finishBeforeShutdown();
        writeLog(Warning, QStringLiteral("Firmware Updater unloaded while the wizard was open"));
    }
    if (m_logFile) {
        m_logFile->flush();
        m_logFile->close();
        m_logFile->deleteLater();
        m_logFile = nullptr;
    }
    // The states call the service: they go now, with their thread, timer and
    // any worker signal still queued for them, not at some later event loop.
    delete m_stateMachine.data();

    // A stopped machine exits no state, so a visible page would stay modal
    // with nothing behind it; and the host window must not collect pages
    // over unloads and reloads.
    const QList<QPointer<QWidget>> pages
            = { m_cameraSelectionPage.data(), m_updateSelectionPage.data(),
                m_updateSummaryPage.data(), m_firmwareUpdatePage.data(),
                m_resultSummaryPage.data() };
    for (const QPointer<QWidget> &page : pages) {
        if (page) {
            page->hide();
            page->deleteLater();
        }
    }
}

QSharedPointer<CFirmwareUpdaterService>
CFirmwareUpdaterService::create(QPointer<Core::Service::IServiceRegistry> registry, QObject *parent)
{
    // The states hold the service and the service holds the states' machine,
    // so the parent may well delete the service while references remain.
    auto *service = new CFirmwareUpdaterService(registry, parent);
    const auto alive = QSharedPointer<bool>::create(true);
    connect(service, &QObject::destroyed, [alive] { *alive = false; });
    return QSharedPointer<CFirmwareUpdaterService>(service, [alive](CFirmwareUpdaterService *s) {
        if (*alive)
            delete s;
    });
}

bool CFirmwareUpdaterService::createWizard()
{
    using namespace State;

    QWidget *mainWindow = nullptr;
    if (const auto windowService = findService<Plugin::Vantor::IWindowService>(m_registry))
        mainWindow = windowService->mainWindow();

    if (!m_cameraSelectionPage) {
        m_cameraSelectionPage = new View::CCameraSelectionDialog(mainWindow);
        m_cameraSelectionPage->setTreeModel(m_cameraModel);
        connect(m_cameraSelectionPage, &View::CCameraSelectionDialog::refreshCamTreeClicked, this,
                &CFirmwareUpdaterService::onRefreshCameraTreeClicked);
    }
    if (!m_updateSelectionPage) {
        m_updateSelectionPage = new View::CUpdateSelectionDialog(mainWindow);
        m_updateSelectionPage->setTreeModel(m_cameraModel);
        connect(m_updateSelectionPage, &View::CUpdateSelectionDialog::browseClicked, this,
                &CFirmwareUpdaterService::onBrowseClicked);
        connect(m_updateSelectionPage, &View::CUpdateSelectionDialog::pathChanged, this,
                &CFirmwareUpdaterService::onPathChanged);
    }
    if (!m_updateSummaryPage) {
        m_updateSummaryPage = new View::CUpdateSummaryDialog(mainWindow);
        m_updateSummaryPage->setTreeModel(m_updateModel);
    }
    if (!m_firmwareUpdatePage) {
        m_firmwareUpdatePage = new View::CFirmwareUpdateDialog(mainWindow);
        m_firmwareUpdatePage->setTreeModel(m_updateModel);
    }
    if (!m_resultSummaryPage) {
        m_resultSummaryPage = new View::CResultSummaryDialog(mainWindow);
        m_resultSummaryPage->setTreeModel(m_updateModel);
    }

    View::CCameraSelectionDialog *page1 = m_cameraSelectionPage;
    View::CUpdateSelectionDialog *page2 = m_updateSelectionPage;
    View::CUpdateSummaryDialog *page3 = m_updateSummaryPage;
    View::CFirmwareUpdateDialog *page4 = m_firmwareUpdatePage;
    View::CResultSummaryDialog *page5 = m_resultSummaryPage;

    auto *doneStep = new CFirmwareUpdateDoneStep(m_registry, nullptr);
    auto *cameraSelectionStep = new CCameraSelectionStep(m_registry, page1, nullptr);
    auto *updateSelectionStep = new CUpdateSelectionStep(m_registry, page2, nullptr);
    auto *updateSummaryStep = new CUpdateSummaryStep(m_registry, page3, nullptr);
    auto *updatingStep = new CFirmwareUpdatingStep(m_registry, page4, nullptr);
    m_updatingStep = updatingStep;
    auto *resultSummaryStep = new CResultSummaryStep(m_registry, page5, nullptr);

    cameraSelectionStep->addTransition(page1, &View::CCameraSelectionDialog::nextClicked,
                                       updateSelectionStep);
    cameraSelectionStep->addTransition(page1, &View::CUpdateDialogBase::closeClicked, doneStep);
    cameraSelectionStep->setModel(m_cameraModel);

    updateSelectionStep->addTransition(page2, &View::CUpdateSelectionDialog::backClicked,
                                       cameraSelectionStep);
    updateSelectionStep->addTransition(page2, &View::CUpdateSelectionDialog::nextClicked,
                                       updateSummaryStep);
    updateSelectionStep->addTransition(page2, &View::CUpdateDialogBase::closeClicked, doneStep);
    updateSelectionStep->setModel(m_updateModel);

    updateSummaryStep->addTransition(page3, &View::CUpdateSummaryDialog::backClicked,
                                     updateSelectionStep);
    updateSummaryStep->addTransition(page3, &View::CUpdateSummaryDialog::nextClicked, updatingStep);
    updateSummaryStep->addTransition(page3, &View::CUpdateDialogBase::closeClicked, doneStep);
    updateSummaryStep->setModel(m_cameraModel);

    updatingStep->addTransition(updatingStep, &CFirmwareUpdatingStep::firmwareUpdateDone,
                                resultSummaryStep);

    resultSummaryStep->addTransition(page5, &View::CResultSummaryDialog::nextClicked,
                                     cameraSelectionStep);
    resultSummaryStep->addTransition(page5, &View::CUpdateDialogBase::closeClicked, doneStep);
    resultSummaryStep->setModel(m_updateModel);
    resultSummaryStep->setCameraModel(m_cameraModel);
    resultSummaryStep->addTransition(resultSummaryStep, &CResultSummaryStep::retryRequested,
                                     updateSummaryStep);
    connect(page5, &View::CResultSummaryDialog::retryClicked, resultSummaryStep,
            &CResultSummaryStep::onRetryClicked);

    doneStep->setModel(m_updateModel);

    connect(page4, &View::CUpdateDialogBase::closeClicked, updatingStep,
            &CFirmwareUpdatingStep::onUpdatesCanceled);

    m_stateMachine->addState(doneStep);
    m_stateMachine->addState(cameraSelectionStep);
    m_stateMachine->addState(updateSelectionStep);
    m_stateMachine->addState(updateSummaryStep);
    m_stateMachine->addState(updatingStep);
    m_stateMachine->addState(resultSummaryStep);
    m_stateMachine->setInitialState(cameraSelectionStep);
    return true;
}

void CFirmwareUpdaterService::startWizard()
{
    // Without a built, idle wizard there is nothing to start; a running one
    // must not lose its model and log to a second start.
    if (m_shutDown || !m_stateMachine || !m_stateMachine->initialState()
        || m_stateMachine->isRunning())
        return;

    const auto statusService = findService<Plugin::Dorvix::ICameraStatusService>(m_registry);
    const auto enumerationService
            = findService<Plugin::Dorvix::ICameraEnumerationService>(m_registry);
    const auto streamControlService
            = findService<Plugin::Dorvix::ICameraStreamControlService>(m_registry);
    // Without these the cameras and their state cannot be known.
    QStringList missing;
    if (!enumerationService)
        missing << tr("camera enumeration");
    if (!statusService)
        missing << tr("camera status");
    if (!missing.isEmpty()) {
        reportMissingServices(missing);
        return;
    }

    const QVector<TransportLayerInfoPtr> transportLayers = enumerationService->transportLayers();
    int busyCameras = 0;
    for (const TransportLayerInfoPtr &transportLayer : transportLayers) {
        if (!transportLayer)
            continue;
        const QVector<CameraInfoPtr> cameras = transportLayer->cameras();
        for (const CameraInfoPtr &camera : cameras) {
            if (camera && statusService->isCameraBusy(camera))
                ++busyCameras;
        }
    }

    if (busyCameras > 0) {
        // Only needed, and only missed, when there are cameras to stop.
        if (!streamControlService) {
            reportMissingServices({ tr("camera stream control") });
            return;
        }
        if (!confirmStopCameras())
            return;
        streamControlService->stopAllCameras();
    }

    rebuildCameraModel(transportLayers);
    openLogFile();
    m_stateMachine->start();
}

bool CFirmwareUpdaterService::confirmStopCameras()
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(tr("Fimware Updater"));
    box.setText(tr("<p>To use the Firmware Updater, you have to stop continuous image acquisition "
                   "as well as any recordings.</p>Do you want to stop all cameras and start using "
                   "the Firmware Updater?"));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    box.setIconPixmap(QPixmap(QStringLiteral(":/firmwareupdater/icons/help_icon_32x32_en")));
    // Keeps the box wide enough for the text. Added last: setting the icon
    // rebuilds the box's layout and would drop the filler from it.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout())) {
        auto *filler = new QWidget;
        filler->setFixedSize(570, 1);
        filler->setAutoFillBackground(true);
        grid->addWidget(filler, 0, 0, 1, -1);
    }
    // Last, after everything that re-creates the window or its layout: either
    // moves the focus, and the focused button becomes the default. Stopping
    // every acquisition must never be what Enter does.
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void CFirmwareUpdaterService::reportMissingServices(const QStringList &parts)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(tr("Fimware Updater"));
    box.setIcon(QMessageBox::Warning);
    box.setText(tr("The Firmware Updater cannot start because a part of the viewer is not "
                   "available: %1.")
                        .arg(parts.join(QStringLiteral(", "))));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void CFirmwareUpdaterService::rebuildCameraModel(
        const QVector<TransportLayerInfoPtr> &transportLayers)
{
    m_cameraModel->buildFromTransportLayers(transportLayers);
    applyPreselection();
    if (m_cameraSelectionPage)
        m_cameraSelectionPage->setTreeModel(m_cameraModel);
}

void CFirmwareUpdaterService::applyPreselection()
{
    if (!m_ptrPreselectedCamera)
        return;
    const QModelIndex index = m_cameraModel->findCameraIndex(
            m_ptrPreselectedCamera->transportLayerId(), m_ptrPreselectedCamera->id(), 2);
    // The camera may have left the enumeration since it was selected.
    if (!index.isValid())
        return;
    m_cameraModel->setData(index, true, Qt::EditRole);
    m_cameraModel->applySelectionRules(index);
}

QString CFirmwareUpdaterService::supportUrl()
{
    return tr("https://www.stavrik.example/en/sales-support/support-contact/");
}

CameraInfoPtr CFirmwareUpdaterService::preselectedCamera()
{
    return m_ptrPreselectedCamera;
}

void CFirmwareUpdaterService::setPreselectedCamera(CameraInfoPtr camera)
{
    m_ptrPreselectedCamera = camera;
}

bool CFirmwareUpdaterService::isCameraSupported(CameraInfoPtr camera)
{
    return camera && camera->statusCode() == 0;
}

QString CFirmwareUpdaterService::updateFilePath()
{
    return m_updateFilePath;
}

void CFirmwareUpdaterService::openLogFile()
{
    if (m_logFile)
        closeLogFile();

    QString folder = logFolder();
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    const QString name = QStringLiteral("OndrelFirmwareUpdaterGUI_%1.log")
                                 .arg(QDateTime::currentDateTime().toString(
                                         QStringLiteral("yyyyMMdd_HHmmss")));

    // Names only go down to the second: a log opened again within the same
    // second continues that file instead of wiping the earlier run's lines.
    QFile *file = openOwnLogFile(folder + name);
    if (!file)
        file = openUniqueLogFile(folder + name);
    if (file) {
        file->setTextModeEnabled(true);
        m_logFilePath = file->fileName().isEmpty() ? folder + name : file->fileName();
        m_logFileComplete = true;
    } else {
        // Kept unopened, so the run knows its log is missing.
        file = new QFile(folder + name);
        m_logFilePath = folder + name;
        m_logFileComplete = false;
    }
    m_logFile = file;
}

QString CFirmwareUpdaterService::writeLog(const ELogLevel &level, const QString &message)
{
    if (message.isEmpty())
        return message;
    if (!m_logFile)
        openLogFile();

    const char *levelName = kLevelNames.value(level, kLevelNames.value(Info));
    const QString timeStamp = m_logTimeStamp.text();
    if (m_logFile && m_logFile->isOpen()) {
        // One pass, so placeholders inside the message stay as they are.
        const QByteArray line = QStringLiteral("%1 %2 %3\n")
                                        .arg(timeStamp, tr(levelName), escapedForLog(message))
                                        .toUtf8();
        // A full disk or a vanished folder must not pass for a complete log.
        if (m_logFile->write(line) != line.size() || !m_logFile->flush())
            m_logFileComplete = false;
    }
    return message;
}

QString CFirmwareUpdaterService::logFilePath()
{
    if (!m_logFile)
        return QString();
    return QFileInfo(m_logFilePath).absoluteFilePath();
}

bool CFirmwareUpdaterService::isLogFileComplete()
{
    return m_logFile && m_logFileComplete;
}

QString CFirmwareUpdaterService::lastErrorMessage()
{
    // Translation keys are 8-bit: a text that does not survive the trip
    // (NUL, unpaired surrogates) cannot have a translation and stays whole.
    const QByteArray source = m_lastErrorMessage.toUtf8();
    if (source.contains('\0') || QString::fromUtf8(source) != m_lastErrorMessage)
        return m_lastErrorMessage;
    return tr(source.constData());
}

void CFirmwareUpdaterService::setLastErrorMessage(const QString &message)
{
    m_lastErrorMessage = message;
}

void CFirmwareUpdaterService::closeLogFile()
{
    if (!m_logFile)
        return;
    m_lastErrorMessage.clear();
    if (m_logFile->isOpen() && !m_logFile->flush())
        m_logFileComplete = false;
    m_logFile->close();
    m_logFile->deleteLater();
    m_logFile = nullptr;
}

void CFirmwareUpdaterService::setPagePosition(const QPoint &position)
{
    m_pagePosition = position;
}

QPoint &CFirmwareUpdaterService::pagePosition()
{
    return m_pagePosition;
}

void CFirmwareUpdaterService::setPageSize(const QSize &size)
{
    m_pageSize = size;
}

QSize &CFirmwareUpdaterService::pageSize()
{
    return m_pageSize;
}

void CFirmwareUpdaterService::setPageWindowState(const Qt::WindowStates &state)
{
    m_pageWindowState = state;
}

Qt::WindowStates &CFirmwareUpdaterService::pageWindowState()
{
    return m_pageWindowState;
}

void CFirmwareUpdaterService::onEnumerationChanged()
{
    if (!m_stateMachine || !m_stateMachine->isRunning())
        return;
    const auto enumerationService
            = findService<Plugin::Dorvix::ICameraEnumerationService>(m_registry);
    if (!enumerationService)
        return;
    rebuildCameraModel(enumerationService->transportLayers());
}

void CFirmwareUpdaterService::onRefreshCameraTreeClicked()
{
    if (const auto enumerationService
        = findService<Plugin::Dorvix::ICameraEnumerationService>(m_registry))
        enumerationService->refreshEnumeration();
}

void CFirmwareUpdaterService::onBrowseClicked()
{
    QFileDialog dialog(QApplication::activeWindow(), QString(), QString(), QString());
    dialog.setWindowTitle(tr("Fimware Updater"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(tr("Update files") + QStringLiteral(" (*.guf)"));
    dialog.setDirectory(browseFolder());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return;

    const QFileInfo file(files.first());
    m_lastBrowseFolder = file.absolutePath();
    if (m_updateSelectionPage)
        m_updateSelectionPage->setUpdateFilePath(QDir::toNativeSeparators(file.filePath()));
    m_updateFilePath = QDir::toNativeSeparators(file.absoluteFilePath());
    checkUpdateFile(file);
}

QString CFirmwareUpdaterService::browseFolder() const
{
    // The folder of what the field names, so Browse starts where the user is.
    const QString path
            = m_updateSelectionPage ? m_updateSelectionPage->updateFilePath() : QString();
    if (!path.trimmed().isEmpty()) {
        const QFileInfo current(QDir::fromNativeSeparators(path));
        if (current.isDir())
            return current.absoluteFilePath();
        if (current.absoluteDir().exists())
            return current.absolutePath();
    }
    return m_lastBrowseFolder;
}

void CFirmwareUpdaterService::onPathChanged(QString filePath)
{
    if (m_updateSelectionPage)
        m_updateSelectionPage->setUpdateFilePath(QDir::toNativeSeparators(filePath));
    const QFileInfo file(filePath);
    m_updateFilePath = QDir::toNativeSeparators(file.absoluteFilePath());
    checkUpdateFile(file);
}

namespace {

// The connected camera models, other than the checked one, that the host
// finds an update for in the file.
QStringList modelsFitting(Plugin::Dorvix::IDeviceFirmwareUpdateService &updateService,
                          const QVector<FirmwareUpdateInfoPtr> &infos,
                          const QMap<QString, CameraInfoPtr> &cameraOfEachModel,
                          const QString &checkedModel)
{
    QStringList models;
    for (auto it = cameraOfEachModel.cbegin(); it != cameraOfEachModel.cend(); ++it) {
        if (it.key() == checkedModel)
            continue;
        QVector<FirmwareUpdateInfoPtr> compatible;
        bool flag = false;
        try {
            if (!updateService.findCompatibleUpdates(it.value(), infos, compatible, flag))
                continue;
        } catch (...) {
            continue; // a model the host cannot match is not named
        }
        compatible.removeAll(FirmwareUpdateInfoPtr());
        if (!compatible.isEmpty())
            models << it.key();
    }
    std::sort(models.begin(), models.end(), Model::CFirmwareUpdateTreeModel::numericLess);
    return models;
}

} // namespace

void CFirmwareUpdaterService::checkUpdateFile(const QFileInfo &file)
{
    if (!file.exists() || !file.isReadable() || !file.isFile()) {
        showFileVerdict(false, true, {});
        return;
    }

    const auto updateService
            = findService<Plugin::Dorvix::IDeviceFirmwareUpdateService>(m_registry);
    // Nobody to read the file: it cannot be used, whatever it holds.
    if (!updateService) {
        showFileVerdict(false, false, {});
        return;
    }

    QVector<FirmwareUpdateInfoPtr> infos;
    try {
        infos = updateService->readUpdateFile(file.absoluteFilePath(), QString());
        // A host may hand out empty entries; they describe no update.
        infos.removeAll(FirmwareUpdateInfoPtr());
    } catch (const Core::Exception::BaseException &exception) {
        writeLog(Critical,
                 QStringLiteral("Failed to check for compatible update: %1")
                         .arg(exception.getMessage()));
        showFileVerdict(false, false, {});
        // Unreadable is not the same as incompatible: say what went wrong.
        if (m_updateSelectionPage)
            m_updateSelectionPage->setReadError(exception.getMessage());
        return;
    } catch (const std::exception &exception) {
        // Anything else a host throws must not end the viewer either.
        writeLog(Critical,
                 QStringLiteral("Failed to check for compatible update: %1")
                         .arg(QString::fromLocal8Bit(exception.what())));
        showFileVerdict(false, false, {});
        return;
    } catch (...) {
        writeLog(Critical, QStringLiteral("Failed to check for compatible update: unknown error"));
        showFileVerdict(false, false, {});
        return;
    }

    const QList<QPointer<Entity::CFirmwareUpdateEntity>> cameras = m_cameraModel->selectedCameras();
    const CameraInfoPtr firstCamera = cameras.isEmpty() || !cameras.first()
            ? CameraInfoPtr()
            : cameras.first()->cameraInfo();
    if (!firstCamera) {
        showFileVerdict(false, false, {});
        return;
    }

    QVector<FirmwareUpdateInfoPtr> compatible;
    bool flag = false;
    bool checked = false;
    try {
        checked = updateService->findCompatibleUpdates(firstCamera, infos, compatible, flag);
    } catch (...) {
        // A host that cannot match the file has not found it compatible.
        compatible.clear();
    }
    compatible.removeAll(FirmwareUpdateInfoPtr());
    showFileVerdict(checked && !compatible.isEmpty(), false, compatible);
    if ((!checked || compatible.isEmpty()) && m_updateSelectionPage)
        m_updateSelectionPage->setModelsOfFile(modelsFitting(
                *updateService, infos, m_cameraModel->cameraOfEachModel(), firstCamera->modelName()));
}

void CFirmwareUpdaterService::showFileVerdict(bool compatible, bool noFile,
                                              const QVector<FirmwareUpdateInfoPtr> &infos)
{
    if (!m_updateSelectionPage)
        return;
    m_updateSelectionPage->setUpdateFileState(compatible, noFile);
    m_updateSelectionPage->showUpdateDetails(infos, noFile);
}

} // namespace Plugin::FirmwareUpdater::Internal::Service
