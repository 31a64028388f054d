#define QTEST_QPA_MOUSE_HANDLING
#include "model/CFirmwareUpdateTreeModel.h"
#include "simulator/CSimulatedCamera.h"
#include "simulator/CSimulatedTransportLayer.h"
#include "view/CCustomTreeView.h"
#include "view/CTreeViewCameraSelectionDelegate.h"
#include "view/CTreeViewDetailsDelegate.h"
#include "view/CTreeViewLabelDelegate.h"
#include "view/CTreeViewResultDelegate.h"
#include "view/CTreeViewStatusDelegate.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QtTest>

using namespace Plugin::FirmwareUpdater::Internal;
using Entity::CFirmwareUpdateEntity;

namespace {

const QColor Untouched(255, 0, 255);
const QColor White(255, 255, 255);
const QColor Selected(204, 235, 255);
const QColor Hovered(229, 243, 255);
const QColor Frame(153, 209, 255);
const QRect Cell(10, 10, 200, 30);
const int Hover = QStyle::State_MouseOver;
const int Select = QStyle::State_Selected;

enum Node { TransportLayer, CameraType, TreeDevice, ListFirst, ListSecond };
enum Kind { Label, Details, Status, Result, Selection };

// A camera tree (models A, A and B on one transport layer) and a flat list.
struct Models
{
    QSharedPointer<Simulator::CSimulatedTransportLayer> layer;
    Model::CFirmwareUpdateTreeModel tree;
    Model::CFirmwareUpdateTreeModel list;

    explicit Models(const QString &firstName = QStringLiteral("Cam A1"),
                    const QString &layerName = QStringLiteral("GigE"))
        : layer(new Simulator::CSimulatedTransportLayer("tl", layerName))
    {
        const QStringList names = { firstName, "Cam A2", "Cam B1" };
        for (const QString &name : names) {
            Simulator::CSimulatedCamera::Setup setup { name, name, name.left(5), "1.0" };
            layer->addCamera(Core::DorvixComponents::CameraInfoPtr(
                    new Simulator::CSimulatedCamera(setup, "tl")));
        }
        tree.buildFromTransportLayers({ layer });
        QList<CFirmwareUpdateEntity *> devices;
        for (const auto &camera : layer->cameras().mid(0, 2)) {
            devices << new CFirmwareUpdateEntity;
            devices.last()->setEntityType(CFirmwareUpdateEntity::CameraDevice);
            devices.last()->setCameraInfo(camera);
        }
        list.setEntities(devices);
    }

    QModelIndex find(const QString &name) const
    {
        return tree.match(tree.index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchRecursive).value(0);
    }

    QModelIndex node(Node kind, int column = 0) const
    {
        const QModelIndex nodes[]
                = { tree.index(0, 0), find("Cam A"), find(layer->cameras().first()->displayName()),
                    list.index(0, 0), list.index(1, 0) };
        return nodes[kind].siblingAtColumn(column);
    }
};

CFirmwareUpdateEntity *entity(const QModelIndex &index)
{
    return static_cast<CFirmwareUpdateEntity *>(index.internalPointer());
}

struct Delegates
{
    View::CTreeViewLabelDelegate label;
    View::CTreeViewDetailsDelegate details;
    View::CTreeViewStatusDelegate status;
    View::CTreeViewResultDelegate result;
    View::CTreeViewCameraSelectionDelegate selection;
    QAbstractItemDelegate *operator[](int kind)
    {
        QAbstractItemDelegate *all[] = { &label, &details, &status, &result, &selection };
        return all[kind];
    }
};

QImage paintCell(QAbstractItemDelegate *delegate, const QModelIndex &index, int state,
                 int position = QStyleOptionViewItem::Middle)
{
    QImage image(260, 60, QImage::Format_ARGB32);
    image.fill(Untouched);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = Cell;
    option.state = QStyle::State_Enabled | QStyle::State(state);
    option.viewItemPosition = QStyleOptionViewItem::ViewItemPosition(position);
    delegate->paint(&painter, option, index);
    return image;
}

// The off-screen widgets a delegate renders with, found by what they show.
template<typename T>
T *stampShowing(const QString &text)
{
    for (QWidget *widget : QApplication::allWidgets()) {
        auto *stamp = qobject_cast<T *>(widget);
        if (stamp && stamp->text() == text)
            return stamp;
    }
    return nullptr;
}

bool separatorAtRight(const QImage &image)
{
    const QColor separator(240, 240, 240);
    return image.pixelColor(Cell.right(), Cell.center().y()) == separator
            || image.pixelColor(Cell.right() - 1, Cell.center().y()) == separator;
}

} // namespace

