// How the pages look under the settings users have: registered with CTest at
// several QT_SCALE_FACTOR values, each case also under a dark palette and in
// every shipped language.
#include "support/PageTestSupport.h"
#include "view/TreeDelegatePainting.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <QToolTip>
#include <QTranslator>
#include <QTreeView>
#include <QXmlStreamReader>
#include <QtTest>

using namespace PageTest;

namespace {

double luminance(QRgb rgb)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb))
            + 0.0722 * channel(qBlue(rgb));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// The strongest contrast of any pixel in area against the area's most
// common colour, its background: what the darkest stroke of its text gives.
double inkContrast(const QImage &image, const QRect &area, QRgb *backgroundOut = nullptr)
{
    QHash<QRgb, int> counts;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000];
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most)
            std::tie(background, most) = std::make_pair(it.key(), it.value());
    }
    double best = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = qMax(best, contrast(it.key(), background));
    if (backgroundOut)
        *backgroundOut = background;
    return best;
}

QPalette darkPalette()
{
    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    return dark;
}

// A page with content: a camera tree on page 1, three results on pages 3 to 5.
struct FilledPage
{
    std::unique_ptr<CUpdateDialogBase> page;
    QSharedPointer<CFirmwareUpdateTreeModel> model;
    QTreeView *view = nullptr;

    explicit FilledPage(int number, const QString &results = QStringLiteral("OK,Failed,Skipped"))
        : page(makePage(number))
    {
        if (number == 1) {
            model = QSharedPointer<CFirmwareUpdateTreeModel>::create();
            model->buildFromTransportLayers(Fake::layers(QStringLiteral("tl1:A/c1,A/c2;tl2:B/c3")));
        } else if (number > 2) {
            model = updateModel(results);
        }
        if (model)
            page->setTreeModel(model);
        if (auto *summary = qobject_cast<CUpdateSummaryDialog *>(page.get()))
            summary->setDowngradeWarningVisible(true);
        if (auto *file = qobject_cast<CUpdateSelectionDialog *>(page.get()))
            file->setUpdateFilePath(QStringLiteral("/data/A1-20_1.5.0.guf"));
        if (auto *progress = qobject_cast<CFirmwareUpdateDialog *>(page.get()))
            progress->setProgressText(1, 3);
        if (auto *result = qobject_cast<CResultSummaryDialog *>(page.get())) {
            result->refreshResults();
            result->setErrorMessage(QStringLiteral("Upload failed"), false);
        }
        view = page->findChild<QTreeView *>(QStringLiteral("cameraTreeView"));
        page->show();
    }
    // Every visible cell with its source entity.
    QModelIndexList cells(const QModelIndex &parent = {}) const
    {
        QModelIndexList result;
        const QAbstractItemModel *shown = view->model();
        for (int row = 0; row < shown->rowCount(parent); ++row) {
            for (int column = 0; column < shown->columnCount(parent); ++column) {
                const QModelIndex index = shown->index(row, column, parent);
                if (!view->isColumnHidden(column)
                    && view->viewport()->rect().contains(view->visualRect(index)))
                    result << index;
            }
            result << cells(shown->index(row, 0, parent));
        }
        return result;
    }
};

// A rectangle of logical pixels on an image of physical ones.
QRect physical(const QRect &logical, const QImage &image)
{
    const qreal ratio = image.devicePixelRatio();
    return QRectF(QPointF(logical.topLeft()) * ratio, QSizeF(logical.size()) * ratio).toRect();
}

// The catalogue's translations, as a user reads them.
QStringList translations(const QString &language)
{
    QFile file(QStringLiteral(FU_SOURCE_DIR "/resources/translations/FirmwareUpdater_%1.ts")
                       .arg(language));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList result;
    QXmlStreamReader xml(&file);
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (xml.isStartElement() && xml.name() == QLatin1String("translation")) {
            const QString text = xml.readElementText();
            result << (Qt::mightBeRichText(text)
                               ? QTextDocumentFragment::fromHtml(text).toPlainText()
                               : text);
        } else if (!xml.isStartElement()) {
            xml.readNext();
        }
    }
    return result;
}

} // namespace

