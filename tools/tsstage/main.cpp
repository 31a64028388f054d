// Copies the sources that lupdate scans into a staging tree, spelling each
// nested namespace definition ("namespace A::B {") as one block per name.
// Qt 5's lupdate does not understand the C++17 form and would file every
// text under a context without its namespace. Lines are kept as they are, so
// the locations lupdate writes stay valid for the real tree.
//
//   tsstage <source root> <stage root> <folder>...

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <vector>

namespace {

// Skips a comment, string or character literal starting at i, appending it
// to out; returns false when there is none at i.
bool copyLiteralOrComment(const QString &in, int &i, QString &out)
{
    const QChar c = in.at(i);
    const QChar next = i + 1 < in.size() ? in.at(i + 1) : QChar();
    int end = -1;
    if (c == '/' && next == '/') {
        end = in.indexOf('\n', i);
        end = end < 0 ? in.size() : end;
    } else if (c == '/' && next == '*') {
        end = in.indexOf(QLatin1String("*/"), i + 2);
        end = end < 0 ? in.size() : end + 2;
    } else if (c == 'R' && next == '"' && (i == 0 || !in.at(i - 1).isLetterOrNumber())) {
        const int open = in.indexOf('(', i);
        const QString close = ')' + in.mid(i + 2, open - i - 2) + '"';
        end = in.indexOf(close, open);
        end = end < 0 ? in.size() : end + close.size();
    } else if (c == '"' || c == '\'') {
        end = i + 1;
        while (end < in.size() && in.at(end) != c && in.at(end) != '\n')
            end += in.at(end) == '\\' ? 2 : 1;
        end = qMin(end + 1, int(in.size()));
    } else {
        return false;
    }
    out += in.midRef(i, end - i);
    i = end;
    return true;
}

QString unnestNamespaces(const QString &in)
{
    static const QRegularExpression nested(
            QStringLiteral("\\Gnamespace\\s+(\\w+(?:\\s*::\\s*\\w+)+)\\s*\\{"));
    QString out;
    out.reserve(in.size() + 256);
    std::vector<int> extraBraces; // per open brace: closings to add
    int i = 0;
    while (i < in.size()) {
        if (copyLiteralOrComment(in, i, out))
            continue;
        const QChar c = in.at(i);
        const bool wordStart = i == 0 || !(in.at(i - 1).isLetterOrNumber() || in.at(i - 1) == '_');
        if (c == 'n' && wordStart) {
            const QRegularExpressionMatch match = nested.match(in, i);
            if (match.hasMatch()) {
                const QStringList names = match.captured(1).split(QStringLiteral("::"));
                for (const QString &name : names)
                    out += QStringLiteral("namespace %1 { ").arg(name.trimmed());
                extraBraces.push_back(names.size() - 1);
                i = match.capturedEnd();
                continue;
            }
        }
        if (c == '{') {
            extraBraces.push_back(0);
        } else if (c == '}' && !extraBraces.empty()) {
            out += QString(extraBraces.back(), '}');
            extraBraces.pop_back();
        }
        out += c;
        ++i;
    }
    return out;
}

bool stageFile(const QString &from, const QString &to)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QString text = QString::fromUtf8(in.readAll());
    if (!from.endsWith(QLatin1String(".ui")) && !from.endsWith(QLatin1String(".ts")))
        text = unnestNamespaces(text);
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile out(to);
    return out.open(QIODevice::WriteOnly) && out.write(text.toUtf8()) >= 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        err << "usage: tsstage <source root> <stage root> <folder>...\n";
        return 2;
    }
    const QDir source(args.at(1));
    const QDir stage(args.at(2));
    for (const QString &folder : args.mid(3)) {
        QDirIterator it(source.filePath(folder),
                        { QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.ui"),
                          QStringLiteral("*.ts") },
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString from = it.next();
            const QString to = stage.filePath(source.relativeFilePath(from));
            if (!stageFile(from, to)) {
                err << "cannot stage " << from << "\n";
                return 1;
            }
        }
    }
    return 0;
}