Q_DECLARE_METATYPE(Node)
Q_DECLARE_METATYPE(QMargins)

class TestDelegates : public QObject
{
    Q_OBJECT

private slots:
    void sizeHint_data();
    void sizeHint();
    void labelCell_data();
    void labelCell();
    void hoverFrame_data();
    void hoverFrame();
    void selectionCell_data();
    void selectionCell();
    void content_data();
    void content();
    void namesArePlainText_data();
    void namesArePlainText();
    void firstListRowOnScreen_data();
    void firstListRowOnScreen();
    void selectionEditing();
    void editorMargins_data();
    void editorMargins();
};

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
    QSortFilterProxyModel proxy; // the entity is found through a proxy too
    proxy.setSourceModel(node < ListFirst ? &models.tree : &models.list);
    const QModelIndex index = proxy.mapFromSource(models.node(node));
    Delegates delegates;
    QStyleOptionViewItem option;
    const int width = QStyledItemDelegate().sizeHint(option, index).width();
    QCOMPARE(delegates[Label]->sizeHint(option, index), QSize(width, height));
    QCOMPARE(delegates[Selection]->sizeHint(option, index), QSize(width, height));
}

void TestDelegates::labelCell_data()
{
    QTest::addColumn<Node>("node");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("position");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<int>("lowerBy");

    const int end = QStyleOptionViewItem::End;
    const int middle = QStyleOptionViewItem::Middle;
    QTest::newRow("first list row, 4 px lower") << ListFirst << 0 << middle << White << 4;
    QTest::newRow("hovered list row") << ListSecond << Hover << middle << Hovered << 0;
    QTest::newRow("selected, last column") << ListSecond << Select << end << Selected << 0;
    QTest::newRow("camera type, 1 px lower") << CameraType << Hover << middle << Hovered << 1;
    QTest::newRow("tree device") << TreeDevice << Select << middle << Selected << 0;
    QTest::newRow("transport layer stays plain")
            << TransportLayer << (Select | Hover) << end << White << 4;
}

void TestDelegates::labelCell()
{
    QFETCH(Node, node);
    QFETCH(int, state);
    QFETCH(int, position);
    QFETCH(QColor, background);
    QFETCH(int, lowerBy);

    Models models;
    Delegates delegates;
    const QImage image = paintCell(delegates[Label], models.node(node, 3), state, position);
    const int x = Cell.right() - 5;
    QCOMPARE(image.pixelColor(x, Cell.top() + lowerBy - 1), Untouched);
    QCOMPARE(image.pixelColor(x, Cell.top() + lowerBy), background);
    QCOMPARE(image.pixelColor(x, Cell.bottom() - 1), background);
    QCOMPARE(image.pixelColor(x, Cell.bottom() + 1), Untouched);
    QCOMPARE(separatorAtRight(image), position != QStyleOptionViewItem::End);
}

