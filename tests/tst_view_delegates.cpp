#define QTEST_QPA_MOUSE_HANDLING
#include "model/CFirmwareUpdateTreeModel.h"
#include "simulator/CSimulatedCamera.h"
#include "simulator/CSimulatedTransportLayer.h"
#include "view/CCustomTreeView.h"
#include "view/CTreeViewCameraSelectionDelegate.h"
#include "view/CTreeViewDetailsDelegate.h"
#include "view/CTreeViewHeaderView.h"
#include "view/CTreeViewLabelDelegate.h"
#include "view/CTreeViewResultDelegate.h"
#include "view/CTreeViewStatusDelegate.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QtTest>

using namespace Plugin::FirmwareUpdater::Internal;
using Entity::CFirmwareUpdateEntity;
using Model::CFirmwareUpdateTreeModel;
using Simulator::CSimulatedCamera;
using Simulator::CSimulatedTransportLayer;

namespace {

const QColor Untouched(255, 0, 255);
const QColor White(255, 255, 255);
const QColor Selected(204, 235, 255);
const QColor Hovered(229, 243, 255);
const QColor Separator(240, 240, 240);
const QColor Frame(153, 209, 255);
const QRect Cell(10, 10, 200, 30);

enum Node { TransportLayer, CameraType, TreeDevice, ListFirst, ListSecond };

Core::DorvixComponents::CameraInfoPtr camera(const QString &id, const QString &name,
                                             const QString &model)
{
    CSimulatedCamera::Setup setup;
    setup.id = id;
    setup.displayName = name;
    setup.modelName = model;
    setup.firmwareVersion = QStringLiteral("1.0");
    return Core::DorvixComponents::CameraInfoPtr(new CSimulatedCamera(setup, "tl"));
}

// A camera tree (one transport layer: two cameras of model A, one of model B)
// and a flat list of two devices.
struct Models
{
    QSharedPointer<CSimulatedTransportLayer> transportLayer { new CSimulatedTransportLayer(
            "tl", "GigE <i>one</i>") };
    CFirmwareUpdateTreeModel tree;
    CFirmwareUpdateTreeModel list;

    Models()
    {
        transportLayer->addCamera(camera("a1", "Cam A1", "ModelA"));
        transportLayer->addCamera(camera("a2", "Cam A2", "ModelA"));
        transportLayer->addCamera(camera("b1", "Cam B1", "ModelB"));
        tree.buildFromTransportLayers({ transportLayer });

        QList<CFirmwareUpdateEntity *> devices;
        for (const auto &info : transportLayer->cameras().mid(0, 2)) {
            auto *device = new CFirmwareUpdateEntity;
            device->setEntityType(CFirmwareUpdateEntity::CameraDevice);
            device->setCameraInfo(info);
            device->setTransportLayerInfo(transportLayer);
            devices << device;
        }
        list.setEntities(devices);
    }

