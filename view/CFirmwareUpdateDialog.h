#pragma once

#include "view/CUpdateDialogBase.h"

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QTimer>
#include <QVector>

class QAbstractItemModel;
class QPushButton;

namespace Ui {
class FirmwareUpdateDialogUi;
}

namespace Plugin::FirmwareUpdater::Internal::View {

// Page 4: the running updates with a live status per camera, the camera
// counter and the progress bar. The updating state drives every change.
class CFirmwareUpdateDialog : public CUpdateDialogBase
{
    Q_OBJECT

public:
    explicit CFirmwareUpdateDialog(QWidget *parent = nullptr);
    ~CFirmwareUpdateDialog() override;

    void setTreeModel(QSharedPointer<CFirmwareUpdateTreeModel> model) override;
    // Also offers or withdraws the window's close button; shows a shown page
    // again, as changing the window flags hides it.
    void setCancelEnabled(bool enabled);
    void setProgressText(int current, int total);
    // A maximum of 0 turns the bar into a busy indicator.
    void setProgress(int value, int maximum);
    // The running phase in words.
    void setPhaseText(const QString &text);
    // Time left for the whole run; a negative value hides it. Changes reach
    // the label at most once a second, the latest one last.
    void setTimeLeft(qint64 msecs);
    static QString timeLeftText(qint64 msecs);
    enum class Finishing { No, Canceled, Closing };
    // The running camera's update is completed, after a cancel (the rest are
    // skipped) or before the plug-in closes. Offering Cancel again restores
    // the usual hint.
    void showFinishingCurrentCamera(Finishing why = Finishing::Canceled);

public slots:
    void dialogButtonClicked(QAbstractButton *pButton) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    // Expands the tree again once the model's rows change.
    void watchRows(QAbstractItemModel *model);
    // The hint names the Cancel button as it is labelled, also where Qt's
    // own catalogue for the language is missing.
    void nameCancelButtonInHint();
    void showTimeLeft();

    Ui::FirmwareUpdateDialogUi *m_ui = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QElapsedTimer m_timeLeftShown;
    QTimer m_timeLeftDelay;
    qint64 m_timeLeft = -1;
    Finishing m_finishing = Finishing::No;
    QVector<QMetaObject::Connection> m_rowWatches;
    bool m_expandNeeded = true;
    QBasicTimer m_progressFrame;
    QString m_phaseText;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