void TestDelegates::hoverFrame_data()
{
    QTest::addColumn<int>("delegate");
    QTest::addColumn<Node>("node");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("edges"); // t(op and bottom), l(eft), r(ight)
    QTest::addColumn<int>("left");

    const int beginning = QStyleOptionViewItem::Beginning;
    const int middle = QStyleOptionViewItem::Middle;
    const int end = QStyleOptionViewItem::End;
    QTest::newRow("label, first column")
            << int(Label) << ListSecond << beginning << true << "tl" << 0;
    QTest::newRow("details, middle") << int(Details) << ListSecond << middle << true << "t" << 0;
    QTest::newRow("status, last") << int(Status) << ListSecond << end << true << "tr" << 0;
    QTest::newRow("result, disabled") << int(Result) << ListSecond << end << false << "" << 0;
    QTest::newRow("label, transport layer")
            << int(Label) << TransportLayer << beginning << true << "" << 0;
    QTest::newRow("selection, tree device")
            << int(Selection) << TreeDevice << beginning << true << "tl" << 20;
    QTest::newRow("selection, disabled camera")
            << int(Selection) << CameraType << beginning << false << "" << 0;
}

void TestDelegates::hoverFrame()
{
    QFETCH(int, delegate);
    QFETCH(Node, node);
    QFETCH(int, position);
    QFETCH(bool, enabled);
    QFETCH(QString, edges);
    QFETCH(int, left);

    Models models;
    entity(models.node(node))->setEnabled(enabled);
    Delegates delegates;
    const QImage image = paintCell(delegates[delegate], models.node(node, delegate + 3),
                                   Select | Hover, position);
    const int y = Cell.center().y();
    QCOMPARE(image.pixelColor(Cell.center().x(), Cell.top()) == Frame, edges.contains('t'));
    QCOMPARE(image.pixelColor(Cell.center().x(), Cell.bottom()) == Frame, edges.contains('t'));
    QCOMPARE(image.pixelColor(Cell.left() + left, y) == Frame, edges.contains('l'));
    QCOMPARE(image.pixelColor(Cell.right(), y) == Frame, edges.contains('r'));
}

void TestDelegates::selectionCell_data()
{
    QTest::addColumn<Node>("node");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("transport layer") << TransportLayer << QPoint(1, 0) << true;
    QTest::newRow("camera type") << CameraType << QPoint(2, 1) << true;
    QTest::newRow("tree device") << TreeDevice << QPoint(22, 0) << true;
    QTest::newRow("disabled tree device") << TreeDevice << QPoint(22, 0) << false;
    QTest::newRow("first list row") << ListFirst << QPoint(2, 4) << true;
    QTest::newRow("other list row") << ListSecond << QPoint(2, 0) << true;
}

void TestDelegates::selectionCell()
{
    QFETCH(Node, node);
    QFETCH(QPoint, offset);
    QFETCH(bool, enabled);

    Models models;
    CFirmwareUpdateEntity *shown = entity(models.node(node));
    shown->setSelected(true);
    shown->setEnabled(enabled);
    Delegates delegates;
    const QImage image
            = paintCell(delegates[Selection], models.node(node), 0, QStyleOptionViewItem::OnlyOne);
    const QPoint origin = Cell.topLeft() + offset;
    QCOMPARE(image.pixelColor(Cell.right() - 5, origin.y() - 1), Untouched);
    QCOMPARE(image.pixelColor(Cell.right() - 5, origin.y()), White);
    QCOMPARE(image.pixelColor(origin.x() - 1, Cell.bottom()), Untouched);
    QCOMPARE(image.pixelColor(origin.x(), Cell.bottom()), White);
    QVERIFY(!separatorAtRight(image));

    if (node != TransportLayer) {
        // A camera of another model shows the disabled box, unchecked.
        QCheckBox *box = stampShowing<QCheckBox>(shown->data(0).toString());
        QVERIFY(box);
        QCOMPARE(box->isEnabled(), enabled);
        QCOMPARE(box->isChecked(), enabled);
    }
}