    QModelIndex find(const QAbstractItemModel &model, const QString &name, int column = 0) const
    {
        const QModelIndexList found = model.match(model.index(0, 0), Qt::DisplayRole, name, 1,
                                                  Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? QModelIndex() : found.first().siblingAtColumn(column);
    }

    QModelIndex node(Node kind, int column = 0) const
    {
        switch (kind) {
        case TransportLayer:
            return find(tree, "GigE <i>one</i>", column);
        case CameraType:
            return find(tree, "ModelA", column);
        case TreeDevice:
            return find(tree, "Cam A1", column);
        case ListFirst:
            return list.index(0, column);
        case ListSecond:
            return list.index(1, column);
        }
        return {};
    }

    static CFirmwareUpdateEntity *entity(const QModelIndex &index)
    {
        return static_cast<CFirmwareUpdateEntity *>(index.internalPointer());
    }
};

QImage paintCell(const QAbstractItemDelegate &delegate, const QModelIndex &index,
                 QStyle::State state,
                 QStyleOptionViewItem::ViewItemPosition position = QStyleOptionViewItem::Middle,
                 const QPoint &translation = QPoint())
{
    QImage image(260, 60, QImage::Format_ARGB32);
    image.fill(Untouched);
    QPainter painter(&image);
    painter.translate(translation);
    QStyleOptionViewItem option;
    option.rect = Cell;
    option.state = QStyle::State_Enabled | state;
    option.viewItemPosition = position;
    delegate.paint(&painter, option, index);
    painter.end();
    return image;
}

// The off-screen widgets the delegates render with, found by what they show.
template<typename T>
T *stampShowing(const QString &text, bool elided = false)
{
    for (QWidget *widget : QApplication::allWidgets()) {
        auto *stamp = qobject_cast<T *>(widget);
        if (stamp
            && (stamp->text() == text
                || (elided && stamp->text().endsWith(QChar(0x2026))
                    && text.startsWith(stamp->text().chopped(1)))))
            return stamp;
    }
    return nullptr;
}

QLabel *iconNextTo(QLabel *text)
{
    for (QLabel *label : text->parentWidget()->findChildren<QLabel *>()) {
        if (label != text)
            return label;
    }
    return nullptr;
}

bool separatorAtRight(const QImage &image, const QRect &cell)
{
    const int y = cell.center().y();
    return image.pixelColor(cell.right(), y) == Separator
            || image.pixelColor(cell.right() - 1, y) == Separator;
}

} // namespace

Q_DECLARE_METATYPE(Node)
Q_DECLARE_METATYPE(QMargins)

class TestDelegates : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void sizeHint_data();
    void sizeHint();
    void labelCell_data();
    void labelCell();
    void cellFollowsPainterTransform_data();
    void cellFollowsPainterTransform();
    void hoverFrame_data();
    void hoverFrame();
    void selectionCell_data();
    void selectionCell();
    void selectionCheckBoxState_data();
    void selectionCheckBoxState();
    void texts_data();
    void texts();
    void namesArePlainText_data();
    void namesArePlainText();
    void statusAndResultIcons_data();
    void statusAndResultIcons();
    void updatingRowIsBold();
    void proxyFindsEntity();
    void missingEntityFallsBack();
    void firstListRowInView();
    void selectionColumnInView();
    void selectionColumnOfListInView();
    void selectionEditing();
    void editorMargins_data();
    void editorMargins();

private:
    QWidget *openEditor(QAbstractItemView &view, const QModelIndex &index);
    void clickCheckBox(QWidget *editor);
};

void TestDelegates::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestDelegates::sizeHint_data()
{
    QTest::addColumn<Node>("node");
    QTest::addColumn<int>("height");

    QTest::newRow("transport layer") << TransportLayer << 24;
    QTest::newRow("camera type") << CameraType << 25;
    QTest::newRow("tree device") << TreeDevice << 20;
    QTest::newRow("first list row") << ListFirst << 27;
    QTest::newRow("other list row") << ListSecond << 20;
}

void TestDelegates::sizeHint()
{
    QFETCH(Node, node);
    QFETCH(int, height);

    Models models;
    const QModelIndex index = models.node(node);
    QStyleOptionViewItem option;
    View::CTreeViewLabelDelegate label;
    View::CTreeViewCameraSelectionDelegate selection;
    QStyledItemDelegate base;
    QCOMPARE(label.sizeHint(option, index), QSize(base.sizeHint(option, index).width(), height));
    QCOMPARE(selection.sizeHint(option, index),
             QSize(base.sizeHint(option, index).width(), height));
}

void TestDelegates::labelCell_data()
{
    QTest::addColumn<Node>("node");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("position");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<int>("lowerBy");
    QTest::addColumn<bool>("separator");

    const int hover = QStyle::State_MouseOver;
    const int selected = QStyle::State_Selected;
    const int middle = QStyleOptionViewItem::Middle;
    const int end = QStyleOptionViewItem::End;
    QTest::newRow("plain first list row") << ListFirst << 0 << true << middle << White << 4 << true;
    QTest::newRow("hovered list row")
            << ListSecond << hover << true << middle << Hovered << 0 << true;
    QTest::newRow("selected list row, last column")
            << ListSecond << selected << true << end << Selected << 0 << false;
    QTest::newRow("selection wins over hover")
            << ListFirst << (selected | hover) << true << middle << Selected << 4 << true;
    QTest::newRow("camera type") << CameraType << hover << true << middle << Hovered << 1 << true;
    QTest::newRow("tree device") << TreeDevice << selected << true << middle << Selected << 0
                                 << true;
    QTest::newRow("transport layer never highlighted")
            << TransportLayer << (selected | hover) << true << end << White << 4 << false;
    QTest::newRow("disabled row") << TreeDevice << 0 << false << middle << White << 0 << true;
}

