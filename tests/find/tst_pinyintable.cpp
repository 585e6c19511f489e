// The committed pinyin table is what the generator makes of the installed Unihan readings.

#include "find/Pinyin.h"
#include "support/ToolSupport.h"

#include <QFile>
#include <QTest>

class TestPinyinTable : public QObject
{
    Q_OBJECT

private slots:
    void regeneratedTableMatchesCommittedOne()
    {
#ifndef ZELTO_PINYIN_TABLE_TOOL
        QSKIP("the generator was not built (no libbz2)");
#else
        const QString unihan = QStringLiteral("/usr/share/unicode/Unihan_Readings.txt.bz2");
        if (!QFile::exists(unihan))
            QSKIP("unicode-data is not installed");
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("PinyinTable.cpp"));
        const ToolRun run = runTool(QStringLiteral(ZELTO_PINYIN_TABLE_TOOL), { unihan, out });
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QFile generated(out), committed(QStringLiteral(ZELTO_PINYIN_TABLE_CPP));
        QVERIFY(generated.open(QIODevice::ReadOnly) && committed.open(QIODevice::ReadOnly));
        QVERIFY2(generated.readAll() == committed.readAll(),
            "find/PinyinTable.cpp differs from a fresh generation: run tools/pinyin_table again");
#endif
    }

    // Every reading of a polyphonic character, tones dropped, ü as v.
    void readings()
    {
        const Pinyin pinyin;
        const auto has = [&](QChar c, std::initializer_list<const char *> wanted) {
            const QStringList r = pinyin.readings(c);
            for (const char *w : wanted) {
                if (!r.contains(QLatin1String(w)))
                    return false;
            }
            return true;
        };
        QVERIFY(has(u'长', { "chang", "zhang" }));
        QVERIFY(has(u'行', { "xing", "hang", "heng" }));
        QVERIFY(has(u'女', { "nv" }));
        QVERIFY(has(u'绿', { "lv", "lu" }));
        QVERIFY(pinyin.readings(u'a').isEmpty());
        QVERIFY(pinyin.readings(u'☆').isEmpty());
        // Every character of the two-byte GBK Han range has a reading.
        QCOMPARE(pinyin.readings(QChar(0x9FA5)), QStringList { QStringLiteral("yu") });
    }
};

QTEST_GUILESS_MAIN(TestPinyinTable)
#include "tst_pinyintable.moc"