void TestDelegates::content_data()
{
    QTest::addColumn<int>("delegate");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("icon");
    QTest::addColumn<bool>("bold");

    QTest::newRow("upgrade") << int(Details) << 0 << "Upgrade" << QSize() << false;
    QTest::newRow("reinstall") << int(Details) << 2 << "Reinstall" << QSize() << false;
    QTest::newRow("not determined") << int(Details) << 3 << "Unknown" << QSize() << false;
    QTest::newRow("waiting") << int(Status) << 0 << "Waiting" << QSize() << false;
    QTest::newRow("updating") << int(Status) << 1 << "Updating" << QSize(14, 12) << true;
    QTest::newRow("complete") << int(Status) << 2 << "Complete" << QSize(12, 8) << false;
    QTest::newRow("ok") << int(Result) << 0 << "OK" << QSize(12, 8) << false;
    QTest::newRow("failed") << int(Result) << 1 << "<b>Failed</b>" << QSize(12, 11) << false;
    QTest::newRow("skipped") << int(Result) << 2 << "Skipped" << QSize(12, 3) << false;
    QTest::newRow("label of an updating row") << int(Label) << 1 << "Cam A1" << QSize() << true;
}

void TestDelegates::content()
{
    QFETCH(int, delegate);
    QFETCH(int, value);
    QFETCH(QString, text);
    QFETCH(QSize, icon);
    QFETCH(bool, bold);

    Models models;
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&models.list);
    const QModelIndex index = proxy.index(0, delegate == Label ? 0 : delegate + 3);
    CFirmwareUpdateEntity *shown = entity(models.node(ListFirst));
    Delegates delegates;
    // A state with an icon first: the next paint must replace it.
    shown->setUpdateStatus(CFirmwareUpdateEntity::Complete);
    paintCell(delegates[delegate], index, 0);
    shown->setUpdateDetails(Plugin::Dorvix::EFirmwareUpdateDirection(value));
    shown->setUpdateStatus(CFirmwareUpdateEntity::EFirmwareUpdateStatus(value));
    shown->setUpdateResult(CFirmwareUpdateEntity::EFirmwareUpdateResult(value));
    const QImage image = paintCell(delegates[delegate], index, 0);

    QLabel *label = stampShowing<QLabel>(text);
    QVERIFY(label);
    // Only the system's own markup is rich text.
    QCOMPARE(label->textFormat(), text.startsWith('<') ? Qt::RichText : Qt::PlainText);
    QCOMPARE(label->font().weight(), bold ? int(QFont::Bold) : int(QFont::Normal));
    if (delegate == Status || delegate == Result) {
        auto *iconLabel = label->parentWidget()->findChildren<QLabel *>().value(0);
        const QPixmap pixmap = iconLabel->pixmap(Qt::ReturnByValue);
        QCOMPARE(pixmap.isNull() ? QSize() : pixmap.size(), icon);
        bool ink = false; // in the icon's place, 11 px in and 14 wide
        for (int x = Cell.left() + 11; x < Cell.left() + 25; ++x) {
            for (int y = Cell.top() + 4; y <= Cell.bottom(); ++y)
                ink = ink || image.pixelColor(x, y) != White;
        }
        QCOMPARE(ink, icon.isValid());
    }
}

void TestDelegates::namesArePlainText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("buttonText");

    QTest::newRow("markup") << "<b>Cam</b>"
                            << "<b>Cam</b>";
    QTest::newRow("image") << "<img src=x>"
                           << "<img src=x>";
    // In a check box an '&' would mark a shortcut and vanish.
    QTest::newRow("ampersand") << "R&D"
                               << "R&&D";
}

void TestDelegates::namesArePlainText()
{
    QFETCH(QString, name);
    QFETCH(QString, buttonText);

    Models models(name, "TL " + name);
    Delegates delegates;
    paintCell(delegates[Label], models.find(name), 0);
    paintCell(delegates[Selection], models.node(TreeDevice), 0);
    paintCell(delegates[Selection], models.node(TransportLayer), 0);
    QVERIFY(stampShowing<QCheckBox>(buttonText));
    int plainLabels = 0;
    for (QWidget *widget : QApplication::allWidgets()) {
        auto *label = qobject_cast<QLabel *>(widget);
        if (label && label->text().endsWith(name)) {
            QCOMPARE(label->textFormat(), Qt::PlainText);
            ++plainLabels;
        }
    }
    QCOMPARE(plainLabels, 2); // the camera's label and the transport layer's caption
}