void TestDelegates::labelCell()
{
    QFETCH(Node, node);
    QFETCH(int, state);
    QFETCH(bool, enabled);
    QFETCH(int, position);
    QFETCH(QColor, background);
    QFETCH(int, lowerBy);
    QFETCH(bool, separator);

    Models models;
    const QModelIndex index = models.node(node, CFirmwareUpdateEntity::CurrentFirmware);
    Models::entity(index)->setEnabled(enabled);
    View::CTreeViewLabelDelegate delegate;
    const QImage image = paintCell(delegate, index, QStyle::State(state),
                                   QStyleOptionViewItem::ViewItemPosition(position));

    const int x = Cell.right() - 5;
    if (lowerBy > 0)
        QCOMPARE(image.pixelColor(x, Cell.top() + lowerBy - 1), Untouched);
    QCOMPARE(image.pixelColor(x, Cell.top() + lowerBy), background);
    QCOMPARE(image.pixelColor(x, Cell.bottom() - 1), background);
    QCOMPARE(image.pixelColor(x, Cell.bottom() + 1), Untouched);
    QCOMPARE(separatorAtRight(image, Cell), separator);
}

void TestDelegates::cellFollowsPainterTransform_data()
{
    QTest::addColumn<bool>("selection");
    QTest::newRow("label") << false;
    QTest::newRow("selection") << true;
}

void TestDelegates::cellFollowsPainterTransform()
{
    QFETCH(bool, selection);

    Models models;
    View::CTreeViewLabelDelegate label;
    View::CTreeViewCameraSelectionDelegate check;
    const QAbstractItemDelegate &delegate
            = selection ? static_cast<QAbstractItemDelegate &>(check) : label;
    const QImage image = paintCell(delegate, models.node(ListSecond), QStyle::State_Selected,
                                   QStyleOptionViewItem::End, QPoint(30, 5));
    const QRect moved = Cell.translated(30, 5);
    QCOMPARE(image.pixelColor(moved.topRight() + QPoint(-5, 0)), Selected);
    QCOMPARE(image.pixelColor(moved.bottomRight() + QPoint(-5, 0)), Selected);
    QCOMPARE(image.pixelColor(moved.topLeft() - QPoint(1, 1)), Untouched);
    QCOMPARE(image.pixelColor(moved.bottomRight() + QPoint(-5, 1)), Untouched);
}

void TestDelegates::hoverFrame_data()
{
    QTest::addColumn<Node>("node");
    QTest::addColumn<int>("delegate"); // 0 label, 1 details, 2 status, 3 result, 4 selection
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("frame");
    QTest::addColumn<bool>("left");
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("frameLeft");

    const int beginning = QStyleOptionViewItem::Beginning;
    const int middle = QStyleOptionViewItem::Middle;
    const int end = QStyleOptionViewItem::End;
    QTest::newRow("label, first column")
            << ListSecond << 0 << beginning << true << true << true << false << 0;
    QTest::newRow("details, middle column")
            << ListSecond << 1 << middle << true << true << false << false << 0;
    QTest::newRow("status, last column")
            << ListSecond << 2 << end << true << true << false << true << 0;
    QTest::newRow("result, last column")
            << ListSecond << 3 << end << true << true << false << true << 0;
    QTest::newRow("disabled camera has none")
            << TreeDevice << 0 << beginning << false << false << false << false << 0;
    QTest::newRow("transport layer has none")
            << TransportLayer << 0 << beginning << true << false << false << false << 0;
    QTest::newRow("selection, camera type")
            << CameraType << 4 << beginning << true << true << true << false << 0;
    QTest::newRow("selection, tree device indented")
            << TreeDevice << 4 << beginning << true << true << true << false << 20;
    QTest::newRow("selection, disabled camera has none")
            << TreeDevice << 4 << beginning << false << false << false << false << 20;
    QTest::newRow("selection, transport layer has none")
            << TransportLayer << 4 << beginning << true << false << false << false << 0;
}

