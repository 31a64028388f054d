#pragma once

#include "view/CUpdateDialogBase.h"

#include <QElapsedTimer>

class QPushButton;
class QSpacerItem;
class QWidget;

namespace Ui {
class UpdateSummaryDialogUi;
}

namespace Plugin::FirmwareUpdater::Internal::View {

// Page 3: the planned updates with current and selected firmware and their
// direction, the downgrade and reinstall warnings, and the start of the run.
class CUpdateSummaryDialog : public CUpdateDialogBase
{
    Q_OBJECT

public:
    explicit CUpdateSummaryDialog(QWidget *parent = nullptr);
    ~CUpdateSummaryDialog() override;

    void setTreeModel(QSharedPointer<CFirmwareUpdateTreeModel> model) override;
    virtual void setNextEnabled(bool enabled);
    void setDowngradeWarningVisible(bool visible);
    void setReinstallWarningVisible(bool visible);

signals:
    void backClicked();
    void nextClicked();

public slots:
    void dialogButtonClicked(QAbstractButton *pButton) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setWarningRowVisible(QWidget *icon, QWidget *text, QSpacerItem *spacer, bool visible);
    // Next sits where page 2's Next was: the second half of a double-click,
    // a quick second Enter or a held Enter must not start the updates.
    bool nextTooEarly() const;
    static bool isHeldEnter(const QEvent *event);

    QElapsedTimer m_shownClock;

    Ui::UpdateSummaryDialogUi *m_ui = nullptr;
    QPushButton *m_backButton = nullptr;
    QPushButton *m_nextButton = nullptr;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
