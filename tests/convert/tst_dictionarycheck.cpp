#include "OpenccFiles.h"
#include "convert/DictionaryCheck.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Program = QStringLiteral(ZELTO_OPENCC_CHECK);

QString writeScript(const QString &dir, const QString &body)
{
    const QString path = dir + QStringLiteral("/checker.sh");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("#!/bin/sh\n" + body.toUtf8() + '\n');
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    return path;
}

} // namespace

class TestDictionaryCheck : public QObject
{
    Q_OBJECT
private slots:
    void verdictsAreKeptPerFileUntilItChanges()
    {
        QTemporaryDir dir;
        QVERIFY(OpenccFiles::copySystemData(dir.path()));
        const QString phrases = dir.filePath(QStringLiteral("STPhrases.ocd2"));
        const QString cache = dir.filePath(QStringLiteral("cache/checks.json"));
        {
            DictionaryCheck check(Program, cache, {});
            QCOMPARE(check.verify(QStringLiteral("ocd2"), phrases), QString());
            QCOMPARE(check.verify(QStringLiteral("ocd2"), phrases), QString());
            QCOMPARE(check.checksRun(), 1);
        }
        DictionaryCheck again(Program, cache, {});
        QCOMPARE(again.verify(QStringLiteral("ocd2"), phrases), QString());
        QCOMPARE(again.checksRun(), 0);

        // Same size, same time: the hash tells.
        QVERIFY(OpenccFiles::damage(phrases));
        const QString damaged = QStringLiteral("OpenCC 的词典“STPhrases.ocd2”已损坏，无法使用（%1）").arg(dir.path());
        DictionaryCheck third(Program, cache, {});
        QCOMPARE(third.verify(QStringLiteral("ocd2"), phrases), damaged);
        QCOMPARE(third.checksRun(), 1);
        DictionaryCheck fourth(Program, cache, {});
        QCOMPARE(fourth.verify(QStringLiteral("ocd2"), phrases), damaged);
        QCOMPARE(fourth.checksRun(), 0);

        // A cache that is no JSON is as good as none.
        QFile file(cache);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("\xff{");
        file.close();
        DictionaryCheck fifth(Program, cache, {});
        QCOMPARE(fifth.verify(QStringLiteral("ocd2"), phrases), damaged);
        QCOMPARE(fifth.checksRun(), 1);
    }

    void trustedFoldersAndChecksThatCannotBeMade()
    {
        QTemporaryDir dir;
        QVERIFY(OpenccFiles::copySystemData(dir.path()));
        const QString phrases = dir.filePath(QStringLiteral("STPhrases.ocd2"));
        QVERIFY(OpenccFiles::damage(phrases));
        DictionaryCheck trusting(Program, {}, { dir.path() });
        QCOMPARE(trusting.verify(QStringLiteral("ocd2"), phrases), QString());
        QCOMPARE(trusting.checksRun(), 0);

        const QString unchecked
            = QStringLiteral("无法检查 OpenCC 的词典“STPhrases.ocd2”是否完好（%1）").arg(dir.path());
        QCOMPARE(DictionaryCheck().verify(QStringLiteral("ocd2"), phrases), unchecked);
        QCOMPARE(DictionaryCheck(dir.filePath(QStringLiteral("missing"))).verify(QStringLiteral("ocd2"), phrases),
            unchecked);
        // A check that does not end is no verdict: it is made again next time.
        const QString cache = dir.filePath(QStringLiteral("checks.json"));
        DictionaryCheck slow(writeScript(dir.path(), QStringLiteral("exec sleep 30")), cache, {});
        slow.setTimeout(200);
        QCOMPARE(slow.verify(QStringLiteral("ocd2"), phrases), unchecked);
        QVERIFY(!QFile::exists(cache));
        // A checker that crashes refuses the file; so does an unwritable cache not matter.
        DictionaryCheck crashing(writeScript(dir.path(), QStringLiteral("kill -SEGV $$")),
            dir.filePath(QStringLiteral("checker.sh/checks.json")), {});
        QVERIFY(crashing.verify(QStringLiteral("ocd2"), phrases).contains(QStringLiteral("已损坏")));
    }
};

QTEST_GUILESS_MAIN(TestDictionaryCheck)
#include "tst_dictionarycheck.moc"