void TestDelegates::hoverFrame()
{
    QFETCH(Node, node);
    QFETCH(int, delegate);
    QFETCH(int, position);
    QFETCH(bool, enabled);
    QFETCH(bool, frame);
    QFETCH(bool, left);
    QFETCH(bool, right);
    QFETCH(int, frameLeft);

    Models models;
    const QModelIndex index = models.node(node);
    Models::entity(index)->setEnabled(enabled);
    View::CTreeViewLabelDelegate label;
    View::CTreeViewDetailsDelegate details;
    View::CTreeViewStatusDelegate status;
    View::CTreeViewResultDelegate result;
    View::CTreeViewCameraSelectionDelegate selection;
    const QList<QAbstractItemDelegate *> delegates
            = { &label, &details, &status, &result, &selection };
    const QImage image = paintCell(*delegates[delegate], index,
                                   QStyle::State_Selected | QStyle::State_MouseOver,
                                   QStyleOptionViewItem::ViewItemPosition(position));

    const int x = Cell.center().x();
    const int y = Cell.center().y();
    QCOMPARE(image.pixelColor(x, Cell.top()) == Frame, frame);
    QCOMPARE(image.pixelColor(x, Cell.bottom()) == Frame, frame);
    QCOMPARE(image.pixelColor(Cell.left() + frameLeft, y) == Frame, left);
    QCOMPARE(image.pixelColor(Cell.right(), y) == Frame, right);
}

void TestDelegates::selectionCell_data()
{
    QTest::addColumn<Node>("node");
    QTest::addColumn<int>("position");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("separator");

    const int only = QStyleOptionViewItem::OnlyOne;
    const int beginning = QStyleOptionViewItem::Beginning;
    QTest::newRow("transport layer") << TransportLayer << beginning << QPoint(1, 0) << true;
    QTest::newRow("camera type") << CameraType << beginning << QPoint(2, 1) << true;
    QTest::newRow("tree device") << TreeDevice << beginning << QPoint(22, 0) << true;
    QTest::newRow("first list row") << ListFirst << only << QPoint(2, 4) << false;
    QTest::newRow("other list row") << ListSecond << only << QPoint(2, 0) << false;
}

void TestDelegates::selectionCell()
{
    QFETCH(Node, node);
    QFETCH(int, position);
    QFETCH(QPoint, offset);
    QFETCH(bool, separator);

    Models models;
    View::CTreeViewCameraSelectionDelegate delegate;
    const QImage image = paintCell(delegate, models.node(node), QStyle::State_MouseOver,
                                   QStyleOptionViewItem::ViewItemPosition(position));

    const QColor background = node == TransportLayer ? White : Hovered;
    const int x = Cell.right() - 5;
    const QPoint origin = Cell.topLeft() + offset;
    if (offset.y() > 0)
        QCOMPARE(image.pixelColor(x, origin.y() - 1), Untouched);
    QCOMPARE(image.pixelColor(x, origin.y()), background);
    QCOMPARE(image.pixelColor(origin.x() - 1, Cell.bottom()), Untouched);
    QCOMPARE(image.pixelColor(origin.x(), Cell.bottom()), background);
    QCOMPARE(separatorAtRight(image, Cell), separator);
}

void TestDelegates::selectionCheckBoxState_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("selected");

    QTest::newRow("enabled, checked") << true << true;
    QTest::newRow("enabled, unchecked") << true << false;
    QTest::newRow("disabled stays unchecked") << false << true;
}

void TestDelegates::selectionCheckBoxState()
{
    QFETCH(bool, enabled);
    QFETCH(bool, selected);

    Models models;
    const QModelIndex index = models.node(TreeDevice);
    Models::entity(index)->setEnabled(enabled);
    Models::entity(index)->setSelected(selected);
    View::CTreeViewCameraSelectionDelegate delegate;
    paintCell(delegate, index, QStyle::State_Selected);

    QCheckBox *stamp = stampShowing<QCheckBox>("Cam A1");
    QVERIFY(stamp);
    QCOMPARE(stamp->isEnabled(), enabled);
    QCOMPARE(stamp->isChecked(), enabled && selected);
}

