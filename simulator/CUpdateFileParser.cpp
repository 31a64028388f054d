#include "simulator/CUpdateFileParser.h"

#include "simulator/CJsonFileReader.h"

#include "host/BaseException.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QMetaEnum>

#include <algorithm>
#include <cmath>

namespace Simulator {

using Core::Exception::BaseException;
using Plugin::Dorvix::EFirmwareUpdateStep;

namespace {

[[noreturn]] void fail(const QString &where, const QString &problem)
{
    throw BaseException(QStringLiteral("%1: %2").arg(where, problem));
}

QString optionalString(const QJsonObject &object, const QString &key, const QString &where,
                       const QString &fallback = QString())
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return fallback;
    if (!value.isString())
        fail(where, QStringLiteral("\"%1\" must be a string.").arg(key));
    return value.toString();
}

QString requiredString(const QJsonObject &object, const QString &key, const QString &where)
{
    const QJsonValue value = object.value(key);
    if (!value.isString() || value.toString().trimmed().isEmpty())
        fail(where, QStringLiteral("\"%1\" must be a non-empty string.").arg(key));
    return value.toString();
}

QStringList stringList(const QJsonObject &object, const QString &key, const QString &where,
                       bool required)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() && !required)
        return {};
    const QString problem
            = QStringLiteral("\"%1\" must be %2 list of non-empty strings.")
                      .arg(key, required ? QStringLiteral("a non-empty") : QStringLiteral("a"));
    if (!value.isArray())
        fail(where, problem);
    QStringList list;
    for (const QJsonValue &entry : value.toArray()) {
        if (!entry.isString() || entry.toString().isEmpty())
            fail(where, problem);
        list.append(entry.toString());
    }
    if (required && list.isEmpty())
        fail(where, problem);
    return list;
}

EFirmwareUpdateStep requiredStep(const QJsonObject &object, const QString &where)
{
    EFirmwareUpdateStep step;
    if (!CUpdateFileParser::parseStep(object.value(QStringLiteral("step")), step))
        fail(where,
             QStringLiteral("\"step\" must be a step name such as \"FileUpload\" or a number "
                            "from 0 to 7."));
    return step;
}

CSimulatedFirmwareUpdateInfo::Phase parsePhase(const QJsonValue &value, const QString &where)
{
    if (!value.isObject())
        fail(where, QStringLiteral("must be an object."));
    const QJsonObject object = value.toObject();
    CSimulatedFirmwareUpdateInfo::Phase phase;
    phase.step = requiredStep(object, where);
    const QJsonValue ms = object.value(QStringLiteral("estimatedMs"));
    const double number = ms.toDouble(-1.0);
    if (!ms.isDouble() || number < 0.0 || number > CUpdateFileParser::MaxPhaseMs
        || std::floor(number) != number)
        fail(where,
             QStringLiteral("\"estimatedMs\" must be a whole number from 0 to %1.")
                     .arg(CUpdateFileParser::MaxPhaseMs));
    phase.estimatedMs = static_cast<unsigned int>(number);
    phase.description = optionalString(object, QStringLiteral("description"), where);
    return phase;
}

