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

    // Today's readings apart from archaic ones; a traditional character reads like its
    // simplified form; lüe and nüe also as input methods spell them.
    void tiers()
    {
        const Pinyin pinyin;
        const auto common = [&](QChar c) { return pinyin.commonReadings(c).join(u' '); };
        QCOMPARE(common(u'不'), QStringLiteral("bu"));
        QCOMPARE(pinyin.readings(u'不'), (QStringList { "bu", "fou", "fu" }));
        QCOMPARE(common(u'有'), QStringLiteral("you"));
        QVERIFY(pinyin.readings(u'有').contains(QStringLiteral("wei")));
        QCOMPARE(common(u'是'), QStringLiteral("shi"));
        QCOMPARE(common(u'沒'), QStringLiteral("mei mo"));
        QVERIFY(pinyin.commonReadings(u'剝').contains(QStringLiteral("bao")));
        QVERIFY(pinyin.commonReadings(u'剎').contains(QStringLiteral("cha")));
        QCOMPARE(common(u'吶'), QStringLiteral("na"));
        QVERIFY(pinyin.readings(u'吶').contains(QStringLiteral("ne")));
        QCOMPARE(common(u'略'), QStringLiteral("lve lue"));
        QCOMPARE(common(u'虐'), QStringLiteral("nve nue"));
    }
};

QTEST_GUILESS_MAIN(TestPinyinTable)
#include "tst_pinyintable.moc"
