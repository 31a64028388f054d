#pragma once

#include "host/IServiceRegistry.h"

#include <QFinalState>
#include <QPointer>
#include <QSharedPointer>

namespace Plugin::FirmwareUpdater {
class IFirmwareUpdaterService;
}
namespace Plugin::FirmwareUpdater::Internal::Model {
class CFirmwareUpdateTreeModel;
}

namespace Plugin::FirmwareUpdater::Internal::State {

// Final state of a run: forgets the planned updates and closes the run's log.
class CFirmwareUpdateDoneStep : public QFinalState
{
    Q_OBJECT

public:
    CFirmwareUpdateDoneStep(QPointer<Core::Service::IServiceRegistry> registry, QState *parent);
    ~CFirmwareUpdateDoneStep() override;

    virtual void setModel(QSharedPointer<Model::CFirmwareUpdateTreeModel> model);

protected:
    void onEntry(QEvent *event) override;

private:
    QSharedPointer<IFirmwareUpdaterService> m_service;
    QSharedPointer<Model::CFirmwareUpdateTreeModel> m_model;
};

} // namespace Plugin::FirmwareUpdater::Internal::State
