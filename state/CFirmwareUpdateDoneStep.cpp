#include "state/CFirmwareUpdateDoneStep.h"

#include "host/ServiceLookup.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "api/IFirmwareUpdaterService.h"

namespace Plugin::FirmwareUpdater::Internal::State {

CFirmwareUpdateDoneStep::CFirmwareUpdateDoneStep(QPointer<Core::Service::IServiceRegistry> registry,
                                                 QState *parent)
    : QFinalState(parent)
    , m_service(Core::Service::findService<IFirmwareUpdaterService>(registry))
{ }

CFirmwareUpdateDoneStep::~CFirmwareUpdateDoneStep() = default;

void CFirmwareUpdateDoneStep::setModel(QSharedPointer<Model::CFirmwareUpdateTreeModel> model)
{
    if (model != m_model)
        m_model = model;
}

void CFirmwareUpdateDoneStep::onEntry(QEvent *event)
{
    QFinalState::onEntry(event);
    if (m_model)
        m_model->setEntities({});
    if (m_service)
        m_service->closeLogFile();
}

} // namespace Plugin::FirmwareUpdater::Internal::State
