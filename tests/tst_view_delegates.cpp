#define QTEST_QPA_MOUSE_HANDLING
#include "support/PageTestSupport.h"
#include "view/CTreeViewCameraSelectionDelegate.h"
#include "view/CTreeViewDetailsDelegate.h"
#include "view/CTreeViewLabelDelegate.h"
#include "view/CTreeViewResultDelegate.h"
#include "view/CTreeViewStatusDelegate.h"

#include <QtTest>
#include <QtWidgets>

using namespace Plugin::FirmwareUpdater::Internal;
using Entity::CFirmwareUpdateEntity;
using Model::CFirmwareUpdateTreeModel;

namespace {

const QRgb Untouched = 0xff00ff;
const QRect Cell(10, 10, 260, 30);
enum { Hover = QStyle::State_MouseOver, Select = QStyle::State_Selected, Both = Hover | Select };
enum { First = QStyleOptionViewItem::Beginning, Middle, Last, Only };

enum Node { Layer, Type, Device, OtherDevice, Row1, Row2 };
enum Kind { Label, Details, Status, Result, Box };

struct Case
{
    int delegate;
    Node node;
    int state = 0;
    int position = Middle;
    bool enabled = true;
};

// A camera tree (models A, A and B on one transport layer) and a flat list.
struct Models
{
    QSharedPointer<CFirmwareUpdateTreeModel> tree
            = QSharedPointer<CFirmwareUpdateTreeModel>::create();
    QSharedPointer<CFirmwareUpdateTreeModel> list = PageTest::updateModel("Skipped,Skipped");