void TestDelegates::texts_data()
{
    QTest::addColumn<int>("delegate"); // 1 details, 2 status, 3 result
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("richText");

    QTest::newRow("upgrade") << 1 << 0 << "Upgrade" << false;
    QTest::newRow("downgrade") << 1 << 1 << "Downgrade" << false;
    QTest::newRow("reinstall") << 1 << 2 << "Reinstall" << false;
    QTest::newRow("not determined") << 1 << 3 << "Unknown" << false;
    QTest::newRow("waiting") << 2 << int(CFirmwareUpdateEntity::Waiting) << "Waiting" << false;
    QTest::newRow("updating") << 2 << int(CFirmwareUpdateEntity::Updating) << "Updating" << false;
    QTest::newRow("complete") << 2 << int(CFirmwareUpdateEntity::Complete) << "Complete" << false;
    QTest::newRow("ok") << 3 << int(CFirmwareUpdateEntity::OK) << "OK" << false;
    QTest::newRow("failed is bold")
            << 3 << int(CFirmwareUpdateEntity::Failed) << "<b>Failed</b>" << true;
    QTest::newRow("skipped") << 3 << int(CFirmwareUpdateEntity::Skipped) << "Skipped" << false;
}

void TestDelegates::texts()
{
    QFETCH(int, delegate);
    QFETCH(int, value);
    QFETCH(QString, text);
    QFETCH(bool, richText);

    Models models;
    CFirmwareUpdateEntity *entity = Models::entity(models.node(ListFirst));
    entity->setUpdateDetails(Plugin::Dorvix::EFirmwareUpdateDirection(value));
    entity->setUpdateStatus(CFirmwareUpdateEntity::EFirmwareUpdateStatus(value));
    entity->setUpdateResult(CFirmwareUpdateEntity::EFirmwareUpdateResult(value));
    View::CTreeViewDetailsDelegate details;
    View::CTreeViewStatusDelegate status;
    View::CTreeViewResultDelegate result;
    const QList<QAbstractItemDelegate *> delegates = { nullptr, &details, &status, &result };
    paintCell(*delegates[delegate], models.node(ListFirst, 4 + delegate), {});

    QLabel *stamp = stampShowing<QLabel>(text);
    QVERIFY(stamp);
    QCOMPARE(stamp->textFormat(), richText ? Qt::RichText : Qt::PlainText);
}

void TestDelegates::namesArePlainText_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("bold markup") << "<b>Cam</b>";
    QTest::newRow("image") << "<img src=\":/firmwareupdater/icons/error_icon_32x32_en\">";
    QTest::newRow("entity") << "Cam &amp; Co";
}

void TestDelegates::namesArePlainText()
{
    QFETCH(QString, name);

    QSharedPointer<CSimulatedTransportLayer> transportLayer(
            new CSimulatedTransportLayer("t", name));
    transportLayer->addCamera(camera("x", name, "M"));
    CFirmwareUpdateTreeModel model;
    model.buildFromTransportLayers({ transportLayer });
    const QModelIndex layer = model.index(0, 0);
    const QModelIndex device = model.index(0, 0, model.index(0, 0, layer));

    View::CTreeViewLabelDelegate label;
    const QImage shown = paintCell(label, device, {});
    QLabel *stamp = stampShowing<QLabel>(name, true);
    QVERIFY(stamp);
    QCOMPARE(stamp->textFormat(), Qt::PlainText);
    // Drawn as characters: the ink reaches as far as the literal text does.
    const int literalWidth = stamp->fontMetrics().horizontalAdvance(name);
    int inkRight = 0;
    for (int x = Cell.left(); x < Cell.right() - 2; ++x) {
        for (int y = Cell.top(); y <= Cell.bottom(); ++y) {
            if (qGray(shown.pixel(x, y)) < 128)
                inkRight = x;
        }
    }
    QVERIFY2(inkRight - Cell.left() > qMin(literalWidth, Cell.width() - 15) - 12,
             qPrintable(QString::number(inkRight)));

    View::CTreeViewCameraSelectionDelegate selection;
    paintCell(selection, layer, {});
    stamp = stampShowing<QLabel>(name, true);
    QVERIFY(stamp);
    QCOMPARE(stamp->textFormat(), Qt::PlainText);
}

void TestDelegates::statusAndResultIcons_data()
{
    QTest::addColumn<int>("delegate"); // 2 status, 3 result
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("icon"); // empty when none
    QTest::addColumn<bool>("bold");

    QTest::newRow("waiting: no icon, normal") << 2 << 0 << "Waiting" << QSize() << false;
    QTest::newRow("updating: refresh, bold") << 2 << 1 << "Updating" << QSize(14, 12) << true;
    QTest::newRow("complete: tick, normal") << 2 << 2 << "Complete" << QSize(12, 8) << false;
    QTest::newRow("ok: tick") << 3 << 0 << "OK" << QSize(12, 8) << false;
    QTest::newRow("failed: cross") << 3 << 1 << "<b>Failed</b>" << QSize(12, 11) << false;
    QTest::newRow("skipped: dash") << 3 << 2 << "Skipped" << QSize(12, 3) << false;
}

