#include "view/CFirmwareUpdateDialog.h"

#include "model/CFirmwareUpdateTreeModel.h"
#include "view/CTreeViewHeaderView.h"
#include "view/CTreeViewLabelDelegate.h"
#include "view/CTreeViewStatusDelegate.h"

#include "ui_FirmwareUpdateDialog.h"

#include <QProgressBar>
#include <QCoreApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QResizeEvent>
#include <QTimerEvent>

#include <utility>

namespace Plugin::FirmwareUpdater::Internal::View {

using Entity::CFirmwareUpdateEntity;

namespace {
// About one frame of a 60 Hz screen.
constexpr int ProgressFrameMs = 16;
} // namespace

CFirmwareUpdateDialog::CFirmwareUpdateDialog(QWidget *parent)
    : CUpdateDialogBase(parent)
    , m_ui(new Ui::FirmwareUpdateDialogUi)
{
    m_ui->setupUi(this);
    const int pixelSize = applyPageFont();

    m_ui->cameraTreeView->setModel(nullptr);
    m_ui->cameraTreeView->setHeader(new CTreeViewHeaderView);

    m_cancelButton = m_ui->buttonBox->button(QDialogButtonBox::Cancel);
    m_ui->timeLeftLabel->hide();
    m_timeLeftDelay.setSingleShot(true);
    connect(&m_timeLeftDelay, &QTimer::timeout, this, &CFirmwareUpdateDialog::showTimeLeft);
    nameCancelButtonInHint();

    setStyleSheet(labelAndButtonStyleSheet(pixelSize));
    const QFont bold = boldPageFont();
    m_ui->stepTitleLabel->setFont(bold);
    m_ui->progressLabel->setFont(bold);

    connect(m_ui->buttonBox, &QDialogButtonBox::clicked, this,
            &CFirmwareUpdateDialog::dialogButtonClicked);
}

CFirmwareUpdateDialog::~CFirmwareUpdateDialog()
{
    disconnect(m_ui->buttonBox, &QDialogButtonBox::clicked, this,
               &CFirmwareUpdateDialog::dialogButtonClicked);
    m_ui->cameraTreeView->setModel(nullptr);
    delete m_ui;
}

void CFirmwareUpdateDialog::setTreeModel(QSharedPointer<CFirmwareUpdateTreeModel> model)
{
    QTreeView *view = m_ui->cameraTreeView;
    if (view->model() != model.data()) {
        view->setModel(model.data());
        for (int column : { CFirmwareUpdateEntity::Id, CFirmwareUpdateEntity::SelectionStatus,
                            CFirmwareUpdateEntity::UpdateDetails,
                            CFirmwareUpdateEntity::UpdateResult, CFirmwareUpdateEntity::Enabled })
            view->setColumnHidden(column, true);
        if (!view->itemDelegateForColumn(CFirmwareUpdateEntity::DisplayName)) {
            auto *labelDelegate = new CTreeViewLabelDelegate(view);
            view->setItemDelegateForColumn(CFirmwareUpdateEntity::DisplayName, labelDelegate);
            view->setItemDelegateForColumn(CFirmwareUpdateEntity::CurrentFirmware, labelDelegate);
            view->setItemDelegateForColumn(CFirmwareUpdateEntity::SelectedFirmware, labelDelegate);
            view->setItemDelegateForColumn(CFirmwareUpdateEntity::UpdateStatus,
                                           new CTreeViewStatusDelegate(view));
        }
        view->setColumnWidth(CFirmwareUpdateEntity::DisplayName, 94);
        view->setColumnWidth(CFirmwareUpdateEntity::CurrentFirmware, 142);
        view->setColumnWidth(CFirmwareUpdateEntity::SelectedFirmware, 148);
        view->setColumnWidth(CFirmwareUpdateEntity::UpdateStatus, 126);
        watchRows(model.data());
    }
    // Expanding drops the view's remembered row heights, which a run would
    // otherwise pay again for every camera.
    if (m_expandNeeded) {
        view->expandAll();
        m_expandNeeded = false;
    }
    CUpdateDialogBase::setTreeModel(model);
}

void CFirmwareUpdateDialog::watchRows(QAbstractItemModel *model)
{
    for (const QMetaObject::Connection &connection : qAsConst(m_rowWatches))
        disconnect(connection);
    m_rowWatches.clear();
    m_expandNeeded = true;
    if (!model)
        return;
    const auto changed = [this] {
        m_expandNeeded = true;
    };
    m_rowWatches << connect(model, &QAbstractItemModel::modelReset, this, changed)
                 << connect(model, &QAbstractItemModel::rowsInserted, this, changed)
                 << connect(model, &QAbstractItemModel::rowsMoved, this, changed)
                 << connect(model, &QAbstractItemModel::layoutChanged, this, changed);
}

void CFirmwareUpdateDialog::setCancelEnabled(bool enabled)
{
    if (enabled && std::exchange(m_finishing, Finishing::No) != Finishing::No)
        m_ui->retranslateUi(this);
    if (m_cancelButton) {
        m_cancelButton->setEnabled(enabled);
        m_cancelButton->setDefault(enabled);
    }
    Qt::WindowFlags flags
            = Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
    if (enabled)
        flags |= Qt::WindowCloseButtonHint;
    // New flags make a new native window, which would put its client area
    // where the frame was asked to go: ask for the frame's place again. A
    // hidden page stays hidden, so it is placed before it is first shown.
    const QPoint position = pos();
    const bool placed = testAttribute(Qt::WA_Moved);
    const bool visible = isVisible();
    setWindowFlags(flags);
    if (placed)
        move(position);
    if (visible)
        show();
}

void CFirmwareUpdateDialog::setProgressText(int current, int total)
{
    m_ui->progressIndicatorLabel->setText(QStringLiteral("%1/%2").arg(current).arg(total));
}

void CFirmwareUpdateDialog::setProgress(int value, int maximum)
{
    QProgressBar *bar = m_ui->progressBar;
    // The bar takes every value at once but would repaint on each; a run
    // reports far more often than a screen shows, so it repaints once a frame.
    const bool updates = bar->updatesEnabled();
    bar->setAttribute(Qt::WA_UpdatesDisabled, true);
    bar->setRange(0, maximum);
    bar->setValue(value);
    bar->setAttribute(Qt::WA_UpdatesDisabled, !updates);
    if (!m_progressFrame.isActive())
        m_progressFrame.start(ProgressFrameMs, this);
}

void CFirmwareUpdateDialog::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_progressFrame.timerId()) {
        CUpdateDialogBase::timerEvent(event);
        return;
    }
    m_progressFrame.stop();
    m_ui->progressBar->update();
    if (m_ui->phaseLabel->text() != m_phaseText)
        m_ui->phaseLabel->setText(m_phaseText);
}

