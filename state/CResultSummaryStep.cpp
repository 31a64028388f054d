#include "state/CResultSummaryStep.h"

#include "host/ServiceLookup.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "api/IFirmwareUpdaterService.h"
#include "state/CFirmwareUpdatingStep.h"
#include "view/CResultSummaryDialog.h"

namespace Plugin::FirmwareUpdater::Internal::State {

CResultSummaryStep::CResultSummaryStep(QPointer<Core::Service::IServiceRegistry> registry,
                                       QWidget *page, QState *parent)
    : CFirmwareUpdateStepBase(registry, page, parent)
    , m_service(Core::Service::findService<IFirmwareUpdaterService>(registry))
{ }

CResultSummaryStep::~CResultSummaryStep() = default;

void CResultSummaryStep::setModel(QSharedPointer<Model::CFirmwareUpdateTreeModel> model)
{
    if (model != m_model)
        m_model = model;
}

void CResultSummaryStep::onEntry(QEvent *event)
{
    CFirmwareUpdateStepBase::onEntry(event);
    auto *dialog = qobject_cast<View::CResultSummaryDialog *>(page().data());
    if (!dialog)
        return;
    dialog->refreshResults();
    if (m_service && m_service->isLogFileComplete())
        dialog->setLinks(m_service->supportUrl(), m_service->logFilePath());
    else if (m_service)
        dialog->showLogFileIncomplete(m_service->supportUrl(), m_service->logFilePath());
    int failed = 0;
    int ok = 0;
    int skipped = 0;
    const QSharedPointer<Model::CFirmwareUpdateTreeModel> model = dialog->treeModel();
    if (model)
        model->countUpdateResults(&failed, &ok, &skipped);
    if (failed > 0 && m_service) {
        // Already translated by the service; shown as the log line has it,
        // whole, whatever it holds.
        dialog->setErrorMessage(IFirmwareUpdaterService::escapedForLog(m_service->lastErrorMessage()),
                                skipped == 0);
    }
    if (failed == 0 && skipped > 0 && m_service
        && m_service->lastErrorMessage() == CFirmwareUpdatingStep::canceledMessage())
        dialog->showCanceled();
}

void CResultSummaryStep::onExit(QEvent *event)
{
    if (m_model)
        m_model->setEntities({});
    CFirmwareUpdateStepBase::onExit(event);
}

} // namespace Plugin::FirmwareUpdater::Internal::State