void TestDelegates::statusAndResultIcons()
{
    QFETCH(int, delegate);
    QFETCH(int, value);
    QFETCH(QString, text);
    QFETCH(QSize, icon);
    QFETCH(bool, bold);

    Models models;
    CFirmwareUpdateEntity *entity = Models::entity(models.node(ListSecond));
    View::CTreeViewStatusDelegate status;
    View::CTreeViewResultDelegate result;
    QAbstractItemDelegate *painter
            = delegate == 2 ? static_cast<QAbstractItemDelegate *>(&status) : &result;
    // Paint another state first: the icon must be replaced, not kept.
    entity->setUpdateStatus(CFirmwareUpdateEntity::Complete);
    entity->setUpdateResult(CFirmwareUpdateEntity::OK);
    paintCell(*painter, models.node(ListSecond, 4 + delegate), {});
    entity->setUpdateStatus(CFirmwareUpdateEntity::EFirmwareUpdateStatus(value));
    entity->setUpdateResult(CFirmwareUpdateEntity::EFirmwareUpdateResult(value));
    const QImage image = paintCell(*painter, models.node(ListSecond, 4 + delegate), {});

    QLabel *stamp = stampShowing<QLabel>(text);
    QVERIFY(stamp);
    QCOMPARE(stamp->font().weight(), bold ? int(QFont::Bold) : int(QFont::Normal));
    QLabel *iconLabel = iconNextTo(stamp);
    QVERIFY(iconLabel);
    const QPixmap pixmap = iconLabel->pixmap(Qt::ReturnByValue);
    QCOMPARE(pixmap.isNull() ? QSize() : pixmap.size(), icon);

    // The icon column (11 px in, 14 wide) shows ink only when there is an icon.
    bool ink = false;
    for (int x = Cell.left() + 11; x < Cell.left() + 25; ++x) {
        for (int y = Cell.top(); y <= Cell.bottom(); ++y)
            ink = ink || image.pixelColor(x, y) != White;
    }
    QCOMPARE(ink, icon.isValid());
}

void TestDelegates::updatingRowIsBold()
{
    Models models;
    CFirmwareUpdateEntity *entity = Models::entity(models.node(ListFirst));
    View::CTreeViewLabelDelegate delegate;
    paintCell(delegate, models.node(ListFirst), {});
    QCOMPARE(stampShowing<QLabel>("Cam A1")->font().weight(), int(QFont::Normal));
    entity->setUpdateStatus(CFirmwareUpdateEntity::Updating);
    paintCell(delegate, models.node(ListFirst), {});
    QCOMPARE(stampShowing<QLabel>("Cam A1")->font().weight(), int(QFont::Bold));
}

void TestDelegates::proxyFindsEntity()
{
    Models models;
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&models.list);
    proxy.sort(0, Qt::DescendingOrder);
    // Proxy row 0 is the source's row 1.
    QCOMPARE(proxy.index(0, 0).data().toString(), QStringLiteral("Cam A2"));
    Models::entity(models.list.index(1, 0))->setUpdateResult(CFirmwareUpdateEntity::Failed);

    View::CTreeViewLabelDelegate label;
    paintCell(label, proxy.index(0, 0), {});
    QVERIFY(stampShowing<QLabel>("Cam A2"));
    View::CTreeViewResultDelegate result;
    paintCell(result, proxy.index(0, CFirmwareUpdateEntity::UpdateResult), {});
    QVERIFY(stampShowing<QLabel>("<b>Failed</b>"));
    View::CTreeViewCameraSelectionDelegate selection;
    paintCell(selection, proxy.index(0, 0), {});
    QVERIFY(stampShowing<QCheckBox>("Cam A2"));
    QStyleOptionViewItem option;
    QCOMPARE(selection.sizeHint(option, proxy.index(0, 0)).height(), 27);
}

