#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueQuery.h"
#include "support/Files.h"
#include "support/ToolSupport.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

ToolRun databuild(const QStringList &args)
{
    return runTool(QStringLiteral(ZELTO_DATABUILD), args);
}

const QStringList ListFiles = { QStringLiteral("version.txt"), QStringLiteral("gxqm.txt"), QStringLiteral("gxqlwm.txt"),
    QStringLiteral("gxnswm.txt"), QStringLiteral("gxnvswm.txt") };

} // namespace

class TestDataBuild : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_work.enter());
        QVERIFY(writeFile(QStringLiteral("version.txt"), "2026.12\n"));
        QVERIFY(writeFile(QStringLiteral("gxqm.txt"), "一\r\n二\r\n三\r\n"));
        QVERIFY(writeFile(QStringLiteral("gxqlwm.txt"), "\xEF\xBB\xBF甲 ∝ 乙"));
        QVERIFY(writeFile(QStringLiteral("gxnswm.txt"), ""));
        QVERIFY(writeFile(QStringLiteral("gxnvswm.txt"), "0\n€\n"));
    }
    void cleanup() { m_work.leave(); }

    void catalogueTable()
    {
        const ToolRun run
            = databuild(QStringList { QStringLiteral("--catalogue"), QStringLiteral("run/zeltodata.dll") } + ListFiles);
        QCOMPARE(run.errors, QString());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(!QFile::exists(QStringLiteral("run/zeltodata.dll.tmp")));

        QStringList rows;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
            db.setDatabaseName(QStringLiteral("run/zeltodata.dll"));
            QVERIFY(db.open());
            QSqlQuery q(QStringLiteral("SELECT ID, gxqm, gxqlwm, gxnswm, gxnvswm, dataversion, typeof(dataversion) "
                                       "FROM zeltogxqm ORDER BY ID"),
                db);
            while (q.next()) {
                QStringList cells;
                for (int i = 0; i < 7; ++i)
                    cells.append(q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
                rows.append(cells.join(u'|'));
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
        QCOMPARE(rows,
            QStringList({ QStringLiteral("1|一|甲 ∝ 乙|<null>|0|2026.12|text"),
                QStringLiteral("2|二|<null>|<null>|€|<null>|null"),
                QStringLiteral("3|三|<null>|<null>|<null>|<null>|null") }));

        // The program reads what the tool writes.
        QVERIFY(QDir::setCurrent(QStringLiteral("run")));
        Catalogue c;
        c.OpenQueries();
        QCOMPARE(c.query(1)->RecordCount(), 3);
        QCOMPARE(c.query(2)->RecordCount(), 1);
        QCOMPARE(c.query(3)->RecordCount(), 0);
        QCOMPARE(c.query(4)->RecordCount(), 2);
        QCOMPARE(c.DataVersion(), QStringLiteral("2026.12"));
    }

    void catalogueFaults_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("what");
        QTest::newRow("empty entry") << "gxqm.txt" << QByteArray("一\n二\n\n三\n") << "gxqm.txt:3:"
                                     << "empty entry";
        QTest::newRow("blank entry") << "gxnswm.txt" << QByteArray("一\n \t\n") << "gxnswm.txt:2:"
                                     << "empty entry";
        QTest::newRow("duplicate") << "gxqlwm.txt" << QByteArray("甲\n乙\n丙\n乙\n") << "gxqlwm.txt:4:"
                                   << "first on line 2";
        QTest::newRow("not GBK") << "gxnvswm.txt" << QByteArray("好\n名字😀\n") << "gxnvswm.txt:2:3:"
                                 << "U+1F600";
        QTest::newRow("not UTF-8") << "gxqm.txt" << QByteArray("ok\n\xC4\xE3\n") << "gxqm.txt:2:"
                                   << "UTF-8";
        QTest::newRow("no version") << "version.txt" << QByteArray("\n") << "version.txt:1:"
                                    << "empty entry";
        QTest::newRow("two versions") << "version.txt" << QByteArray("1\n2\n") << "version.txt:2:"
                                      << "one line";
    }
    void catalogueFaults()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, where);
        QFETCH(QString, what);
        QVERIFY(writeFile(file, content));
        const ToolRun run
            = databuild(QStringList { QStringLiteral("--catalogue"), QStringLiteral("zeltodata.dll") } + ListFiles);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.startsWith(where) && run.errors.contains(what), qPrintable(run.errors));
        QVERIFY(!QFile::exists(QStringLiteral("zeltodata.dll")));
    }

    void collection()
    {
        QVERIFY(writeFile(QStringLiteral("01.txt"), "你好\n€\r\n\xEE\xA0\x96x\n\n"));
        ToolRun run
            = databuild({ QStringLiteral("--collection"), QStringLiteral("01.txt"), QStringLiteral("data/1.zelto") });
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(readFile(QStringLiteral("data/1.zelto")), QByteArray("\xC4\xE3\xBA\xC3\r\n\x80\r\n\xFE\x51x\r\n\r\n"));

        QVERIFY(writeFile(QStringLiteral("02.txt"), "no break at the end"));
        run = databuild({ QStringLiteral("--collection"), QStringLiteral("02.txt"), QStringLiteral("data/2.zelto") });
        QCOMPARE(readFile(QStringLiteral("data/2.zelto")), QByteArray("no break at the end"));

        QVERIFY(writeFile(QStringLiteral("03.txt"), "一\n二\nab\xF0\xA0\x80\x80\n"));
        run = databuild({ QStringLiteral("--collection"), QStringLiteral("03.txt"), QStringLiteral("data/3.zelto") });
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.startsWith(QStringLiteral("03.txt:3:3:")), qPrintable(run.errors));
        QVERIFY(!QFile::exists(QStringLiteral("data/3.zelto")));
    }

    void synthetic()
    {
        const ToolRun run
            = databuild({ QStringLiteral("--synthetic"), QStringLiteral("250"), QStringLiteral("zeltodata.dll") });
        QCOMPARE(run.exitCode, 0);
        Catalogue c;
        c.OpenQueries();
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(c.query(n)->RecordCount(), 250);
        QVERIFY(!c.DataVersion().isEmpty());
    }

    void usage()
    {
        QCOMPARE(databuild({}).exitCode, 2);
        QCOMPARE(databuild({ QStringLiteral("--collection"), QStringLiteral("01.txt") }).exitCode, 2);
        QCOMPARE(
            databuild({ QStringLiteral("--synthetic"), QStringLiteral("many"), QStringLiteral("x.dll") }).exitCode, 2);
    }

private:
    WorkingFolder m_work;
};

QTEST_GUILESS_MAIN(TestDataBuild)
#include "tst_databuild.moc"
