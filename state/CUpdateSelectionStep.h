#pragma once

#include "state/CFirmwareUpdateStepBase.h"

namespace Plugin::FirmwareUpdater::Internal::Model {
class CFirmwareUpdateTreeModel;
}

namespace Plugin::FirmwareUpdater::Internal::State {

// Page 2: shows the support link and throws away a plan left over from an
// earlier visit of the summary page.
class CUpdateSelectionStep : public CFirmwareUpdateStepBase
{
    Q_OBJECT

public:
    CUpdateSelectionStep(QPointer<Core::Service::IServiceRegistry> registry, QWidget *page,
                         QState *parent);
    ~CUpdateSelectionStep() override;

    virtual void setModel(QSharedPointer<Model::CFirmwareUpdateTreeModel> model);

protected:
    void onEntry(QEvent *event) override;

private:
    QSharedPointer<IFirmwareUpdaterService> m_service;
    QSharedPointer<Model::CFirmwareUpdateTreeModel> m_model;
};

} // namespace Plugin::FirmwareUpdater::Internal::State