    explicit Models(const QString &first = QStringLiteral("a1"))
    {
        tree->buildFromTransportLayers(
                Fake::layers(QStringLiteral("%1:A/%1,A/a2,B/b1").arg(first)));
    }
    QModelIndex node(Node kind) const
    {
        const QModelIndex layer = tree->index(0, 0), type = tree->index(0, 0, layer);
        return QModelIndexList { layer,
                                 type,
                                 tree->index(0, 0, type),
                                 tree->index(0, 0, tree->index(1, 0, layer)),
                                 list->index(0, 0),
                                 list->index(1, 0) }
                .at(kind);
    }
};

CFirmwareUpdateEntity *entity(const QModelIndex &index)
{
    return static_cast<CFirmwareUpdateEntity *>(index.internalPointer());
}

// The five column delegates, in Kind order, owned by parent.
QAbstractItemDelegate *delegate(int kind, QObject *parent)
{
    return QVector<QAbstractItemDelegate *> { new View::CTreeViewLabelDelegate(parent),
                                              new View::CTreeViewDetailsDelegate(parent),
                                              new View::CTreeViewStatusDelegate(parent),
                                              new View::CTreeViewResultDelegate(parent),
                                              new View::CTreeViewCameraSelectionDelegate(parent) }
            .at(kind);
}

QImage paintCell(QAbstractItemDelegate *delegate, const QModelIndex &index, int state = 0,
                 int position = Middle)
{
    QImage image(300, 60, QImage::Format_RGB32);
    image.fill(Untouched);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = Cell;
    option.state = QStyle::State_Enabled | QStyle::State(state);
    option.viewItemPosition = QStyleOptionViewItem::ViewItemPosition(position);
    delegate->paint(&painter, option, index);
    return image;
}

// "left,top background [sep] [frame tlr]": where the content starts, its
// colour, the separator at the right and the edges of the hover frame.
QString describe(const QImage &image, const QRect &cell = Cell)
{
    const auto rgb = [&](int x, int y) {
        return image.pixel(x, y) & 0xffffff;
    };
    const int x = cell.right() - 5, y = cell.center().y();
    int left = 0, top = 0;
    while (rgb(cell.left() + left, cell.bottom()) == Untouched)
        ++left;
    while (rgb(x, cell.top() + top) == Untouched)
        ++top;
    QString text
            = QStringLiteral("%1,%2 %3").arg(left).arg(top).arg(rgb(x, cell.bottom() - 1), 0, 16);
    if (rgb(cell.right(), y) == 0xf0f0f0 || rgb(cell.right() - 1, y) == 0xf0f0f0)
        text += " sep";
    if (rgb(x, cell.bottom() + 1) != Untouched)
        text += ", ink below";
    // Frame edges, a blank for each one missing.
    const QPoint edges[] = { { x, cell.top() }, { cell.left() + left, y }, { cell.right(), y } };
    text += ' ';
    for (int i = 0; i < 3; ++i)
        text += rgb(edges[i].x(), edges[i].y()) == 0x99d1ff ? "tlr"[i] : ' ';
    return text.trimmed();
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

} // namespace

Q_DECLARE_METATYPE(Case)

class TestDelegates : public QObject
{
    Q_OBJECT

private slots:
    void cell_data()
    {
        QTest::addColumn<Case>("cell");
        QTest::addColumn<QString>("expected"); // height | painted | check box and editor margins

        QTest::newRow("row 1") << Case { Label, Row1 } << "27 | 0,4 ffffff sep";
        QTest::newRow("selected, last") << Case { Label, Row2, Select, Last } << "20 | 0,0 ccebff";
        QTest::newRow("type") << Case { Label, Type, Hover } << "25 | 0,1 e5f3ff sep";
        QTest::newRow("layer") << Case { Label, Layer, Both, Last } << "24 | 0,4 ffffff";
        QTest::newRow("framed") << Case { Label, Row2, Both, First } << "20 | 0,0 ccebff sep tl";
        QTest::newRow("framed, middle") << Case { Details, Row2, Both } << "0,0 ccebff sep t";
        QTest::newRow("framed, last") << Case { Status, Row2, Both, Last } << "0,0 ccebff t r";
        QTest::newRow("disabled") << Case { Result, Row2, Both, Last, false } << "0,0 ffffff";
        QTest::newRow("box, layer") << Case { Box, Layer, 0, Only } << "24 | 1,0 ffffff";
        QTest::newRow("box, type") << Case { Box, Type, 0, Only } << "25 | 2,1 ffffff | on 2,3";
        QTest::newRow("box") << Case { Box, Device, 0, Only } << "20 | 22,0 ffffff | on 22,0";
        QTest::newRow("B") << Case { Box, Device, 0, Only, false } << "20 | 22,0 ffffff | off 22,0";
        QTest::newRow("box, row 1") << Case { Box, Row1, 0, Only } << "27 | 2,4 ffffff | on 2,8";
        QTest::newRow("box, framed")
                << Case { Box, Device, Both, First } << "20 | 20,0 ccebff sep tl | on 22,0";
    }
    void cell()
    {
        QFETCH(Case, cell);
        Models models;
        CFirmwareUpdateEntity *shown = entity(models.node(cell.node));
        shown->setSelected(true);
        shown->setEnabled(cell.enabled);
        QSortFilterProxyModel proxy; // the entity is found through a proxy too
        proxy.setSourceModel(cell.node < Row1 ? models.tree.data() : models.list.data());
        const QModelIndex index = proxy.mapFromSource(models.node(cell.node));
        QObject owner;
        QAbstractItemDelegate *painter = delegate(cell.delegate, &owner);
        QStringList parts { describe(paintCell(painter, index, cell.state, cell.position)) };
        if (cell.delegate == Label || cell.delegate == Box)
            parts.prepend(QString::number(painter->sizeHint({}, index).height()));
        if (cell.delegate == Box && cell.node != Layer) {
            // A camera of another model shows the disabled box, unchecked.
            const QCheckBox *box = stampShowing<QCheckBox>(shown->data(0).toString());
            QWidget parent;
            const QMargins margins
                    = painter->createEditor(&parent, {}, index)->layout()->contentsMargins();
            parts << QStringLiteral("%1 %2,%3")
                             .arg(box->isEnabled() && box->isChecked() ? "on" : "off")
                             .arg(margins.left())
                             .arg(margins.top());
        }
        QTEST(parts.join(" | "), "expected");
    }

    // The width is the base delegate's for the text and font asked about
    // now, never one remembered for another name or font.
    void sizeHintWidth_data()
    {
        QTest::addColumn<int>("delegate");
        QTest::newRow("label") << int(Label);
        QTest::newRow("box") << int(Box);
    }
    void sizeHintWidth()
    {
        QFETCH(int, delegate);
        QObject owner;
        QAbstractItemDelegate *hints = ::delegate(delegate, &owner);
        const QStyledItemDelegate base;
        QStyleOptionViewItem large;
        large.font.setPixelSize(40);
        QVector<int> widths;
        for (const char *name : { "a1", "a1a1a1a1a1a1a1a1a1a1", "a1" }) {
            const Models models { QLatin1String(name) };
            const QModelIndex index = models.node(Device);
            for (const QStyleOptionViewItem &option : { QStyleOptionViewItem(), large }) {
                const QSize hint = hints->sizeHint(option, index);
                QCOMPARE(hint, QSize(base.sizeHint(option, index).width(), 20));
                widths << hint.width();
            }
        }
        QVERIFY(widths.at(0) < widths.at(1) && widths.at(0) < widths.at(2));
        QCOMPARE(widths.mid(4), widths.mid(0, 2));
    }

