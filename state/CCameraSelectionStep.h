#pragma once

#include "state/CFirmwareUpdateStepBase.h"

#include <QModelIndex>
#include <QVector>

namespace Plugin::FirmwareUpdater::Internal::Model {
class CFirmwareUpdateTreeModel;
}

namespace Plugin::FirmwareUpdater::Internal::State {

// Page 1: Next is offered exactly while at least one camera is checked.
class CCameraSelectionStep : public CFirmwareUpdateStepBase
{
    Q_OBJECT

public:
    CCameraSelectionStep(QPointer<Core::Service::IServiceRegistry> registry, QWidget *page,
                         QState *parent);
    ~CCameraSelectionStep() override;

    virtual void setModel(QSharedPointer<Model::CFirmwareUpdateTreeModel> model);

protected:
    void onEntry(QEvent *event) override;

private slots:
    void slotDataChanged(const QModelIndex &topLeft, const QModelIndex &topRight,
                         const QVector<int> &roles);

private:
    void updateNextButton();

    QSharedPointer<Model::CFirmwareUpdateTreeModel> m_model;
};

} // namespace Plugin::FirmwareUpdater::Internal::State
