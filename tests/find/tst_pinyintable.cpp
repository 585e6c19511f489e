// The readings the search knows for Han characters.

#include "find/Pinyin.h"

#include <QTest>

class TestPinyinTable : public QObject
{
    Q_OBJECT

private slots:
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
