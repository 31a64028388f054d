#pragma once

#include "state/CFirmwareUpdateStepBase.h"

#include <QModelIndex>
#include <QVector>

namespace Plugin::Dorvix {
class IDeviceFirmwareUpdateService;
}
namespace Plugin::FirmwareUpdater::Internal::Model {
class CFirmwareUpdateTreeModel;
}

namespace Plugin::FirmwareUpdater::Internal::State {

// Page 3: turns the checked cameras and the chosen file into a plan of one
// host update object per camera, written into the update model.
class CUpdateSummaryStep : public CFirmwareUpdateStepBase
{
    Q_OBJECT

public:
    CUpdateSummaryStep(QPointer<Core::Service::IServiceRegistry> registry, QWidget *page,
                       QState *parent);
    ~CUpdateSummaryStep() override;

    // The camera model, whose checked cameras the plan is built from.
    virtual void setModel(QSharedPointer<Model::CFirmwareUpdateTreeModel> model);

protected:
    void onEntry(QEvent *event) override;

private slots:
    void slotDataChanged(const QModelIndex &topLeft, const QModelIndex &topRight,
                         const QVector<int> &roles);

private:
    void updateNextButton();

    QSharedPointer<Plugin::Dorvix::IDeviceFirmwareUpdateService> m_deviceFirmwareUpdateService;
    QSharedPointer<IFirmwareUpdaterService> m_service;
    QSharedPointer<Model::CFirmwareUpdateTreeModel> m_model;
};

} // namespace Plugin::FirmwareUpdater::Internal::State