void CFirmwareUpdateDialog::showFinishingCurrentCamera(Finishing why)
{
    m_finishing = why;
    m_ui->infoTextLabel_2->setText(
            why == Finishing::Closing
                    ? tr("The update of the camera currently being updated is being completed. "
                         "Then the Firmware Updater closes.")
                    : tr("Canceling: the update of the camera currently being updated is being "
                         "completed. The remaining updates will be skipped."));
}

void CFirmwareUpdateDialog::setPhaseText(const QString &text)
{
    // Like the bar, once a frame: a new text lays the label out again.
    m_phaseText = text;
    if (!m_progressFrame.isActive())
        m_progressFrame.start(ProgressFrameMs, this);
}

void CFirmwareUpdateDialog::setTimeLeft(qint64 msecs)
{
    m_timeLeft = msecs;
    if (msecs < 0) {
        m_timeLeftDelay.stop();
        m_ui->timeLeftLabel->hide();
        m_timeLeftShown.invalidate();
        return;
    }
    // Estimates jitter; a label that changes every tick cannot be read. The
    // latest estimate still arrives when the host falls silent.
    const qint64 since = m_timeLeftShown.isValid() ? m_timeLeftShown.elapsed() : 1000;
    if (since < 1000) {
        if (!m_timeLeftDelay.isActive())
            m_timeLeftDelay.start(int(1000 - since));
        return;
    }
    showTimeLeft();
}

void CFirmwareUpdateDialog::showTimeLeft()
{
    if (m_timeLeft < 0)
        return;
    m_timeLeftShown.start();
    m_ui->timeLeftLabel->setText(timeLeftText(m_timeLeft));
    m_ui->timeLeftLabel->show();
}

QString CFirmwareUpdateDialog::timeLeftText(qint64 msecs)
{
    if (msecs < 60000)
        return tr("Less than a minute left");
    // Whole texts rather than plural forms: English has no catalogue to supply them.
    const qint64 minutes = (msecs + 30000) / 60000;
    if (minutes < 2)
        return tr("About a minute left");
    if (minutes < 90)
        return tr("About %1 minutes left").arg(minutes);
    return tr("About %1 hours left").arg((msecs + 1800000) / 3600000);
}

void CFirmwareUpdateDialog::dialogButtonClicked(QAbstractButton *pButton)
{
    if (pButton && m_ui->buttonBox->buttonRole(pButton) == QDialogButtonBox::RejectRole)
        emit closeClicked();
}

void CFirmwareUpdateDialog::nameCancelButtonInHint()
{
    // The button box relabels its standard buttons only after this page has
    // seen the language change, so take the label from where it will.
    // Qt's own context: our catalogues must not carry it.
    static const char QtContext[] = "QPlatformTheme";
    QString label = QCoreApplication::translate(QtContext, "Cancel");
    label.remove(QRegularExpression(QStringLiteral("&(?!&)|\\(&.\\)")));
    QString hint = m_ui->infoTextLabel_2->text();
    static const QRegularExpression bold(QStringLiteral("<b>[^<]*</b>"));
    hint.replace(bold, QStringLiteral("<b>%1</b>").arg(label.toHtmlEscaped()));
    m_ui->infoTextLabel_2->setText(hint);
}

void CFirmwareUpdateDialog::resizeEvent(QResizeEvent *event)
{
    CUpdateDialogBase::resizeEvent(event);
    if (!event)
        return;
    resizeColumnsProportionally(m_ui->cameraTreeView,
                                { { CFirmwareUpdateEntity::DisplayName, 94 },
                                  { CFirmwareUpdateEntity::CurrentFirmware, 142 },
                                  { CFirmwareUpdateEntity::SelectedFirmware, 148 } },
                                CFirmwareUpdateEntity::UpdateStatus);
}

void CFirmwareUpdateDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        nameCancelButtonInHint();
        if (m_finishing != Finishing::No)
            showFinishingCurrentCamera(m_finishing);
    }
    CUpdateDialogBase::changeEvent(event);
}

} // namespace Plugin::FirmwareUpdater::Internal::View