void TestDelegates::missingEntityFallsBack()
{
    QStandardItemModel other(1, 1);
    other.setData(other.index(0, 0), QStringLiteral("x"));
    View::CTreeViewLabelDelegate label;
    View::CTreeViewStatusDelegate status;
    View::CTreeViewCameraSelectionDelegate selection;
    QStyledItemDelegate base;
    QStyleOptionViewItem option;
    QCOMPARE(label.sizeHint(option, other.index(0, 0)), base.sizeHint(option, other.index(0, 0)));
    const QImage expected = paintCell(base, other.index(0, 0), {});
    for (const QAbstractItemDelegate *delegate :
         QList<const QAbstractItemDelegate *> { &label, &status, &selection })
        QCOMPARE(paintCell(*delegate, other.index(0, 0), {}), expected);
}

// The viewport as rendered on request and as painted into its window.
static QList<QImage> viewportImages(QAbstractItemView &view)
{
    const QRect viewport(view.viewport()->mapTo(&view, QPoint()), view.viewport()->size());
    return { view.grab().toImage().copy(viewport),
             view.screen()->grabWindow(view.winId()).toImage().copy(viewport) };
}

static void prepareView(QTreeView &view, QAbstractItemModel *model)
{
    QPalette palette = view.palette();
    palette.setColor(QPalette::Base, Untouched);
    view.setPalette(palette);
    view.setModel(model);
    view.setRootIsDecorated(false);
    view.setIndentation(0);
    view.expandAll();
    view.resize(400, 200);
    view.show();
}

void TestDelegates::firstListRowInView()
{
    Models models;
    QTreeView view;
    view.setItemDelegate(new View::CTreeViewLabelDelegate(&view));
    prepareView(view, &models.list);
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const QRect first = view.visualRect(models.list.index(0, 3));
    const QRect second = view.visualRect(models.list.index(1, 3));
    QCOMPARE(first.height(), 27);
    QCOMPARE(second.top(), first.bottom() + 1);
    for (const QImage &image : viewportImages(view)) {
        const int x = first.right() - 20;
        QCOMPARE(image.pixelColor(x, first.top() + 3), Untouched);
        QCOMPARE(image.pixelColor(x, first.top() + 4), White);
        QCOMPARE(image.pixelColor(x, first.bottom()), White);
        QCOMPARE(image.pixelColor(x, second.top()), White);
        QCOMPARE(image.pixelColor(x, second.bottom()), White);
        QCOMPARE(image.pixelColor(x, second.bottom() + 1), Untouched);
    }
}

void TestDelegates::selectionColumnInView()
{
    Models models;
    View::CCustomTreeView view;
    view.setHeader(new View::CTreeViewHeaderView(&view));
    view.setItemDelegateForColumn(0, new View::CTreeViewCameraSelectionDelegate(&view));
    prepareView(view, &models.tree);
    view.header()->resizeSection(0, 300);
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const QRect layer = view.visualRect(models.node(TransportLayer));
    const QRect type = view.visualRect(models.node(CameraType));
    const QRect device = view.visualRect(models.node(TreeDevice));
    for (const QImage &image : viewportImages(view)) {
        const int x = layer.right() - 20;
        QCOMPARE(image.pixelColor(x, layer.top()), White);
        QCOMPARE(image.pixelColor(layer.left(), layer.center().y()), Untouched);
        QCOMPARE(image.pixelColor(x, type.top()), Untouched);
        QCOMPARE(image.pixelColor(x, type.top() + 1), White);
        QCOMPARE(image.pixelColor(device.left() + 21, device.top()), Untouched);
        QCOMPARE(image.pixelColor(device.left() + 22, device.top()), White);
    }
}

void TestDelegates::selectionColumnOfListInView()
{
    Models models;
    QTreeView view;
    view.setItemDelegate(new View::CTreeViewCameraSelectionDelegate(&view));
    prepareView(view, &models.list);
    view.header()->resizeSection(0, 300);
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const QRect first = view.visualRect(models.list.index(0, 0));
    for (const QImage &image : viewportImages(view)) {
        const int x = first.right() - 20;
        QCOMPARE(image.pixelColor(x, first.top() + 3), Untouched);
        QCOMPARE(image.pixelColor(x, first.top() + 4), White);
        QCOMPARE(image.pixelColor(first.left() + 1, first.bottom()), Untouched);
        QCOMPARE(image.pixelColor(first.left() + 2, first.bottom()), White);
    }
}

