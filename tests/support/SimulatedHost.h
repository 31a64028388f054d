#pragma once

// The viewer as far as the plug-in sees it: a registry with the simulated
// camera pool, menus on a real menu bar and a main window for the pages.

#include "host/CServiceRegistry.h"
#include "simulator/CCameraEnumerationService.h"
#include "simulator/CCameraPool.h"
#include "simulator/CDeviceFirmwareUpdateService.h"
#include "simulator/CMenuService.h"
#include "simulator/CWindowService.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QSharedPointer>
#include <QTemporaryDir>

#include <memory>

class SimulatedHost
{
public:
    SimulatedHost()
        : registry(new Core::Service::CServiceRegistry)
        , mainWindow(new QMainWindow)
        , menuService(new Simulator::CMenuService(mainWindow->menuBar()))
        , windowService(new Simulator::CWindowService(mainWindow.get()))
    {
        pool.publish(registry);
        registry->addService(menuService);
        registry->addService(windowService);
    }

    ~SimulatedHost()
    {
        pool.withdraw(registry);
        // Pending deletions (state machine, log) go before their owners.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete registry.data();
    }

    // Lets queued work (state machine start and transitions, refreshes) run.
    static void settle()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    // The layer is added with its first camera.
    Simulator::SimulatedCameraPtr addCamera(const QString &layer, const QString &id,
                                            const QString &model, quint32 statusCode = 0)
    {
        pool.addTransportLayer(layer, layer);
        Simulator::CSimulatedCamera::Setup setup;
        setup.id = id;
        setup.displayName = QStringLiteral("Camera ") + id;
        setup.modelName = model;
        setup.firmwareVersion = QStringLiteral("1.0.0");
        setup.statusCode = statusCode;
        return pool.addCamera(layer, setup);
    }

    QPointer<Core::Service::IServiceRegistry> registry;
    std::unique_ptr<QMainWindow> mainWindow;
    Simulator::CCameraPool pool;
    QSharedPointer<Simulator::CMenuService> menuService;
    QSharedPointer<Simulator::CWindowService> windowService;
};

// The system temporary folder, where the run's log goes, private to one test.
class TempFolder
{
public:
    TempFolder() { qputenv("TMPDIR", m_dir.path().toLocal8Bit()); }
    ~TempFolder() { qunsetenv("TMPDIR"); }
    QString path() const { return QDir(m_dir.path()).canonicalPath(); }
    QStringList logs() const { return QDir(m_dir.path()).entryList({ "*.log" }, QDir::Files); }

private:
    QTemporaryDir m_dir;
};
