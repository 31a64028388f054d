#pragma once

#include "state/CFirmwareUpdateStepBase.h"

namespace Plugin::FirmwareUpdater::Internal::Model {
class CFirmwareUpdateTreeModel;
}

namespace Plugin::FirmwareUpdater::Internal::State {

// Page 5: counts the results and links the log and the support page.
class CResultSummaryStep : public CFirmwareUpdateStepBase
{
    Q_OBJECT

public:
    CResultSummaryStep(QPointer<Core::Service::IServiceRegistry> registry, QWidget *page,
                       QState *parent);
    ~CResultSummaryStep() override;

    virtual void setModel(QSharedPointer<Model::CFirmwareUpdateTreeModel> model);
    // The camera tree whose check marks the retry sets.
    void setCameraModel(QSharedPointer<Model::CFirmwareUpdateTreeModel> model);

public slots:
    // Checks exactly the failed and skipped cameras that are still connected,
    // re-checks the update file and emits retryRequested when both hold.
    void onRetryClicked();

signals:
    void retryRequested();

protected:
    void onEntry(QEvent *event) override;
    void onExit(QEvent *event) override;

private:
    QSharedPointer<IFirmwareUpdaterService> m_service;
    QSharedPointer<Model::CFirmwareUpdateTreeModel> m_model;
    QSharedPointer<Model::CFirmwareUpdateTreeModel> m_cameraModel;
    QPointer<Core::Service::IServiceRegistry> m_registry;
};

} // namespace Plugin::FirmwareUpdater::Internal::State
