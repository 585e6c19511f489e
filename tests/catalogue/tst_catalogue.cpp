#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueConnection.h"
#include "catalogue/CatalogueQuery.h"
#include "catalogue/ConnectionString.h"
#include "catalogue/DataSource.h"
#include "catalogue/QueryModel.h"
#include "platform/AppError.h"
#include "support/ToolSupport.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Column = QList<QVariant>; // a null QVariant is a Null value

// Writes zeltodata.dll in the working directory with the given columns of zeltogxqm.
void writeFixture(
    const QStringList &columns, const QList<Column> &values, const QString &table = QStringLiteral("zeltogxqm"))
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
        db.setDatabaseName(QStringLiteral("zeltodata.dll"));
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE %1 (ID INTEGER PRIMARY KEY, %2 TEXT)")
                           .arg(table, columns.join(QStringLiteral(" TEXT, ")))));
        qsizetype rows = 0;
        for (const Column &c : values)
            rows = std::max(rows, c.size());
        QStringList marks(columns.size(), QStringLiteral("?"));
        QVERIFY(q.prepare(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(u','), marks.join(u','))));
        for (qsizetype r = 0; r < rows; ++r) {
            for (qsizetype c = 0; c < columns.size(); ++c)
                q.bindValue(int(c), values[c].value(r, QVariant(QMetaType::fromType<QString>())));
            QVERIFY(q.exec());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
}

const QStringList AllColumns = { QStringLiteral("gxqm"), QStringLiteral("gxqlwm"), QStringLiteral("gxnswm"),
    QStringLiteral("gxnvswm"), QStringLiteral("dataversion") };
const QVariant Null = QVariant(QMetaType::fromType<QString>());

std::optional<QString> errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const AppError &e) {
        return e.message();
    }
    return std::nullopt;
}

