#pragma once

#include "host/IServiceRegistry.h"

#include <QPointer>
#include <QSharedPointer>
#include <QState>
#include <QWidget>

namespace Plugin::FirmwareUpdater {
class IFirmwareUpdaterService;
}

namespace Plugin::FirmwareUpdater::Internal::State {

// One wizard state tied to one page. The page geometry travels through the
// service, so consecutive pages look like one window changing its content.
class CFirmwareUpdateStepBase : public QState
{
    Q_OBJECT

public:
    CFirmwareUpdateStepBase(QPointer<Core::Service::IServiceRegistry> registry, QWidget *page,
                            QState *parent);
    ~CFirmwareUpdateStepBase() override;

    virtual QPointer<QWidget> page();

protected:
    void onEntry(QEvent *event) override;
    void onExit(QEvent *event) override;

private:
    QPointer<QWidget> m_page;
    QSharedPointer<IFirmwareUpdaterService> m_service;
};

} // namespace Plugin::FirmwareUpdater::Internal::State