    void content_data()
    {
        QTest::addColumn<int>("delegate");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("shown"); // text | weight, rich text and icon size

        QTest::newRow("waiting") << int(Status) << 0 << 2 << "Waiting |";
        QTest::newRow("updating") << int(Status) << 1 << 2 << "Updating | bold 14x12";
        QTest::newRow("complete") << int(Status) << 2 << 0 << "Complete | 12x8";
        // A failed camera must never show the check mark.
        QTest::newRow("complete, failed") << int(Status) << 2 << 1 << "Complete | 12x11";
        QTest::newRow("failed") << int(Result) << 2 << 1 << "<b>Failed</b> | rich 12x11";
        QTest::newRow("label of an updating row") << int(Label) << 1 << 2 << "Cam c1 | bold";
    }
    void content()
    {
        QFETCH(int, delegate);
        QFETCH(int, status);
        QFETCH(int, result);
        QFETCH(QString, shown);
        Models models;
        const QModelIndex index = models.node(Row1);
        CFirmwareUpdateEntity *row = entity(index);
        QObject owner;
        QAbstractItemDelegate *painter = ::delegate(delegate, &owner);
        // A state with an icon first: the next paint must replace it.
        row->setUpdateStatus(CFirmwareUpdateEntity::Updating);
        paintCell(painter, index);
        row->setUpdateStatus(CFirmwareUpdateEntity::EFirmwareUpdateStatus(status));
        row->setUpdateResult(CFirmwareUpdateEntity::EFirmwareUpdateResult(result));
        paintCell(painter, index);

        QLabel *label = stampShowing<QLabel>(shown.section(QLatin1String(" |"), 0, 0));
        QVERIFY(label);
        QStringList look { label->text() + " |", label->font().bold() ? "bold" : "",
                           label->textFormat() == Qt::RichText ? "rich" : "" };
        if (QWidget *iconCell = label->parentWidget()) {
            const QPixmap icon = iconCell->findChild<QLabel *>()->pixmap(Qt::ReturnByValue);
            if (!icon.isNull())
                look << QStringLiteral("%1x%2").arg(icon.width()).arg(icon.height());
        }
        look.removeAll({});
        QCOMPARE(look.join(' '), shown);
    }

    void namesArePlainText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("buttonText");
        QTest::addColumn<QString>("labelText");

