#include "state/CCameraSelectionStep.h"

#include "entity/CFirmwareUpdateEntity.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "view/CCameraSelectionDialog.h"

namespace Plugin::FirmwareUpdater::Internal::State {

using Entity::CFirmwareUpdateEntity;

CCameraSelectionStep::CCameraSelectionStep(QPointer<Core::Service::IServiceRegistry> registry,
                                           QWidget *page, QState *parent)
    : CFirmwareUpdateStepBase(registry, page, parent)
{ }

CCameraSelectionStep::~CCameraSelectionStep() = default;

void CCameraSelectionStep::setModel(QSharedPointer<Model::CFirmwareUpdateTreeModel> model)
{
    if (model == m_model)
        return;
    if (m_model)
        disconnect(m_model.data(), nullptr, this, nullptr);
    m_model = model;
    if (m_model)
        connect(m_model.data(), &QAbstractItemModel::dataChanged, this,
                &CCameraSelectionStep::slotDataChanged);
}

void CCameraSelectionStep::onEntry(QEvent *event)
{
    updateNextButton();
    CFirmwareUpdateStepBase::onEntry(event);
}

void CCameraSelectionStep::slotDataChanged(const QModelIndex &, const QModelIndex &,
                                           const QVector<int> &roles)
{
    // The check box writes through column 0, the model also reports role 2.
    if (roles.contains(CFirmwareUpdateEntity::SelectionStatus)
        || roles.contains(CFirmwareUpdateEntity::DisplayName))
        updateNextButton();
}

void CCameraSelectionStep::updateNextButton()
{
    auto *dialog = qobject_cast<View::CCameraSelectionDialog *>(page().data());
    if (!dialog || !m_model)
        return;
    dialog->setNextEnabled(!m_model->selectedCameras().isEmpty());
}

} // namespace Plugin::FirmwareUpdater::Internal::State
