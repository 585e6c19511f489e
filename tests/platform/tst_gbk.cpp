#include "platform/Gbk.h"

#include <QTest>

class TestGbk : public QObject
{
    Q_OBJECT
private slots:
    void everyDoubleByteCodeRoundTrips()
    {
        int mapped = 0;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F)
                    continue;
                QByteArray bytes;
                bytes.append(char(lead)).append(char(trail));
                const QString text = Gbk::decode(bytes);
                if (text == QString(QChar(0xFFFD)) || text.isEmpty())
                    continue;
                ++mapped;
                QCOMPARE(text.size(), 1);
                QCOMPARE(Gbk::encode(text), bytes);
            }
        }
        // GBK proper holds 21886 codes; the code page adds the user-defined areas.
        QVERIFY2(mapped >= 21886, qPrintable(QString::number(mapped)));
    }

    void singleBytesAndTheCodePageSpecials()
    {
        for (int b = 0; b < 0x80; ++b)
            QCOMPARE(Gbk::decode(QByteArray(1, char(b))), QString(QChar(b)));
        QCOMPARE(Gbk::decode(QByteArray("\x80")), QString(QChar(0x20AC)));
        QCOMPARE(Gbk::encode(QString(QChar(0x20AC))), QByteArray("\x80"));
        QCOMPARE(Gbk::decode(QByteArray("\xFE\x51\xFE\x52")), QString::fromUtf16(u"\uE816\uE817"));
        QCOMPARE(Gbk::encode(QString::fromUtf16(u"\uE816\uE817")), QByteArray("\xFE\x51\xFE\x52"));
        QCOMPARE(Gbk::encode(QStringLiteral("中国")), QByteArray("\xD6\xD0\xB9\xFA"));
    }

    void charactersOutsideTheCodePage()
    {
        const QString emoji = QString::fromUtf16(u"a\U0001F600b");
        QCOMPARE(Gbk::firstUnencodable(emoji), 1);
        QCOMPARE(Gbk::encode(emoji), QByteArray("a?b"));
        QCOMPARE(Gbk::firstUnencodable(QString::fromUtf16(u"中\U00020087")), 1);
        QVERIFY(Gbk::canEncode(QStringLiteral("你好，世界【】“”")));
        QVERIFY(Gbk::canEncode(QString()));
    }

    void malformedBytesNeverFail()
    {
        QCOMPARE(Gbk::decode(QByteArray("A\xB0")).left(1), QStringLiteral("A"));
        QVERIFY(!Gbk::decode(QByteArray("\xFF\xFF\x81")).isEmpty());
    }

    void truncationKeepsWholeCharacters()
    {
        QCOMPARE(Gbk::truncateToBytes(QStringLiteral("ab中文"), 3), QStringLiteral("ab"));
        QCOMPARE(Gbk::truncateToBytes(QStringLiteral("ab中文"), 4), QStringLiteral("ab中"));
        QCOMPARE(Gbk::truncateToBytes(QStringLiteral("ab中文"), 100), QStringLiteral("ab中文"));
    }
};

QTEST_GUILESS_MAIN(TestGbk)
#include "tst_gbk.moc"
