#include "app/ClockText.h"

#include <QTest>

class TestClockText : public QObject
{
    Q_OBJECT
private slots:
    void twelveAndTwentyFourHourLocales()
    {
        const QTime morning(9, 5, 7);
        const QTime evening(21, 5, 7);
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(ClockText::format(morning, us), QStringLiteral("9:05:07 AM"));
        QCOMPARE(ClockText::format(evening, us), QStringLiteral("9:05:07 PM"));
        const QLocale de(QLocale::German, QLocale::Germany);
        QCOMPARE(ClockText::format(morning, de), QStringLiteral("09:05:07"));
        QCOMPARE(ClockText::format(evening, de), QStringLiteral("21:05:07"));
    }

    void chineseLocalesLeaveNoPatternLettersOrBrackets()
    {
        const QTime morning(9, 5, 7);
        const QTime evening(23, 59, 36);
        QCOMPARE(ClockText::format(morning, QLocale(QLocale::Chinese, QLocale::China)), QStringLiteral("9:05:07"));
        QCOMPARE(ClockText::format(evening, QLocale(QLocale::Chinese, QLocale::China)), QStringLiteral("23:59:36"));
        QCOMPARE(
            ClockText::format(evening, QLocale(QLocale::Chinese, QLocale::Taiwan)), QStringLiteral("下午11:59:36"));
        QCOMPARE(
            ClockText::format(morning, QLocale(QLocale::Chinese, QLocale::HongKong)), QStringLiteral("上午9:05:07"));
        QCOMPARE(ClockText::format(morning, QLocale(QLocale::Persian, QLocale::Iran)),
            QLocale(QLocale::Persian, QLocale::Iran).toString(morning, QStringLiteral("H:mm:ss")));
    }

    void noTimeZoneInAnyLocale()
    {
        const QTime t(9, 5, 7);
        for (const QLocale &l :
            { QLocale(QLocale::Chinese, QLocale::China), QLocale(QLocale::Chinese, QLocale::Taiwan), QLocale::c(),
                QLocale(QLocale::Japanese, QLocale::Japan), QLocale(QLocale::English, QLocale::UnitedKingdom) }) {
            const QString text = ClockText::format(t, l);
            QVERIFY2(text.contains(QStringLiteral("05")) && text.contains(QStringLiteral("07")), qPrintable(text));
            QVERIFY2(!ClockText::timeFormat(l).contains(QLatin1Char('t')), qPrintable(ClockText::timeFormat(l)));
            QVERIFY2(text.size() <= 12, qPrintable(text));
        }
    }
};

QTEST_GUILESS_MAIN(TestClockText)
#include "tst_clocktext.moc"
