#pragma once

// Helpers for the page tests: a guard that turns every warning the widgets
// print into a failure, flat update lists written in a few words, and the
// parts of a label's rich text that a user can see or follow.

#include "model/CFirmwareUpdateTreeModel.h"
#include "support/FakeCameras.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSharedPointer>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>

namespace PageTest {

using Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity;
using Plugin::FirmwareUpdater::Internal::Model::CFirmwareUpdateTreeModel;

// Install in initTestCase(), check take() in cleanup().
class WarningCatcher
{
public:
    WarningCatcher() { previous() = qInstallMessageHandler(&WarningCatcher::handle); }
    ~WarningCatcher() { qInstallMessageHandler(previous()); }

    static QStringList take()
    {
        QStringList result;
        result.swap(messages());
        return result;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtWarningMsg || type == QtCriticalMsg)
            messages().append(message);
        if (previous())
            previous()(type, context, message);
    }
    static QtMessageHandler &previous()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    static QStringList &messages()
    {
        static QStringList list;
        return list;
    }
};

// "OK,Failed,Skipped": one camera device per entry, ids c1, c2, ... in order.
inline QSharedPointer<CFirmwareUpdateTreeModel> updateModel(const QString &results)
{
    QList<CFirmwareUpdateEntity *> entities;
    const QStringList names = results.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (int i = 0; i < names.size(); ++i) {
        auto *entity = new CFirmwareUpdateEntity;
        entity->setEntityType(CFirmwareUpdateEntity::CameraDevice);
        entity->setCameraInfo(Fake::camera(QStringLiteral("c%1").arg(i + 1), QStringLiteral("M"),
                                           QStringLiteral("tl")));
        entity->setSelected(true);
        entity->setSelectedFirmware(QStringLiteral("2.0.0"));
        const QString &name = names.at(i);
        entity->setUpdateResult(name == QLatin1String("OK") ? CFirmwareUpdateEntity::OK
                                        : name == QLatin1String("Failed")
                                        ? CFirmwareUpdateEntity::Failed
                                        : CFirmwareUpdateEntity::Skipped);
        entities.append(entity);
    }
    auto model = QSharedPointer<CFirmwareUpdateTreeModel>::create();
    model->setEntities(entities);
    return model;
}

inline QPushButton *button(QWidget *page, const QString &text)
{
    auto *box = page->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    for (QAbstractButton *candidate : box->buttons()) {
        if (candidate->text() == text)
            return qobject_cast<QPushButton *>(candidate);
    }
    return nullptr;
}

// What a rich-text label shows and where its links lead.
struct RichText
{
    QString plain;
    QStringList links;
};

inline RichText parse(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    RichText result { document.toPlainText(), {} };
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor() && !result.links.contains(format.anchorHref()))
                result.links.append(format.anchorHref());
        }
    }
    return result;
}

} // namespace PageTest
