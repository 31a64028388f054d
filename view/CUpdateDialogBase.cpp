#include "view/CUpdateDialogBase.h"

#include "host/CStyleHelper.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "style/PagePalette.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>

namespace Plugin::FirmwareUpdater::Internal::View {

CUpdateDialogBase::CUpdateDialogBase(QWidget *parent)
    : QDialog(parent,
              Qt::Window | Qt::WindowMaximizeButtonHint | Qt::CustomizeWindowHint
                      | Qt::WindowCloseButtonHint)
{ }

CUpdateDialogBase::~CUpdateDialogBase() = default;

QSharedPointer<CUpdateDialogBase::CFirmwareUpdateTreeModel> CUpdateDialogBase::treeModel() const
{
    return m_treeModel;
}

void CUpdateDialogBase::setTreeModel(QSharedPointer<CFirmwareUpdateTreeModel> model)
{
    m_treeModel = model;
}

void CUpdateDialogBase::reject()
{
    // Deliberately not QDialog::reject(): the page stays up until a state hides it.
    emit closeClicked();
}

void CUpdateDialogBase::closeEvent(QCloseEvent *event)
{
    event->ignore();
    emit closeClicked();
}

void CUpdateDialogBase::followVisualTabOrder()
{
    auto *box = findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    if (!box || !box->layout())
        return;
    QWidget *previous = nullptr;
    for (int i = 0; i < box->layout()->count(); ++i) {
        QWidget *button = box->layout()->itemAt(i)->widget();
        if (!button)
            continue;
        if (previous)
            setTabOrder(previous, button);
        previous = button;
    }
}

void CUpdateDialogBase::keepDefaultOffWhileDisabled(QPushButton *button)
{
    connect(qApp, &QApplication::focusChanged, this, [button = QPointer<QPushButton>(button)] {
        if (button && !button->isEnabled() && button->isDefault())
            button->setDefault(false);
    });
}

void CUpdateDialogBase::showEvent(QShowEvent *event)
{
    applyPaletteToChildren();
    keepTreeRowsVisible();
    QDialog::showEvent(event);
}

void CUpdateDialogBase::keepTreeRowsVisible()
{
    auto *tree = findChild<QTreeView *>(QStringLiteral("cameraTreeView"));
    if (!tree)
        return;
    constexpr int Rows = 3;
    const int row = qMax(tree->fontMetrics().height(),
                         tree->model() && tree->model()->rowCount() > 0 ? tree->sizeHintForRow(0)
                                                                         : 0);
    const int header = tree->isHeaderHidden() ? 0 : tree->header()->sizeHint().height();
    // Room for a horizontal scroll bar too: narrow columns may bring one.
    const int scrollBar = tree->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
            ? 0
            : tree->horizontalScrollBar()->sizeHint().height();
    tree->setMinimumHeight(header + Rows * row + scrollBar + 2 * tree->frameWidth());
}

void CUpdateDialogBase::applyPaletteToChildren()
{
    const QList<QWidget *> children = findChildren<QWidget *>();
    for (QWidget *child : children) {
        QPalette palette = Style::PagePalette::light();
        // A background colour the form gives a widget stays.
        const QPalette desktop = QApplication::palette(child);
        for (int group = 0; group < QPalette::NColorGroups; ++group) {
            const auto colorGroup = QPalette::ColorGroup(group);
            const QBrush own = child->palette().brush(colorGroup, QPalette::Window);
            if (child->autoFillBackground() && own != desktop.brush(colorGroup, QPalette::Window))
                palette.setBrush(colorGroup, QPalette::Window, own);
        }
        child->setPalette(palette);
    }
}

int CUpdateDialogBase::applyPageFont()
{
    const int pixelSize = Core::OndrelViewerComponents::CStyleHelper::computePixelFontSize(12);
    QFont pageFont = font();
    pageFont.setFamily(QStringLiteral("Segoe UI"));
    pageFont.setPixelSize(pixelSize);
    setFont(pageFont);
    // Called right after the form is set up, so the form's white stays and
    // the text colours match it.
    setPalette(Style::PagePalette::light());
    return pixelSize;
}

QFont CUpdateDialogBase::boldPageFont() const
{
    QFont bold = font();
    bold.setWeight(75);
    return bold;
}

QString CUpdateDialogBase::labelAndButtonStyleSheet(int pixelSize)
{
    // The family too: under a style sheet a widget's font no longer follows
    // the page's, and the buttons would fall back to the application's.
    return QStringLiteral("QLabel {font-size:%1px;} QPushButton {font-family:\"Segoe UI\"; "
                          "font-size:%1px;}")
            .arg(pixelSize);
}

void CUpdateDialogBase::resizeColumnsProportionally(
        QTreeView *view, std::initializer_list<std::pair<int, int>> columns, int lastColumn)
{
    // Without a shown vertical scroll bar's width, so no horizontal one
    // appears beside it.
    int width = view->contentsRect().width();
    if (view->verticalScrollBar()->isVisibleTo(view))
        width -= view->verticalScrollBar()->width();
    int rest = width;
    for (const auto &[column, constant] : columns) {
        // Single precision, truncated, so the layout matches on every platform.
        const int columnWidth = static_cast<int>(constant / 512.0f * width);
        view->setColumnWidth(column, columnWidth);
        rest -= columnWidth;
    }
    view->setColumnWidth(lastColumn, rest);
}

} // namespace Plugin::FirmwareUpdater::Internal::View