// The viewport as painted into its window and as rendered on request.
static QList<QImage> viewportImages(QAbstractItemView &view)
{
    const QRect viewport(view.viewport()->mapTo(&view, QPoint()), view.viewport()->size());
    return { view.grab().toImage().copy(viewport),
             view.screen()->grabWindow(view.winId()).toImage().copy(viewport) };
}

void TestDelegates::firstListRowOnScreen_data()
{
    QTest::addColumn<int>("delegate");
    QTest::addColumn<int>("left");

    QTest::newRow("label") << int(Label) << 0;
    QTest::newRow("selection") << int(Selection) << 2;
}

void TestDelegates::firstListRowOnScreen()
{
    QFETCH(int, delegate);
    QFETCH(int, left);

    Models models;
    Delegates delegates;
    QTreeView view;
    QPalette palette = view.palette();
    palette.setColor(QPalette::Base, Untouched);
    view.setPalette(palette);
    view.setModel(&models.list);
    view.setItemDelegate(delegates[delegate]);
    view.setRootIsDecorated(false);
    view.resize(400, 200);
    view.header()->resizeSection(0, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const QRect first = view.visualRect(models.list.index(0, 0));
    const QRect second = view.visualRect(models.list.index(1, 0));
    QCOMPARE(first.height(), 27);
    for (const QImage &image : viewportImages(view)) {
        const int x = first.right() - 20;
        QCOMPARE(image.pixelColor(x, first.top() + 3), Untouched);
        QCOMPARE(image.pixelColor(x, first.top() + 4), White);
        QCOMPARE(image.pixelColor(first.left() + left, first.bottom()), White);
        if (left)
            QCOMPARE(image.pixelColor(first.left() + left - 1, first.bottom()), Untouched);
        QCOMPARE(image.pixelColor(x, second.top()), White);
        QCOMPARE(image.pixelColor(x, second.bottom() + 1), Untouched);
    }
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
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setSelectionMode(QAbstractItemView::NoSelection);
    view.expandAll();
    view.resize(400, 300);
    view.show();
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));

    const auto openEditor = [&](const QModelIndex &source) {
        const QModelIndex index = proxy.mapFromSource(source);
        QTest::mouseMove(view.viewport(), view.visualRect(index).center());
        return view.indexWidget(index);
    };
    const auto click = [](QWidget *editor) {
        auto *box = editor->findChild<QCheckBox *>();
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect indicator
                = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
    };
    CFirmwareUpdateEntity *a1 = entity(models.node(TreeDevice));
    CFirmwareUpdateEntity *typeA = entity(models.node(CameraType));
    CFirmwareUpdateEntity *b1 = entity(models.find("Cam B1"));

    QWidget *editor = openEditor(models.node(TreeDevice));
    QVERIFY(editor);
    click(editor); // the rule applies through the proxy
    QVERIFY(a1->selected() && typeA->selected() && !b1->enabled());
    QCOMPARE(models.tree.selectedCameras(), QList<QPointer<CFirmwareUpdateEntity>> { a1 });
    QCOMPARE(view.indexWidget(proxy.mapFromSource(models.node(TreeDevice))), editor);
    click(editor); // again, without moving the mouse
    QVERIFY(!a1->selected() && !typeA->selected() && b1->enabled());
    QVERIFY(models.tree.selectedCameras().isEmpty());
    click(editor);
    QVERIFY(a1->selected());

    // A camera of the other model cannot be checked meanwhile.
    QWidget *other = openEditor(models.find("Cam B1"));
    QVERIFY(other);
    QVERIFY(!view.indexWidget(proxy.mapFromSource(models.node(TreeDevice))));
    click(other);
    QVERIFY(!b1->selected());
    QCOMPARE(models.tree.selectedCameras().size(), 1);
    QVERIFY(!openEditor(models.node(TransportLayer)));
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
    QCOMPARE(editor->layout()->contentsMargins(), margins);
    delegate.updateEditorGeometry(editor.data(), option, models.node(node));
    QCOMPARE(editor->geometry(), Cell);
}

QTEST_MAIN(TestDelegates)
#include "tst_view_delegates.moc"