QWidget *TestDelegates::openEditor(QAbstractItemView &view, const QModelIndex &index)
{
    QTest::mouseMove(view.viewport(), view.visualRect(index).center());
    return view.indexWidget(index);
}

void TestDelegates::clickCheckBox(QWidget *editor)
{
    auto *box = editor->findChild<QCheckBox *>();
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator
            = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
}

void TestDelegates::selectionEditing()
{
    Models models;
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&models.tree);
    proxy.sort(0);
    View::CCustomTreeView view;
    view.setModel(&proxy);
    view.setItemDelegateForColumn(0, new View::CTreeViewCameraSelectionDelegate(&view));
    for (int column = 1; column < 8; ++column)
        view.setColumnHidden(column, true);
    view.setIndentation(0);
    view.setRootIsDecorated(false);
    view.setItemsExpandable(false);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setSelectionMode(QAbstractItemView::NoSelection);
    view.expandAll();
    view.resize(400, 300);
    view.show();
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));

    const auto proxyIndex = [&](Node node) {
        return proxy.mapFromSource(models.node(node));
    };
    CFirmwareUpdateEntity *a1 = Models::entity(models.node(TreeDevice));
    CFirmwareUpdateEntity *typeA = Models::entity(models.node(CameraType));
    CFirmwareUpdateEntity *b1 = Models::entity(models.find(models.tree, "Cam B1"));

    QWidget *editor = openEditor(view, proxyIndex(TreeDevice));
    QVERIFY(editor);
    QVERIFY(editor->findChild<QCheckBox *>()->isEnabled());

    // The rule applies through the proxy: the model and its type follow.
    clickCheckBox(editor);
    QVERIFY(a1->selected());
    QVERIFY(typeA->selected());
    QVERIFY(!b1->enabled());
    QCOMPARE(models.tree.selectedCameras().size(), 1);
    QCOMPARE(models.tree.selectedCameras().first().data(), a1);

    // A second click without moving the mouse still reaches the same editor.
    QCOMPARE(view.indexWidget(proxyIndex(TreeDevice)), editor);
    clickCheckBox(editor);
    QVERIFY(!a1->selected());
    QVERIFY(!typeA->selected());
    QVERIFY(b1->enabled());
    QVERIFY(models.tree.selectedCameras().isEmpty());

    // A camera of another model cannot be checked while model A is.
    clickCheckBox(editor);
    QVERIFY(a1->selected());
    QWidget *otherEditor
            = openEditor(view, proxy.mapFromSource(models.find(models.tree, "Cam B1")));
    QVERIFY(otherEditor);
    QVERIFY(!view.indexWidget(proxyIndex(TreeDevice)));
    QVERIFY(!otherEditor->findChild<QCheckBox *>()->isEnabled());
    clickCheckBox(otherEditor);
    QVERIFY(!b1->selected());
    QCOMPARE(models.tree.selectedCameras().size(), 1);

    // The transport layer's row opens nothing.
    QVERIFY(!openEditor(view, proxyIndex(TransportLayer)));
}

void TestDelegates::editorMargins_data()
{
    QTest::addColumn<Node>("node");
    QTest::addColumn<QMargins>("margins");

    QTest::newRow("tree device") << TreeDevice << QMargins(22, 0, 0, 0);
    QTest::newRow("camera type") << CameraType << QMargins(2, 3, 0, 0);
    QTest::newRow("first list row") << ListFirst << QMargins(2, 8, 0, 0);
    QTest::newRow("other list row") << ListSecond << QMargins(2, 0, 0, 0);
}

void TestDelegates::editorMargins()
{
    QFETCH(Node, node);
    QFETCH(QMargins, margins);

    Models models;
    View::CTreeViewCameraSelectionDelegate delegate;
    QWidget parent;
    QStyleOptionViewItem option;
    option.rect = Cell;
    QScopedPointer<QWidget> editor(delegate.createEditor(&parent, option, models.node(node)));
    QVERIFY(editor);
    QCOMPARE(editor->layout()->contentsMargins(), margins);
    QCOMPARE(editor->baseSize(), Cell.size());
    delegate.updateEditorGeometry(editor.data(), option, models.node(node));
    QCOMPARE(editor->geometry(), Cell);
}

QTEST_MAIN(TestDelegates)
#include "tst_view_delegates.moc"
