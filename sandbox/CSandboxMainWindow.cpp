#include "sandbox/CSandboxMainWindow.h"

#include "sandbox/CCameraSelectorView.h"
#include "sandbox/CHostControlPanel.h"
#include "sandbox/CSandboxCommandLine.h"

#include "host/BaseException.h"
#include "simulator/CCameraEnumerationService.h"
#include "simulator/CMenuService.h"
#include "simulator/CWindowService.h"

#include <QDockWidget>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

namespace Sandbox {

namespace {
// Updates change firmware versions on a worker thread without any signal
// the viewer would see; the selector looks again this often.
constexpr int TextRefreshInterval = 500;
} // namespace

CSandboxMainWindow::CSandboxMainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("sandboxMainWindow"));
    setWindowTitle(tr("OndrelViewer sandbox"));

    QMenu *fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(tr("&Load camera setup..."), this,
                        &CSandboxMainWindow::onLoadSetupTriggered);
    fileMenu->addSeparator();
    fileMenu->addAction(tr("&Quit"), this, &QWidget::close, QKeySequence::Quit);

    // After the File menu, so that Tools comes second as in the viewer.
    m_menuService.reset(new Simulator::CMenuService(menuBar()));
    m_windowService.reset(new Simulator::CWindowService(this));
    m_pool.publish(&m_registry);
    m_registry.addService(m_menuService);
    m_registry.addService(m_windowService);

    m_cameraSelector = new CCameraSelectorView(&m_pool, this);
    m_cameraSelector->setContextMenu(m_menuService->contextMenu());
    setCentralWidget(m_cameraSelector);

    m_controlPanel = new CHostControlPanel(&m_pool, this);
    auto *dock = new QDockWidget(tr("Host controls"), this);
    dock->setObjectName(QStringLiteral("hostControlDock"));
    dock->setFeatures(QDockWidget::DockWidgetMovable);
    dock->setWidget(m_controlPanel);
    addDockWidget(Qt::RightDockWidgetArea, dock);

    connect(m_pool.enumerationService().data(),
            &Plugin::Dorvix::ICameraEnumerationService::enumerationChanged, this, [this] {
                m_cameraSelector->rebuild();
                m_controlPanel->refresh();
            });
    connect(m_cameraSelector, &QTreeWidget::currentItemChanged, this,
            [this] { m_controlPanel->setCurrentCamera(m_cameraSelector->currentCameraId()); });
    connect(m_controlPanel, &CHostControlPanel::camerasChanged, m_cameraSelector,
            &CCameraSelectorView::refreshTexts);
    connect(m_controlPanel, &CHostControlPanel::languageRequested, this,
            &CSandboxMainWindow::onLanguageRequested);

    auto *refreshTimer = new QTimer(this);
    connect(refreshTimer, &QTimer::timeout, m_cameraSelector, &CCameraSelectorView::refreshTexts);
    refreshTimer->start(TextRefreshInterval);

    resize(900, 520);
}

CSandboxMainWindow::~CSandboxMainWindow()
{
    shutDown();
}

bool CSandboxMainWindow::loadSetup(const QString &filePath, QString *error)
{
    try {
        m_pool.loadSetupFile(filePath);
    } catch (const Core::Exception::BaseException &exception) {
        if (error)
            *error = exception.getMessage();
        return false;
    }
    m_pool.announceEnumerationChanged();
    statusBar()->showMessage(tr("Camera setup %1 loaded.").arg(filePath));
    return true;
}

bool CSandboxMainWindow::startPlugin(const QString &filePath, QString *error,
                                     const QString &language)
{
    if (!m_pluginHost.start(filePath, &m_registry, language)) {
        if (error)
            *error = m_pluginHost.errorString();
        return false;
    }
    if (!language.isEmpty())
        m_controlPanel->showLanguage(language);
    const QJsonObject metaData
            = m_pluginHost.metaData().value(QStringLiteral("MetaData")).toObject();
    statusBar()->showMessage(tr("Plug-in %1 %2 loaded from %3.")
                                     .arg(metaData.value(QStringLiteral("Name")).toString(),
                                          metaData.value(QStringLiteral("Version")).toString(),
                                          filePath));
    // The viewer enumerates once its plug-ins are up.
    m_pool.announceEnumerationChanged();
    return true;
}

void CSandboxMainWindow::shutDown()
{
    m_pluginHost.shutDown();
}

void CSandboxMainWindow::onLoadSetupTriggered()
{
    const QString file = QFileDialog::getOpenFileName(this, tr("Load camera setup"),
                                                      CSandboxCommandLine::defaultSamplesDir(),
                                                      tr("Camera setups (*.json)"));
    if (file.isEmpty())
        return;
    QString error;
    if (!loadSetup(file, &error))
        QMessageBox::warning(this, windowTitle(), error);
}

void CSandboxMainWindow::onLanguageRequested(const QString &language)
{
    if (m_pluginHost.setLanguage(language))
        statusBar()->showMessage(tr("Plug-in language: %1").arg(language));
    else
        statusBar()->showMessage(tr("The plug-in has no catalogue for %1.").arg(language));
}

} // namespace Sandbox
