// Builds the run folder's data from the UTF-8 sources:
//   databuild --catalogue OUT.dll VERSION.txt GXQM.txt GXQLWM.txt GXNSWM.txt GXNVSWM.txt
//   databuild --collection IN.txt OUT.zelto
//   databuild --synthetic COUNT OUT.dll      (COUNT entries per list, for measuring start-up)
// Exit status 0 on success, 1 on a fault in the sources, 2 on a usage or output error.

#include "SourceText.h"

#include "platform/Gbk.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

#include <array>
#include <cstdio>

namespace {

class OutputError : public std::runtime_error
{
public:
    explicit OutputError(const QString &message)
        : std::runtime_error(message.toStdString())
        , text(message)
    {
    }
    QString text;
};

constexpr int ListCount = 4;
using Lists = std::array<QList<QString>, ListCount>;

void ensureParent(const QString &path)
{
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        throw OutputError(QStringLiteral("%1: error: cannot create the folder").arg(dir));
}

QString sqlFault(const QString &path, const QSqlError &error)
{
    return QStringLiteral("%1: error: %2").arg(path, error.text());
}

// The database is written under a temporary name and renamed at the end, so that a failed
// build never leaves a half-written catalogue that looks up to date.
void writeCatalogue(const QString &outPath, const QString &version, const Lists &lists)
{
    ensureParent(outPath);
    const QString tmpPath = outPath + QStringLiteral(".tmp");
    QFile::remove(tmpPath);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("databuild"));
        db.setDatabaseName(tmpPath);
        if (!db.open())
            throw OutputError(sqlFault(tmpPath, db.lastError()));
        QSqlQuery q(db);
        const auto run = [&](const QString &sql) {
            if (!q.exec(sql))
                throw OutputError(sqlFault(tmpPath, q.lastError()));
        };
        run(QStringLiteral("PRAGMA journal_mode=OFF"));
        run(QStringLiteral("PRAGMA synchronous=OFF"));
        run(QStringLiteral("CREATE TABLE zeltogxqm (ID INTEGER PRIMARY KEY, gxqm TEXT, gxqlwm TEXT, "
                           "gxnswm TEXT, gxnvswm TEXT, dataversion TEXT)"));
        db.transaction();
        if (!q.prepare(QStringLiteral("INSERT INTO zeltogxqm (ID, gxqm, gxqlwm, gxnswm, gxnvswm, dataversion) "
                                      "VALUES (?, ?, ?, ?, ?, ?)")))
            throw OutputError(sqlFault(tmpPath, q.lastError()));
        qsizetype rows = 1;
        for (const auto &list : lists)
            rows = std::max(rows, list.size());
        const QVariant null = QVariant(QMetaType::fromType<QString>());
        for (qsizetype r = 0; r < rows; ++r) {
            q.bindValue(0, qlonglong(r + 1));
            for (int c = 0; c < ListCount; ++c)
                q.bindValue(c + 1, r < lists[c].size() ? QVariant(lists[c][r]) : null);
            q.bindValue(5, r == 0 ? QVariant(version) : null);
            if (!q.exec())
                throw OutputError(sqlFault(tmpPath, q.lastError()));
        }
        if (!db.commit())
            throw OutputError(sqlFault(tmpPath, db.lastError()));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("databuild"));
    QFile::remove(outPath);
    if (!QFile::rename(tmpPath, outPath))
        throw OutputError(QStringLiteral("%1: error: cannot write the catalogue").arg(outPath));
}

int buildCatalogue(const QStringList &args)
{
    if (args.size() != 6)
        throw OutputError(QStringLiteral("usage: databuild --catalogue OUT.dll VERSION.txt GXQM.txt GXQLWM.txt "
                                         "GXNSWM.txt GXNVSWM.txt"));
    const QString version = SourceText::readSingleLine(args[1]);
    Lists lists;
    for (int c = 0; c < ListCount; ++c)
        lists[c] = SourceText::readList(args[2 + c]);
    writeCatalogue(args[0], version, lists);
    return 0;
}

int buildCollection(const QStringList &args)
{
    if (args.size() != 2)
        throw OutputError(QStringLiteral("usage: databuild --collection IN.txt OUT.zelto"));
    const SourceText::Lines text = SourceText::read(args[0]);
    QByteArray out;
    for (qsizetype n = 0; n < text.lines.size(); ++n) {
        if (n > 0)
            out += "\r\n";
        out += Gbk::encode(text.lines[n]);
    }
    if (text.endsWithBreak)
        out += "\r\n";

    ensureParent(args[1]);
    QSaveFile file(args[1]);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
        throw OutputError(QStringLiteral("%1: error: %2").arg(args[1], file.errorString()));
    return 0;
}

// Unique, plausible entries of realistic length, so that the measured catalogue looks like
// the real one to the engine and to the grids.
int buildSynthetic(const QStringList &args)
{
    bool ok = false;
    const qsizetype count = args.size() == 2 ? args[0].toLongLong(&ok) : 0;
    if (!ok || count < 0)
        throw OutputError(QStringLiteral("usage: databuild --synthetic COUNT OUT.dll"));
    static const QString words[] = {
        QStringLiteral("晴天"),
        QStringLiteral("微风"),
        QStringLiteral("星光"),
        QStringLiteral("海边"),
        QStringLiteral("旧梦"),
        QStringLiteral("花开"),
        QStringLiteral("浅笑"),
        QStringLiteral("远方"),
    };
    const auto word = [&](qsizetype i, int salt) { return words[(i * 7 + salt) % std::size(words)]; };
    Lists lists;
    for (auto &list : lists)
        list.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const QString n = QString::number(i + 1);
        lists[0].append(QStringLiteral("%1的%2，是我写给%3的第%4句话。").arg(word(i, 0), word(i, 3), word(i, 5), n));
        lists[1].append(QStringLiteral("%1%2 ∝ %3%2").arg(word(i, 1), n, word(i, 2)));
        lists[2].append(QStringLiteral("%1少年%2").arg(word(i, 4), n));
        lists[3].append(QStringLiteral("%1姑娘%2").arg(word(i, 6), n));
    }
    writeCatalogue(args[1], QStringLiteral("synthetic-%1").arg(count), lists);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QTextStream err(stderr);
    try {
        const QString command = args.isEmpty() ? QString() : args.takeFirst();
        if (command == QLatin1String("--catalogue"))
            return buildCatalogue(args);
        if (command == QLatin1String("--collection"))
            return buildCollection(args);
        if (command == QLatin1String("--synthetic"))
            return buildSynthetic(args);
        err << "usage: databuild --catalogue|--collection|--synthetic ...\n";
        return 2;
    } catch (const SourceText::Error &e) {
        err << e.text << '\n';
        return 1;
    } catch (const OutputError &e) {
        err << e.text << '\n';
        return 2;
    }
}
