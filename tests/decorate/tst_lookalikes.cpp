// The hand-made 火星文 look-alikes: the format tools/mars_table reads, and its refusal of a
// list that breaks it.

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class TestLookalikes : public QObject
{
    Q_OBJECT

private slots:
    void listIsWellFormed()
    {
        QFile file(QStringLiteral(ZELTO_LOOKALIKES));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QSet<QString> seen;
        int number = 0;
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine()).chopped(1);
            ++number;
            if (line.startsWith(u'#'))
                continue;
            const QString where = QStringLiteral("line %1: %2").arg(number).arg(line);
            const QStringList parts = line.split(u'\t');
            QVERIFY2(parts.size() == 2, qPrintable(where));
            const QList<uint> from = parts[0].toUcs4();
            QVERIFY2(from.size() == 1 && QChar::script(from[0]) == QChar::Script_Han, qPrintable(where));
            QVERIFY2(!seen.contains(parts[0]), qPrintable(where));
            seen.insert(parts[0]);
            const QStringList alikes = parts[1].split(u' ');
            QVERIFY2(!alikes.isEmpty(), qPrintable(where));
            for (const QString &a : alikes) {
                QVERIFY2(a.toUcs4().size() == 1 && a != parts[0], qPrintable(where));
                QVERIFY2(alikes.count(a) == 1, qPrintable(where));
            }
        }
        QVERIFY2(seen.size() >= 500, qPrintable(QString::number(seen.size())));
    }

    void generatorRefusesBrokenList_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::newRow("no tab") << QByteArray("你 伱\n");
        QTest::newRow("twice") << QByteArray("你\t伱\n你\t妳\n");
        QTest::newRow("itself") << QByteArray("你\t你\n");
        QTest::newRow("two characters as one") << QByteArray("你\t伱妳\n");
        QTest::newRow("no look-alike") << QByteArray("你\t\n");
    }

    void generatorRefusesBrokenList()
    {
        QFETCH(QByteArray, list);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("list.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(list) == list.size());
        file.close();
        QProcess generator;
        generator.start(QStringLiteral(ZELTO_MARS_TABLE),
            { QStringLiteral("/usr/share/unicode/Unihan_Variants.txt.bz2"), file.fileName(),
                dir.filePath(QStringLiteral("out.cpp")) });
        QVERIFY(generator.waitForFinished());
        QCOMPARE(generator.exitCode(), 1);
        QVERIFY(generator.readAllStandardError().contains("list.txt:"));
    }
};

QTEST_GUILESS_MAIN(TestLookalikes)
#include "tst_lookalikes.moc"
