#include "sandbox/CSandboxCommandLine.h"

#include <QDir>
#include <QFileInfo>

namespace Sandbox {

namespace {

// The application object does not exist yet when the defaults are needed.
QString executableDir()
{
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).path();
}

bool runsFromBuildFolder()
{
    return executableDir() == QFileInfo(QStringLiteral(FU_SANDBOX_BUILD_DIR)).canonicalFilePath();
}

QString installed(const char *relativePath)
{
    return QDir::cleanPath(QDir(executableDir()).filePath(QString::fromUtf8(relativePath)));
}

// Qt reads "-name" and "--name" alike; anything else names no option.
QString optionName(const QString &argument)
{
    if (argument.startsWith(QLatin1String("--")))
        return argument.mid(2);
    if (argument.startsWith(QLatin1Char('-')))
        return argument.mid(1);
    return QString();
}

} // namespace

CSandboxCommandLine::CSandboxCommandLine(int argc, char **argv,
                                         const QList<QCommandLineOption> &options)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    for (const QString &argument : joinValues(arguments, options, &m_errorText))
        m_storage << argument.toLocal8Bit();
    for (QByteArray &argument : m_storage)
        m_argv.push_back(argument.data());
    m_argc = int(m_storage.size());
    m_argv.push_back(nullptr);
}

QStringList CSandboxCommandLine::joinValues(const QStringList &arguments,
                                            const QList<QCommandLineOption> &options,
                                            QString *errorText)
{
    QStringList valueNames;
    for (const QCommandLineOption &option : options) {
        if (!option.valueName().isEmpty())
            valueNames << option.names();
    }
    QStringList joined = arguments.mid(0, 1);
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--")) {
            joined << arguments.mid(i);
            break;
        }
        const QString name = optionName(argument);
        if (!valueNames.contains(name)) {
            joined << argument;
        } else if (i + 1 < arguments.size()) {
            joined << QStringLiteral("--%1=%2").arg(name, arguments.at(++i));
        } else {
            if (errorText)
                *errorText = QStringLiteral("Missing value after '%1'.").arg(argument);
            joined << argument;
        }
    }
    return joined;
}

QString CSandboxCommandLine::defaultPluginFile()
{
    return runsFromBuildFolder() ? QStringLiteral(FU_SANDBOX_PLUGIN_FILE)
                                 : installed(FU_SANDBOX_INSTALLED_PLUGIN_FILE);
}

QString CSandboxCommandLine::defaultSamplesDir()
{
    return runsFromBuildFolder() ? QStringLiteral(FU_SANDBOX_SAMPLES_DIR)
                                 : installed(FU_SANDBOX_INSTALLED_SAMPLES_DIR);
}

} // namespace Sandbox