SimulatedFirmwareUpdateInfoPtr parseUpdate(const QJsonValue &value, const QString &where,
                                           const QString &fileName)
{
    if (!value.isObject())
        fail(where, QStringLiteral("must be an object."));
    const QJsonObject object = value.toObject();

    CSimulatedFirmwareUpdateInfo::Description update;
    update.version = requiredString(object, QStringLiteral("version"), where);
    update.fileName = optionalString(object, QStringLiteral("fileName"), where, fileName);
    update.description = optionalString(object, QStringLiteral("description"), where);
    update.releaseNotes = optionalString(object, QStringLiteral("releaseNotes"), where);
    update.modelNames = stringList(object, QStringLiteral("models"), where, true);
    update.cameraIds = stringList(object, QStringLiteral("cameraIds"), where, false);

    const QJsonValue phases = object.value(QStringLiteral("phases"));
    if (!phases.isArray() || phases.toArray().isEmpty()
        || phases.toArray().size() > CUpdateFileParser::MaxPhases)
        fail(where,
             QStringLiteral("\"phases\" must be a list of 1 to %1 phases.")
                     .arg(CUpdateFileParser::MaxPhases));
    const QJsonArray phaseArray = phases.toArray();
    for (int i = 0; i < phaseArray.size(); ++i)
        update.phases.append(
                parsePhase(phaseArray.at(i), QStringLiteral("%1, phase %2").arg(where, QString::number(i + 1))));

    const QJsonValue failure = object.value(QStringLiteral("failure"));
    if (!failure.isUndefined()) {
        const QString failureWhere = QStringLiteral("%1, failure").arg(where);
        if (!failure.isObject())
            fail(failureWhere, QStringLiteral("must be an object."));
        update.failureInjected = true;
        update.failureStep = requiredStep(failure.toObject(), failureWhere);
        update.failureMessage
                = requiredString(failure.toObject(), QStringLiteral("message"), failureWhere);
        const QJsonValue times = failure.toObject().value(QStringLiteral("times"));
        // toInt() gives 0 for fractions and for numbers beyond int.
        if (!times.isUndefined() && times.toInt() < 1)
            fail(failureWhere, QStringLiteral("\"times\" must be a whole number from 1."));
        update.failureTimes = times.toInt();
        const bool inPhases = std::any_of(
                update.phases.cbegin(), update.phases.cend(),
                [&update](const auto &phase) { return phase.step == update.failureStep; });
        if (!inPhases)
            fail(failureWhere, QStringLiteral("\"step\" names no phase of this update."));
    }
    const QJsonValue keepsOld = object.value(QStringLiteral("keepsOldFirmware"));
    if (!keepsOld.isUndefined() && !keepsOld.isBool())
        fail(where, QStringLiteral("\"keepsOldFirmware\" must be true or false."));
    update.keepsOldFirmware = keepsOld.toBool();
    return SimulatedFirmwareUpdateInfoPtr::create(update);
}

} // namespace

bool CUpdateFileParser::parseStep(const QJsonValue &value, EFirmwareUpdateStep &step)
{
    const QMetaEnum steps = QMetaEnum::fromType<EFirmwareUpdateStep>();
    int number = -1;
    if (value.isString()) {
        bool ok = false;
        number = steps.keyToValue(value.toString().toUtf8().constData(), &ok);
        if (!ok)
            return false;
    } else if (value.isDouble()) {
        const double d = value.toDouble();
        if (std::floor(d) != d || d < 0.0 || d > Plugin::Dorvix::Invalid)
            return false;
        number = static_cast<int>(d);
    } else {
        return false;
    }
    if (!steps.valueToKey(number))
        return false;
    step = static_cast<EFirmwareUpdateStep>(number);
    return true;
}

QVector<SimulatedFirmwareUpdateInfoPtr> CUpdateFileParser::readFile(const QString &filePath)
{
    const QJsonObject root = CJsonFileReader::readObject(filePath, QStringLiteral("Update file"));
    return parse(root, QFileInfo(filePath).fileName());
}

QVector<SimulatedFirmwareUpdateInfoPtr> CUpdateFileParser::parse(const QJsonObject &root,
                                                                 const QString &fileName)
{
    const QString where = QStringLiteral("Update file \"%1\"").arg(fileName);
    const QJsonValue updates = root.value(QStringLiteral("updates"));
    if (!updates.isArray() || updates.toArray().isEmpty())
        fail(where, QStringLiteral("\"updates\" must be a non-empty list of updates."));
    QVector<SimulatedFirmwareUpdateInfoPtr> infos;
    const QJsonArray array = updates.toArray();
    for (int i = 0; i < array.size(); ++i)
        infos.append(parseUpdate(array.at(i), QStringLiteral("%1, update %2").arg(where, QString::number(i + 1)),
                                 fileName));
    return infos;
}

} // namespace Simulator
