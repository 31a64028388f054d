#include "state/CUpdateSelectionStep.h"

#include "host/ServiceLookup.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "api/IFirmwareUpdaterService.h"
#include "view/CUpdateSelectionDialog.h"

namespace Plugin::FirmwareUpdater::Internal::State {

CUpdateSelectionStep::CUpdateSelectionStep(QPointer<Core::Service::IServiceRegistry> registry,
                                           QWidget *page, QState *parent)
    : CFirmwareUpdateStepBase(registry, page, parent)
    , m_service(Core::Service::findService<IFirmwareUpdaterService>(registry))
{ }

CUpdateSelectionStep::~CUpdateSelectionStep() = default;

void CUpdateSelectionStep::setModel(QSharedPointer<Model::CFirmwareUpdateTreeModel> model)
{
    if (model != m_model)
        m_model = model;
}

void CUpdateSelectionStep::onEntry(QEvent *event)
{
    if (auto *dialog = qobject_cast<View::CUpdateSelectionDialog *>(page().data())) {
        if (m_service)
            dialog->setSupportUrl(m_service->supportUrl());
    }
    // Coming back from the summary page: the next visit plans afresh.
    if (m_model)
        m_model->setEntities({});
    CFirmwareUpdateStepBase::onEntry(event);
}

} // namespace Plugin::FirmwareUpdater::Internal::State