        // In a check box an '&' would mark a shortcut and vanish. Both rows of a
        // name shared with a2 show the model's text, the name with the camera's id.
        const char *rows[][4] = {
            { "markup", "<b>Cam", "Cam <b>Cam", "Cam <b>Cam" },
            { "image", "<img src=x>", "Cam <img src=x>", "Cam <img src=x>" },
            { "ampersand", "A&D", "Cam A&&D", "Cam A&D" },
            { "name shared with a2", "a2", "Cam a2 (a2)", "Cam a2 (a2)" },
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]) << QString(row[3]);
    }
    void namesArePlainText()
    {
        QFETCH(QString, name);
        QFETCH(QString, buttonText);
        QFETCH(QString, labelText);
        Models models(name);
        QObject owner;
        paintCell(delegate(Label, &owner), models.node(Device));
        QAbstractItemDelegate *box = delegate(Box, &owner);
        paintCell(box, models.node(Device));
        paintCell(box, models.node(Layer));
        QVERIFY(stampShowing<QCheckBox>(buttonText));
        for (const QString &caption : { labelText, "Layer " + name }) {
            const QLabel *label = stampShowing<QLabel>(caption);
            QVERIFY2(label && label->textFormat() == Qt::PlainText, qPrintable(caption));
        }
    }

    void firstListRowOnScreen_data()
    {
        QTest::addColumn<int>("delegate");
        QTest::addColumn<bool>("focused"); // the view has the keyboard, row 1 is current
        QTest::addColumn<QString>("rows");

        QTest::newRow("label") << int(Label) << false
                               << "0,4 ffffff sep, ink below | 0,0 ffffff sep";
        QTest::newRow("check box")
                << int(Box) << false << "2,4 ffffff sep, ink below | 2,0 ffffff sep";
        // The focus frame, in the highlight colour, runs round the current row only.
        QTest::newRow("label, focused")
                << int(Label) << true << "0,0 308cc6 sep, ink below | 0,0 ffffff sep";
        QTest::newRow("check box, focused")
                << int(Box) << true << "0,0 308cc6 sep, ink below | 2,0 ffffff sep";
    }
    void firstListRowOnScreen()
    {
        QFETCH(int, delegate);
        QFETCH(bool, focused);
        QFETCH(QString, rows);
        Models models;
        QTreeView view;
        QPalette palette = view.palette();
        palette.setColor(QPalette::Base, Untouched);
        palette.setColor(QPalette::Highlight, QColor(0x308cc6));
        view.setPalette(palette);
        view.setModel(models.list.data());
        view.setItemDelegate(::delegate(delegate, &view));
        view.setRootIsDecorated(false);
        view.resize(400, 200);
        view.header()->resizeSection(0, 300);
        if (!focused)
            view.setFocusPolicy(Qt::NoFocus);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        if (focused) {
            view.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&view));
            view.setFocus(Qt::TabFocusReason);
            QVERIFY(view.hasFocus() && view.currentIndex().row() == 0);
        }

        // The viewport as painted into its window and as rendered on request.
        const QRect viewport(view.viewport()->mapTo(&view, QPoint()), view.viewport()->size());
        for (const QImage &image :
             { view.grab().toImage().copy(viewport),
               view.screen()->grabWindow(view.winId()).toImage().copy(viewport) }) {
            QCOMPARE(describe(image, view.visualRect(models.node(Row1))) + " | "
                             + describe(image, view.visualRect(models.node(Row2))),
                     rows);
        }
    }

    // A tool tip the model gives wins over the cell's own full text.
    void modelToolTipWins()
    {
        struct TipProxy : QSortFilterProxyModel
        {
            QVariant data(const QModelIndex &index, int role) const override
            {
                return role == Qt::ToolTipRole ? QVariant("Model tip")
                                               : QSortFilterProxyModel::data(index, role);
            }
        };
        Models models;
        TipProxy proxy;
        proxy.setSourceModel(models.list.data());
        QTreeView view;
        view.setModel(&proxy);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QModelIndex index = proxy.index(0, 0);
        QStyleOptionViewItem option;
        option.rect = view.visualRect(index);
        QHelpEvent event(QEvent::ToolTip, option.rect.center(),
                         view.viewport()->mapToGlobal(option.rect.center()));
        for (int kind : { Label, Details, Status, Result, Box }) {
            QToolTip::hideText();
            QVERIFY(delegate(kind, &view)->helpEvent(&event, &view, option, index));
            QCOMPARE(QToolTip::text(), "Model tip");
        }
    }

    void selectionEditing()
    {
        Models models;
        View::CCameraSelectionDialog page;
        page.setTreeModel(models.tree);
        page.show();
        page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        auto *view = page.findChild<QTreeView *>(QStringLiteral("cameraTreeView"));
        auto &proxy = *qobject_cast<QSortFilterProxyModel *>(view->model());
        const QModelIndex a1Index = models.node(Device), b1Index = models.node(OtherDevice);
        const auto openEditor = [&](const QModelIndex &source) {
            const QModelIndex index = proxy.mapFromSource(source);
            QTest::mouseMove(view->viewport(), view->visualRect(index).center());
            return view->indexWidget(index);
        };
        CFirmwareUpdateEntity *a1 = entity(a1Index), *typeA = entity(models.node(Type)),
                              *b1 = entity(b1Index);
        // Clicks the editor's box; "checked a1, A, b1 [b1 off] | selected cameras".
        const auto toggle = [&](QWidget *editor) {
            auto *box = editor->findChild<QCheckBox *>();
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); // on the mark
            QString text;
            for (const CFirmwareUpdateEntity *checked : { a1, typeA, b1 })
                text += checked->selected() ? '1' : '0';
            text += b1->enabled() ? " |" : " b1 off |";
            for (const auto &camera : models.tree->selectedCameras())
                text += ' ' + camera->data(0).toString();
            return text;
        };

        QWidget *editor = openEditor(a1Index);
        QVERIFY(editor);
        QCOMPARE(toggle(editor), "110 b1 off | Cam a1"); // the rule applies through the proxy
        // The editor stays open for the next toggle, without moving the mouse.
        QCOMPARE(view->indexWidget(proxy.mapFromSource(a1Index)), editor);
        QCOMPARE(toggle(editor), "000 |");
        QCOMPARE(toggle(editor), "110 b1 off | Cam a1");

        // A camera of the other model cannot be checked meanwhile.
        QWidget *other = openEditor(b1Index);
        QVERIFY(other && !view->indexWidget(proxy.mapFromSource(a1Index)));
        QCOMPARE(toggle(other), "110 b1 off | Cam a1");
        QVERIFY(!openEditor(models.node(Layer)));
    }
};

QTEST_MAIN(TestDelegates)
#include "tst_view_delegates.moc"
