// The shipped content: enough entries in every list and collection, clean sources, and a run
// folder whose catalogue and collection files hold exactly what the sources say.

#include "platform/Gbk.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

const QString ContentDir = QStringLiteral(ZELTO_CONTENT_DIR);
const QString RunDir = QStringLiteral(ZELTO_RUN_DIR);

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QString readSource(const QString &path)
{
    return QString::fromUtf8(readBytes(path));
}

// Lines of a source without the break after the last one.
QStringList sourceLines(const QString &path)
{
    QString text = readSource(path);
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

bool isHeading(const QString &line)
{
    const QString t = line.trimmed();
    return t.size() >= 2 && t.startsWith(QStringLiteral("【")) && t.endsWith(QStringLiteral("】"));
}

qsizetype countLines(const QStringList &lines)
{
    qsizetype n = 0;
    for (const QString &line : lines)
        n += !line.trimmed().isEmpty() && !isHeading(line);
    return n;
}

qsizetype countBlocks(const QStringList &lines)
{
    qsizetype n = 0;
    QStringList block;
    const auto close = [&] {
        if (!block.isEmpty() && !(block.size() == 1 && isHeading(block.front())))
            ++n;
        block.clear();
    };
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty())
            close();
        else
            block.append(line);
    }
    close();
    return n;
}

QString collectionSource(int number)
{
    return ContentDir + QStringLiteral("/collections/%1.txt").arg(number, 2, 10, QLatin1Char('0'));
}

// Faults of form that the GBK conversion would carry silently into the run folder.
QStringList formFaults(const QString &path)
{
    const QByteArray bytes = readBytes(path);
    QStringList faults;
    if (bytes.isEmpty())
        return { QStringLiteral("%1: missing or empty").arg(path) };
    if (!bytes.endsWith('\n'))
        faults.append(QStringLiteral("%1: no line break at the end").arg(path));
    if (bytes.startsWith("\xEF\xBB\xBF"))
        faults.append(QStringLiteral("%1: byte order mark").arg(path));
    const QStringList lines = sourceLines(path);
    for (qsizetype n = 0; n < lines.size() && faults.size() < 10; ++n) {
        const QString &line = lines[n];
        const QString where = QStringLiteral("%1:%2").arg(path).arg(n + 1);
        if (line.contains(QLatin1Char('\r')))
            faults.append(where + QStringLiteral(": carriage return"));
        if (line.contains(QLatin1Char('\t')))
            faults.append(where + QStringLiteral(": tab"));
        if (!line.isEmpty() && line.back().isSpace())
            faults.append(where + QStringLiteral(": blank at the end of the line"));
        if (!Gbk::canEncode(line))
            faults.append(
                where + QStringLiteral(": character outside GBK at column %1").arg(Gbk::firstUnencodable(line) + 1));
    }
    return faults;
}

struct ListInfo
{
    const char *column;
    qsizetype minimum;
};

const ListInfo Lists[] = { { "gxqm", 600 }, { "gxqlwm", 200 }, { "gxnswm", 300 }, { "gxnvswm", 300 } };

} // namespace

