#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QSharedPointer>

#include <initializer_list>
#include <utility>

class QPushButton;
class QTreeView;

namespace Plugin::FirmwareUpdater::Internal::Model {
class CFirmwareUpdateTreeModel;
}

namespace Plugin::FirmwareUpdater::Internal::View {

// Common base of the five wizard pages. A page never closes itself: the
// window's close button, Escape and reject-role buttons only report
// closeClicked(), and the wizard's states decide what follows.
class CUpdateDialogBase : public QDialog
{
    Q_OBJECT

public:
    using CFirmwareUpdateTreeModel = Model::CFirmwareUpdateTreeModel;

    explicit CUpdateDialogBase(QWidget *parent = nullptr);
    ~CUpdateDialogBase() override;

    virtual QSharedPointer<CFirmwareUpdateTreeModel> treeModel() const;
    virtual void setTreeModel(QSharedPointer<CFirmwareUpdateTreeModel> model);

signals:
    void closeClicked();

public slots:
    void reject() override;
    virtual void dialogButtonClicked(QAbstractButton *pButton) = 0;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

    // Sets the page font ("Segoe UI" at the host's pixel size for 12 pt) and
    // returns that pixel size.
    int applyPageFont();
    // Tab through the button box's buttons in the order they are shown.
    void followVisualTabOrder();
    // Qt's auto-default hands the default back to the dialog's first default
    // button whenever a focused button lets go of it, even a disabled one.
    void keepDefaultOffWhileDisabled(QPushButton *button);
    QFont boldPageFont() const;
    // Buttons too: a sheet for labels alone sends the standard buttons back to
    // the application font.
    static QString labelAndButtonStyleSheet(int pixelSize);

    // Gives each (column, constant) pair its share constant/512 of the view's
    // width and the last column the rest.
    static void resizeColumnsProportionally(QTreeView *view,
                                            std::initializer_list<std::pair<int, int>> columns,
                                            int lastColumn);

private:
    // Widgets under a style sheet take the application's palette instead of
    // their parent's, so each gets the page's light one itself.
    void applyPaletteToChildren();
    // However the texts below it wrap (large fonts, long translations), the
    // camera tree keeps a few rows in view; the window grows instead.
    void keepTreeRowsVisible();

    QSharedPointer<CFirmwareUpdateTreeModel> m_treeModel;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
