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
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QSharedPointer>

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

    void withdraw(const QSharedPointer<Core::Service::IService> &service)
    {
        registry->removeService(service);
    }

    Simulator::SimulatedCameraPtr addCamera(const QString &layer, const QString &id,
                                            const QString &model, quint32 statusCode = 0,
                                            bool busy = false)
    {
        if (!m_layers.contains(layer)) {
            pool.addTransportLayer(layer, layer);
            m_layers << layer;
        }
        Simulator::CSimulatedCamera::Setup setup;
        setup.id = id;
        setup.displayName = QStringLiteral("Camera ") + id;
        setup.modelName = model;
        setup.firmwareVersion = QStringLiteral("1.0.0");
        setup.statusCode = statusCode;
        setup.busy = busy;
        return pool.addCamera(layer, setup);
    }

    QPointer<Core::Service::IServiceRegistry> registry;
    std::unique_ptr<QMainWindow> mainWindow;
    Simulator::CCameraPool pool;
    QSharedPointer<Simulator::CMenuService> menuService;
    QSharedPointer<Simulator::CWindowService> windowService;

private:
    QStringList m_layers;
};