class TestContent : public QObject
{
    Q_OBJECT

private slots:
    void catalogueLists_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<qsizetype>("minimum");
        for (const ListInfo &list : Lists)
            QTest::newRow(list.column) << QString::fromLatin1(list.column) << list.minimum;
    }

    void catalogueLists()
    {
        QFETCH(QString, column);
        QFETCH(qsizetype, minimum);
        const QString path = ContentDir + QStringLiteral("/catalogue/%1.txt").arg(column);
        const QStringList faults = formFaults(path);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));

        const QStringList entries = sourceLines(path);
        QVERIFY2(entries.size() >= minimum,
            qPrintable(QStringLiteral("%1 entries, at least %2 wanted").arg(entries.size()).arg(minimum)));
        QHash<QString, qsizetype> seen;
        for (qsizetype n = 0; n < entries.size(); ++n) {
            const QString &entry = entries[n];
            QVERIFY2(!entry.trimmed().isEmpty(), qPrintable(QStringLiteral("line %1 is empty").arg(n + 1)));
            QVERIFY2(entry.trimmed() == entry, qPrintable(QStringLiteral("line %1 has blanks around it").arg(n + 1)));
            QVERIFY2(!seen.contains(entry),
                qPrintable(QStringLiteral("line %1 repeats line %2: %3").arg(n + 1).arg(seen.value(entry)).arg(entry)));
            seen.insert(entry, n + 1);
        }
    }

    // Column by column, the rows hold the list's entries in order and Null after its end;
    // the first row alone carries the version.
    void catalogueDatabaseMatchesSources()
    {
        const QString dbPath = RunDir + QStringLiteral("/zeltodata.dll");
        QVERIFY2(QFile::exists(dbPath), qPrintable(dbPath));
        QHash<QString, QStringList> expected;
        qsizetype rows = 1;
        for (const ListInfo &list : Lists) {
            const QString column = QString::fromLatin1(list.column);
            expected[column] = sourceLines(ContentDir + QStringLiteral("/catalogue/%1.txt").arg(column));
            rows = std::max(rows, expected[column].size());
        }
        const QStringList versionLines = sourceLines(ContentDir + QStringLiteral("/catalogue/dataversion.txt"));
        QCOMPARE(versionLines.size(), 1);

        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("content"));
            db.setDatabaseName(dbPath);
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            QVERIFY2(db.open(), qPrintable(db.lastError().text()));
            QSqlQuery q(db);
            QVERIFY2(q.exec(QStringLiteral(
                         "SELECT ID, gxqm, gxqlwm, gxnswm, gxnvswm, dataversion FROM zeltogxqm ORDER BY ID")),
                qPrintable(q.lastError().text()));
            qsizetype row = 0;
            while (q.next()) {
                QCOMPARE(q.value(0).toLongLong(), row + 1);
                for (int c = 0; c < 4; ++c) {
                    const QStringList &list = expected[QString::fromLatin1(Lists[c].column)];
                    const QVariant value = q.value(c + 1);
                    if (row < list.size())
                        QCOMPARE(value.toString(), list[row]);
                    else
                        QVERIFY2(value.isNull(),
                            qPrintable(QStringLiteral("row %1, column %2 should be Null")
                                           .arg(row + 1)
                                           .arg(QString::fromLatin1(Lists[c].column))));
                }
                if (row == 0)
                    QCOMPARE(q.value(5).toString(), versionLines.front());
                else
                    QVERIFY(q.value(5).isNull());
                ++row;
            }
            QCOMPARE(row, rows);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("content"));
    }

    void collections_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("blocks");
        QTest::addColumn<qsizetype>("minimum");
        struct Want
        {
            int number;
            bool blocks;
            qsizetype minimum;
        };
        // Files 01 and 02 are symbol tables with no entry count of their own.
        const Want wants[] = {
            { 1, false, 0 },
            { 2, false, 0 },
            { 3, true, 25 },
            { 4, false, 150 },
            { 5, false, 120 },
            { 6, true, 25 },
            { 7, true, 40 },
            { 8, false, 80 },
            { 9, true, 15 },
            { 10, true, 20 },
            { 11, true, 20 },
            { 12, true, 20 },
            { 13, false, 120 },
            { 14, false, 80 },
            { 15, true, 100 },
            { 16, false, 80 },
            { 17, false, 80 },
            { 18, false, 400 },
            { 19, true, 40 },
        };
        for (const Want &w : wants)
            QTest::addRow("%02d", w.number) << w.number << w.blocks << w.minimum;
    }

    void collections()
    {
        QFETCH(int, number);
        QFETCH(bool, blocks);
        QFETCH(qsizetype, minimum);
        const QString source = collectionSource(number);
        const QStringList faults = formFaults(source);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));

        const QStringList lines = sourceLines(source);
        const qsizetype count = blocks ? countBlocks(lines) : countLines(lines);
        QVERIFY2(count >= std::max<qsizetype>(minimum, 1),
            qPrintable(QStringLiteral("%1 entries, at least %2 wanted").arg(count).arg(minimum)));

        const QString built = RunDir + QStringLiteral("/data/%1.zelto").arg(number);
        QVERIFY2(QFile::exists(built), qPrintable(built));
        const QByteArray expected = Gbk::encode(readSource(source).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
        const QByteArray actual = readBytes(built);
        if (actual != expected) {
            qsizetype at = 0;
            while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
                ++at;
            QFAIL(qPrintable(QStringLiteral("%1 differs from its source at byte %2 (%3 bytes, %4 expected)")
                                 .arg(built)
                                 .arg(at)
                                 .arg(actual.size())
                                 .arg(expected.size())));
        }
    }
};

QTEST_GUILESS_MAIN(TestContent)
#include "tst_content.moc"
