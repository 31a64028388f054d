#pragma once

#include <QByteArrayList>
#include <QCommandLineOption>
#include <QStringList>

#include <vector>

namespace Sandbox {

// The sandbox's argv, made safe from QApplication: Qt takes options of its
// own out of argv before the sandbox parses it ("-plugin PATH" among them),
// so every sandbox option given as "--name value" is joined into one
// "--name=value" argument first, which Qt leaves alone.
class CSandboxCommandLine
{
public:
    CSandboxCommandLine(int argc, char **argv, const QList<QCommandLineOption> &options);

    // For QApplication; they live as long as this object.
    int &argc() { return m_argc; }
    char **argv() { return m_argv.data(); }
    // Set when an option that takes a value ends the command line.
    QString errorText() const { return m_errorText; }

    static QStringList joinValues(const QStringList &arguments,
                                  const QList<QCommandLineOption> &options,
                                  QString *errorText = nullptr);

    // The build's files when the sandbox runs from its build folder, else
    // the installed ones next to it.
    static QString defaultPluginFile();
    static QString defaultSamplesDir();

private:
    QByteArrayList m_storage;
    std::vector<char *> m_argv;
    int m_argc = 0;
    QString m_errorText;
};

} // namespace Sandbox