class TestPageLook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        catchWarnings();
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }
    void cleanup()
    {
        QApplication::setPalette(QApplication::style()->standardPalette());
        QCOMPARE(std::exchange(caughtWarnings, {}), QStringList());
    }

    void pages_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("dark");
        for (int page : { 1, 2, 3, 4, 5 }) {
            QTest::addRow("page %d", page) << page << false;
            QTest::addRow("page %d, dark", page) << page << true;
        }
    }
    // Every cell's text lands inside the cell at every scale, text reads well
    // on its background under light and dark palettes alike, and the buttons
    // share one font.
    void pages()
    {
        QFETCH(int, page);
        QFETCH(bool, dark);
        if (dark)
            QApplication::setPalette(darkPalette());
        FilledPage filled(page);
        filled.page->resize(640, 700);
        QVERIFY(QTest::qWaitForWindowExposed(filled.page.get()));
        const QImage image = filled.page->grab().toImage();

        QStringList faults;
        for (QWidget *widget : filled.page->findChildren<QWidget *>()) {
            const auto *label = qobject_cast<QLabel *>(widget);
            const auto *field = qobject_cast<QLineEdit *>(widget);
            if ((!label || label->text().isEmpty()) && (!field || field->text().isEmpty()))
                continue;
            if (!widget->isVisible() || widget->width() < 8)
                continue;
            const QRect area(widget->mapTo(filled.page.get(), QPoint()), widget->size());
            QRgb background = 0;
            const double ratio = inkContrast(image, physical(area, image), &background);
            // A field is as light as the page around it.
            if (ratio < 4.5 || (field && luminance(background) < 0.8))
                faults << QStringLiteral("%1 %2").arg(widget->objectName()).arg(ratio, 0, 'f', 1);
        }
        if (filled.view) {
            const QImage cells = filled.view->viewport()->grab().toImage();
            const QModelIndexList indexes = filled.cells();
            QVERIFY(indexes.size() > 2);
            for (const QModelIndex &index : indexes) {
                const double ratio
                        = inkContrast(cells, physical(filled.view->visualRect(index), cells));
                if (ratio < 4.5)
                    faults << QStringLiteral("cell %1,%2 %3")
                                      .arg(index.data().toString())
                                      .arg(index.column())
                                      .arg(ratio, 0, 'f', 1);
            }
        }
        // The standard buttons keep the page font, as "Next" does.
        const QFont pageFont = filled.page->font();
        for (QAbstractButton *button : filled.page->findChild<QDialogButtonBox *>()->buttons()) {
            if (button->font().family() != pageFont.family()
                || QFontInfo(button->font()).pixelSize() != QFontInfo(pageFont).pixelSize())
                faults << button->text() + " font";
        }
        QCOMPARE(faults.join(", "), QString());
    }

    void checkBoxUnderMouse_data()
    {
        QTest::addColumn<QString>("camera");
        QTest::newRow("first") << "Cam c1";
        QTest::newRow("second") << "Cam c2";
        QTest::newRow("other layer") << "Cam c3";
    }
    // A click on the box drawn in a camera's row toggles that camera only.
    void checkBoxUnderMouse()
    {
        QFETCH(QString, camera);
        FilledPage filled(1);
        QVERIFY(QTest::qWaitForWindowExposed(filled.page.get()));
        QTreeView *view = filled.view;
        QModelIndex index;
        for (const QModelIndex &cell : filled.cells())
            if (cell.data().toString() == camera)
                index = cell;
        QVERIFY(index.isValid());

        // The drawn box: the first mark from the left, half way down the row.
        const QImage image = view->viewport()->grab().toImage();
        const QRect row = physical(view->visualRect(index), image);
        const QRgb background = image.pixel(row.right() - 2, row.center().y());
        int x = row.left();
        while (x < row.right() && contrast(image.pixel(x, row.center().y()), background) < 1.3)
            ++x;
        QVERIFY(x < row.center().x());
        const QPoint onBox(qRound((x + 3) / image.devicePixelRatio()),
                           view->visualRect(index).center().y());

        QTest::mouseMove(view->viewport(), onBox);
        QWidget *under = view->viewport()->childAt(onBox);
        QVERIFY(under);
        QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(view->viewport(), onBox));
        QStringList selected;
        for (const auto &checked : filled.model->selectedCameras())
            selected << checked->data(0).toString();
        QCOMPARE(selected, QStringList { camera });
    }

    void languages_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("ja") << "ja";
        QTest::newRow("ko") << "ko";
        QTest::newRow("zh") << "zh";
    }
    // Every translated text has a glyph for each character in the fonts the
    // pages resolve to (no boxes), the headers follow the switch, and rows
    // are high enough for the language's script.
    void languages()
    {
        QFETCH(QString, language);
        const QStringList texts = translations(language);
        QVERIFY(texts.size() > 20);
        FilledPage filled(4, QStringLiteral("OK,OK"));
        QStringList missing;
        for (const QFont &font : { filled.page->font(), TreeDelegatePainting::cellFont() }) {
            for (const QString &text : texts) {
                QTextLayout layout(text, font);
                layout.beginLayout();
                layout.createLine();
                layout.endLayout();
                for (const QGlyphRun &run : layout.glyphRuns()) {
                    if (run.glyphIndexes().contains(0))
                        missing << text;
                }
            }
        }
        missing.removeDuplicates();
        QCOMPARE(missing, QStringList());

        FilledPage file(2);
        QTranslator translator;
        QVERIFY(translator.load(
                QStringLiteral(":/translation/FirmwareUpdater_%1.qm").arg(language)));
        QCoreApplication::installTranslator(&translator);
        QCoreApplication::processEvents();
        QStringList narrow;
        for (QWidget *widget : file.page->findChildren<QWidget *>(
                     QRegularExpression(QStringLiteral("^update.*Label$|^browseButton$")))) {
            const auto *label = qobject_cast<QLabel *>(widget);
            const QString text
                    = label ? label->text() : qobject_cast<QPushButton *>(widget)->text();
            if (!text.isEmpty() && widget->width() < widget->fontMetrics().horizontalAdvance(text))
                narrow << text;
        }
        const QString header
                = filled.view->header()->model()->headerData(0, Qt::Horizontal).toString();
        const QRect row = filled.view->visualRect(filled.view->model()->index(1, 0));
        const QString status = QCoreApplication::translate(
                "Plugin::FirmwareUpdater::Internal::View::CTreeViewStatusDelegate", "Waiting");
        const int needed = QFontMetrics(TreeDelegatePainting::cellFont())
                                   .boundingRect(QRect(), Qt::TextSingleLine, status)
                                   .height();
        QCoreApplication::removeTranslator(&translator);
        QVERIFY2(header != QLatin1String("Cameras"), qPrintable(header));
        QCOMPARE(narrow, QStringList());
        QVERIFY2(row.height() >= needed,
                 qPrintable(QStringLiteral("%1 < %2").arg(row.height()).arg(needed)));
    }

    void toolTips_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("name"); // of the first camera; on page 1 of its model
        QTest::addColumn<int>("width"); // of the firmware column
        QTest::addColumn<QString>("tips"); // the header's, then the name cell's first line
        const QString longName = QStringLiteral("c1 on the bench by the left window <b>");
        QTest::newRow("model fits") << 1 << "A" << 0 << "";
        QTest::newRow("model cut") << 1 << longName.repeated(3) << 0 << longName.repeated(3);
        // Camera rows give their identity instead, the full name first.
        QTest::newRow("camera fits") << 3 << "c1" << 200 << " | Name: Cam c1";
        QTest::newRow("camera and header cut")
                << 3 << longName << 70 << "Current Firmware | Name: Cam " + longName;
    }
    // Text cut short in a cell or a header shows whole in a tool tip.
    void toolTips()
    {
        QFETCH(int, page);
        QFETCH(QString, name);
        QFETCH(int, width);
        QFETCH(QString, tips);
        FilledPage filled(page, QStringLiteral("OK"));
        QVERIFY(QTest::qWaitForWindowExposed(filled.page.get()));
        QModelIndex index;
        if (page == 1) {
            filled.model->buildFromTransportLayers(Fake::layers("tl1:" + name + "/c1"));
            filled.page->setTreeModel(filled.model);
            filled.view->expandAll();
            index = filled.view->model()->index(0, 0, filled.view->model()->index(0, 0));
        } else {
            index = filled.view->model()->index(0, CFirmwareUpdateEntity::DisplayName);
            auto *entity = static_cast<CFirmwareUpdateEntity *>(index.internalPointer());
            entity->setCameraInfo(Fake::camera(name, QStringLiteral("M"), QStringLiteral("tl")));
        }
        const auto tip = [](QWidget *viewport, const QPoint &at) {
            QToolTip::hideText();
            QHelpEvent event(QEvent::ToolTip, at, viewport->mapToGlobal(at));
            QApplication::sendEvent(viewport, &event);
            QTextDocument document;
            document.setHtml(QToolTip::isVisible() ? QToolTip::text() : QString());
            return document.toPlainText().section(QLatin1Char('\n'), 0, 0);
        };
        // The header first: a tip shown stays visible a moment after hideText().
        QString shown;
        if (page != 1) {
            QHeaderView *header = filled.view->header();
            const int section = CFirmwareUpdateEntity::CurrentFirmware;
            header->resizeSection(section, width);
            shown = tip(header->viewport(),
                        QPoint(header->sectionViewportPosition(section) + 30, header->height() / 2))
                    + " | ";
        }
        shown += tip(filled.view->viewport(), filled.view->visualRect(index).center());
        caughtWarnings.removeAll(QStringLiteral("This plugin does not support raise()"));
        QCOMPARE(shown, tips);
    }

    void treeTakesRoom_data()
    {
        QTest::addColumn<int>("page");
        for (int page : { 1, 3, 4, 5 })
            QTest::addRow("page %d", page) << page;
    }
    // Extra height goes to the tree; many rows scroll up and down, never sideways.
    void treeTakesRoom()
    {
        QFETCH(int, page);
        FilledPage filled(page, QStringLiteral("OK,").repeated(29) + QStringLiteral("OK"));
        QVERIFY(QTest::qWaitForWindowExposed(filled.page.get()));
        filled.page->resize(570, 556);
        QCoreApplication::processEvents();
        // The page's smallest height still leaves three rows in view.
        QTRY_VERIFY(filled.view->viewport()->height() >= 3 * filled.view->sizeHintForRow(0));
        // Once the spacers the tree's minimum squeezed have their room back,
        // all further height goes to the tree.
        filled.page->resize(570, 680);
        QCoreApplication::processEvents();
        const int before = filled.view->height();
        filled.page->resize(570, 824);
        QCoreApplication::processEvents();
        QCOMPARE(filled.view->height() - before, 144);
        if (page > 1) {
            QVERIFY(filled.view->verticalScrollBar()->isVisible());
            QTRY_VERIFY(!filled.view->horizontalScrollBar()->isVisible());
        }
    }

    // Page 4 changes its window flags; the window must neither show before
    // it is placed nor leave its place.
    void cancelKeepsPlace()
    {
        CFirmwareUpdateDialog page;
        page.move(120, 80);
        page.setCancelEnabled(true);
        QVERIFY(!page.isVisible());
        page.show();
        page.setCancelEnabled(false);
        QVERIFY(page.isVisible());
        QCOMPARE(page.pos(), QPoint(120, 80));
    }
};

QTEST_MAIN(TestPageLook)
#include "tst_page_look.moc"