QList<int> counts(const Catalogue &c)
{
    return { c.query(1)->RecordCount(), c.query(2)->RecordCount(), c.query(3)->RecordCount(),
        c.query(4)->RecordCount() };
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_work.enter()); }
    void cleanup() { m_work.leave(); }

    void connectionString()
    {
        const auto fields = ConnectionString::parse(ConnectionString::Catalogue);
        QCOMPARE(fields.size(), 18);
        QCOMPARE(fields.first().name, QStringLiteral("Provider"));
        QCOMPARE(fields.last().name, QStringLiteral("Jet OLEDB:SFP"));
        QCOMPARE(fields[15].name, QStringLiteral("Jet OLEDB:Don't Copy Locale on Compact"));
        QCOMPARE(ConnectionString::value(fields, u"data source"), QStringLiteral("zeltodata.dll"));
        QCOMPARE(ConnectionString::value(fields, u"Mode"), QStringLiteral("Share Deny None"));
        QCOMPARE(ConnectionString::value(fields, u"Jet OLEDB:Database Password"), QStringLiteral("qorve5318204&!"));
        const QString empty = ConnectionString::value(fields, u"Extended Properties");
        QVERIFY(empty.isEmpty() && !empty.isNull());
        QVERIFY(ConnectionString::value(fields, u"Password").isNull());

        const auto quoted = ConnectionString::parse(u"A = \"x;y=\"\"z\"\" \" ; B=plain value ;;C=");
        QCOMPARE(quoted.size(), 3);
        QCOMPARE(ConnectionString::value(quoted, u"a"), QStringLiteral("x;y=\"z\" "));
        QCOMPARE(ConnectionString::value(quoted, u"B"), QStringLiteral("plain value"));
        QCOMPARE(ConnectionString::value(quoted, u"C"), QStringLiteral(""));

        QVERIFY(errorOf([] { ConnectionString::parse(u"A=1;junk;B=2"); }));
        QVERIFY(errorOf([] { ConnectionString::parse(u"A=\"open"); }));
    }

    // Entries that SQLite would take as false (Chinese text, "0") still count; Null and
    // empty values neither count nor show.
    void listsHoldExactlyTheEntries()
    {
        writeFixture(AllColumns,
            {
                { Null, QStringLiteral("签名一"), QStringLiteral("") },
                { QStringLiteral("0"), Null, QStringLiteral("情侣二"), QStringLiteral("") },
                { QStringLiteral("男一"), QStringLiteral("12abc"), Null, QStringLiteral("男四") },
                { QStringLiteral("女一"), QStringLiteral("女二"), QStringLiteral("女三"), QStringLiteral("女四") },
                { QStringLiteral("v"), Null, Null, Null },
            });
        Catalogue c;
        QVERIFY(!c.ADOConnection1->Connected());
        c.OpenQueries();
        QVERIFY(c.ADOConnection1->Connected());
        QCOMPARE(c.ADOConnection1->filePath(), QDir::current().absoluteFilePath(QStringLiteral("zeltodata.dll")));
        QCOMPARE(counts(c), QList<int>({ 1, 2, 3, 4 }));
        QCOMPARE(c.DataVersion(), QStringLiteral("v"));
        QCOMPARE(Catalogue::versionCaption(c.DataVersion()), QStringLiteral("Zelto签名字符2008 V4.0.3 Data version v"));

        for (int n = 1; n <= Catalogue::QueryCount; ++n) {
            QCOMPARE(c.query(n)->objectName(), QStringLiteral("ADOQuery%1").arg(n));
            QCOMPARE(c.query(n)->SQL(), QStringList { Catalogue::Statements[n - 1] });
            QCOMPARE(c.dataSource(n)->DataSet(), c.query(n));
        }

        QueryModel *model = c.dataSource(3)->model();
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->columnCount(), 2);
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("1"));
        QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("男一"));
        QCOMPARE(model->index(2, 0).data().toString(), QStringLiteral("4"));
        QCOMPARE(model->index(2, 1).data().toString(), QStringLiteral("男四"));

        CatalogueQuery *q = c.query(3);
        QCOMPARE(q->FieldByName(QStringLiteral("GXNSWM")), QStringLiteral("男一"));
        c.dataSource(3)->selectRow(1);
        QCOMPARE(q->currentRow(), 1);
        QCOMPARE(q->FieldByName(QStringLiteral("gxnswm")), QStringLiteral("12abc"));
        QCOMPARE(q->FieldByName(QStringLiteral("ID")), QStringLiteral("2"));
        QVERIFY(errorOf([q] { q->FieldByName(QStringLiteral("gxqm")); }));

        q->Close();
        QCOMPARE(model->rowCount(), 0);
        QVERIFY(errorOf([q] { q->RecordCount(); }));
    }

    // Rows beyond the first fetch: the count is the engine's, and must equal what fetching
    // every row gives, holes (Null, empty) left out and "0" or a blank kept. The column
    // reader sees the same rows.
    void countsMatchTheRowsOfAFullFetch()
    {
        Column list;
        QStringList expected;
        for (int i = 1; i <= 3 * CatalogueQuery::FetchRows; ++i) {
            const QVariant v = i % 7 == 0 ? Null
                : i % 5 == 0              ? QVariant(QString(""))
                : i % 11 == 0             ? QVariant(QStringLiteral("0"))
                : i % 13 == 0             ? QVariant(QStringLiteral(" "))
                                          : QVariant(QStringLiteral("签名%1").arg(i));
            list.append(v);
            if (!v.isNull() && !v.toString().isEmpty())
                expected.append(v.toString());
        }
        writeFixture(AllColumns, { list, {}, {}, {}, { QStringLiteral("v") } });
        Catalogue c;
        c.OpenQueries();
        CatalogueQuery *q = c.query(1);
        QueryModel *model = c.dataSource(1)->model();
        QCOMPARE(model->rowCount(), CatalogueQuery::FetchRows);
        QVERIFY(model->canFetchMore({}));
        QCOMPARE(q->RecordCount(), expected.size());
        QCOMPARE(q->columnReader(1)(), expected);
        while (model->canFetchMore({}))
            model->fetchMore({});
        QCOMPARE(model->rowCount(), expected.size());
        QCOMPARE(q->RecordCount(), expected.size());
        QStringList fetched;
        for (int r = 0; r < model->rowCount(); ++r)
            fetched.append(model->index(r, 1).data().toString());
        QCOMPARE(fetched, expected);
    }

    void emptyListsCountZero()
    {
        writeFixture(AllColumns, { {}, {}, {}, {}, { QStringLiteral("2026.12") } });
        Catalogue c;
        c.OpenQueries();
        QCOMPARE(counts(c), QList<int>({ 0, 0, 0, 0 }));
        QCOMPARE(c.dataSource(1)->model()->rowCount(), 0);
        QCOMPARE(c.query(1)->currentRow(), -1);
        QCOMPARE(c.query(1)->FieldByName(QStringLiteral("gxqm")), QString());
        QCOMPARE(c.DataVersion(), QStringLiteral("2026.12"));
    }

    void engineErrors_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("openBefore");
        QTest::newRow("random bytes") << "random"
                                      << "file is not a database" << 0;
        QTest::newRow("no table") << "notable"
                                  << "no such table: zeltogxqm" << 0;
        QTest::newRow("no version column") << "nocolumn"
                                           << "no such column: dataversion" << 4;
        QTest::newRow("no version row") << "norow"
                                        << "Could not convert variant of type (Null) into type (String)" << 5;
        QTest::newRow("only empty versions") << "emptyversion"
                                             << "Could not convert variant of type (Null) into type (String)" << 5;
    }
    void engineErrors()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QFETCH(int, openBefore);
        if (kind == QLatin1String("random")) {
            QFile f(QStringLiteral("zeltodata.dll"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            QByteArray bytes(8192, Qt::Uninitialized);
            QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
            f.write(bytes);
        } else if (kind == QLatin1String("notable")) {
            writeFixture(
                AllColumns, { { QStringLiteral("x") }, {}, {}, {}, { QStringLiteral("v") } }, QStringLiteral("other"));
        } else if (kind == QLatin1String("nocolumn")) {
            writeFixture(AllColumns.mid(0, 4), { { QStringLiteral("a") }, {}, {}, {} });
        } else if (kind == QLatin1String("norow")) {
            writeFixture(AllColumns, { { QStringLiteral("a") }, {}, {}, {}, {} });
        } else {
            writeFixture(AllColumns, { { QStringLiteral("a") }, {}, {}, {}, { QStringLiteral("") } });
        }

        Catalogue c;
        auto error = errorOf([&] {
            c.OpenQueries();
            c.DataVersion();
        });
        QCOMPARE(error.value_or(QStringLiteral("(no error)")), message);
        for (int n = 1; n <= Catalogue::QueryCount; ++n)
            QCOMPARE(c.query(n)->Active(), n <= openBefore);
    }

    void databaseIsNeverWritten()
    {
        writeFixture(
            AllColumns, { { QStringLiteral("甲") }, { QStringLiteral("乙") }, {}, {}, { QStringLiteral("v") } });
        const QDateTime past = QDateTime::currentDateTimeUtc().addSecs(-3600);
        {
            QFile f(QStringLiteral("zeltodata.dll"));
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(past, QFileDevice::FileModificationTime));
        }
        const auto snapshot = [] {
            QFile f(QStringLiteral("zeltodata.dll"));
            f.open(QIODevice::ReadOnly);
            return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
        };
        const QByteArray before = snapshot();
        {
            Catalogue c;
            c.OpenQueries();
            QCOMPARE(c.DataVersion(), QStringLiteral("v"));
            c.query(1)->setCurrentRow(0);
            c.OpenQueries();
            QSqlQuery write(c.ADOConnection1->database());
            QVERIFY(!write.exec(QStringLiteral("UPDATE zeltogxqm SET gxqm = 'x'")));
        }
        QCOMPARE(snapshot(), before);
        QCOMPARE(QFileInfo(QStringLiteral("zeltodata.dll")).lastModified().toUTC(), past);
        QCOMPARE(QDir::current().entryList(QDir::Files), QStringList { QStringLiteral("zeltodata.dll") });
    }

    // The file is named to SQLite as a URI: characters with a meaning there stay plain.
    void folderNameWithUriCharacters()
    {
        const QString folder = QStringLiteral("桌面 #1?%41");
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(QDir::setCurrent(folder));
        writeFixture(AllColumns, { { QStringLiteral("甲") }, {}, {}, {}, { QStringLiteral("v") } });
        Catalogue c;
        c.OpenQueries();
        QCOMPARE(c.DataVersion(), QStringLiteral("v"));
        QVERIFY(QDir::setCurrent(QStringLiteral("..")));
    }

    void notARegularFile()
    {
        QCOMPARE(::mkfifo("zeltodata.dll", 0644), 0);
        Catalogue c;
        QCOMPARE(errorOf([&] { c.OpenQueries(); }).value_or(QString()), QStringLiteral("unable to open database file"));
    }

    // A WAL-mode catalogue, in a folder the reader may not write to: no -wal or -shm
    // appears and the rows are read. The reader is another process so that it can run
    // as an ordinary user when the tests run as root.
    void walCatalogueInReadOnlyFolder()
    {
        QVERIFY(QDir().mkdir(QStringLiteral("ro")));
        QVERIFY(QDir::setCurrent(QStringLiteral("ro")));
        writeFixture(
            AllColumns, { { QStringLiteral("甲"), QStringLiteral("乙") }, {}, {}, {}, { QStringLiteral("v") } });
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("wal"));
            db.setDatabaseName(QStringLiteral("zeltodata.dll"));
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("PRAGMA journal_mode=WAL")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("wal"));
        QVERIFY(QDir::setCurrent(QStringLiteral("..")));
        QFile f(QStringLiteral("ro/zeltodata.dll"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(20).mid(18), QByteArray("\x02\x02")); // the header says WAL
        f.close();
        QVERIFY(QFile::setPermissions(m_work.path(),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        QVERIFY(QFile::setPermissions(QStringLiteral("ro/zeltodata.dll"), QFile::ReadOwner | QFile::ReadOther));
        QVERIFY(QFile::setPermissions(
            QStringLiteral("ro"), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));

        QProcess reader;
        reader.setWorkingDirectory(m_work.path() + QStringLiteral("/ro"));
        if (::geteuid() == 0) {
            reader.setChildProcessModifier([] {
                if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                    ::_exit(3);
            });
        }
        reader.start(QCoreApplication::applicationFilePath(), { QStringLiteral("-read") });
        QVERIFY(reader.waitForFinished(20000));
        QCOMPARE(QString::fromUtf8(reader.readAllStandardOutput()), QStringLiteral("2 v\n"));
        QCOMPARE(reader.exitCode(), 0);
        QCOMPARE(QDir(QStringLiteral("ro")).entryList(QDir::Files), QStringList { QStringLiteral("zeltodata.dll") });
        QFile::setPermissions(QStringLiteral("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private:
    WorkingFolder m_work;
};

// "-read": opens the catalogue in the working directory and prints the first list's count
// and the data version.
int main(int argc, char **argv)
{
    if (argc == 2 && QByteArray(argv[1]) == "-read") {
        QCoreApplication app(argc, argv);
        try {
            Catalogue c;
            c.OpenQueries();
            printf("%d %s\n", c.query(1)->RecordCount(), qPrintable(c.DataVersion()));
            return 0;
        } catch (const AppError &e) {
            printf("%s\n", qPrintable(e.message()));
            return 1;
        }
    }
    QCoreApplication app(argc, argv);
    TestCatalogue t;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&t, argc, argv);
}
#include "tst_catalogue.moc"
