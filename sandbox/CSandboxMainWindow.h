#pragma once

#include "sandbox/CPluginHost.h"

#include "host/CServiceRegistry.h"
#include "simulator/CCameraPool.h"

#include <QMainWindow>
#include <QSharedPointer>

namespace Simulator {
class CMenuService;
class CWindowService;
} // namespace Simulator

namespace Sandbox {

class CCameraSelectorView;
class CHostControlPanel;

// The viewer as the plug-in meets it: the service registry with the
// simulated camera pool, a Tools menu, a camera selector with its context
// menu, and this window as the main window the pages belong to.
class CSandboxMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit CSandboxMainWindow(QWidget *parent = nullptr);
    ~CSandboxMainWindow() override;

    // Replaces the cameras; false with a message when the file is unusable,
    // in which case the old setup stays.
    bool loadSetup(const QString &filePath, QString *error = nullptr);
    // Loads and starts the plug-in, then reports the enumeration to it.
    bool startPlugin(const QString &filePath, QString *error = nullptr,
                     const QString &language = QString());
    // Ends the plug-in's life before the window's pages and services go.
    void shutDown();

    QPointer<Core::Service::IServiceRegistry> registry() { return &m_registry; }
    Simulator::CCameraPool &pool() { return m_pool; }
    CPluginHost &pluginHost() { return m_pluginHost; }
    Simulator::CMenuService *menuService() const { return m_menuService.data(); }
    CCameraSelectorView *cameraSelector() const { return m_cameraSelector; }
    CHostControlPanel *controlPanel() const { return m_controlPanel; }

private:
    void onLoadSetupTriggered();
    void onLanguageRequested(const QString &language);

    // The registry outlives everything published in it.
    Core::Service::CServiceRegistry m_registry;
    Simulator::CCameraPool m_pool;
    QSharedPointer<Simulator::CMenuService> m_menuService;
    QSharedPointer<Simulator::CWindowService> m_windowService;
    CPluginHost m_pluginHost;
    CCameraSelectorView *m_cameraSelector = nullptr;
    CHostControlPanel *m_controlPanel = nullptr;
};

} // namespace Sandbox
