#include "ReviewMarkText.h"
#include "convert/ReviewMarkList.h"

#include <QSignalSpy>
#include <QTest>

class TestReviewMarkList : public QObject
{
    Q_OBJECT
private slots:
    void editsMoveAndDropMarks();
    void nextWrapsAround();
};

namespace {

ReviewMark mark(qsizetype position, const QString &chosen, const QString &other)
{
    return { position, { chosen, other } };
}

} // namespace

// Text "發後干面" with a mark on every character but 後.
void TestReviewMarkList::editsMoveAndDropMarks()
{
    ReviewMarkList list;
    QSignalSpy counts(&list, &ReviewMarkList::countChanged);
    list.setMarks({ mark(0, QStringLiteral("發"), QStringLiteral("髮")),
        mark(2, QStringLiteral("干"), QStringLiteral("幹")), mark(3, QStringLiteral("面"), QStringLiteral("麵")) });
    // Two characters typed before 干: it and 面 move along.
    list.follow(1, 0, 2, 6);
    QCOMPARE(list.marks(),
        (QList<ReviewMark> { mark(0, QStringLiteral("發"), QStringLiteral("髮")),
            mark(4, QStringLiteral("干"), QStringLiteral("幹")),
            mark(5, QStringLiteral("面"), QStringLiteral("麵")) }));
    // Replacing 干 drops its mark only.
    list.follow(4, 1, 1, 6);
    QCOMPARE(list.marks(),
        (QList<ReviewMark> { mark(0, QStringLiteral("發"), QStringLiteral("髮")),
            mark(5, QStringLiteral("面"), QStringLiteral("麵")) }));
    // A mark past the end of the text is never kept.
    list.follow(2, 0, 0, 5);
    QCOMPARE(list.count(), 1);
    QCOMPARE(counts.size(), 3);
    QCOMPARE(counts.last().first().toInt(), 1);
}

void TestReviewMarkList::nextWrapsAround()
{
    ReviewMarkList list;
    QCOMPARE(list.next(0), -1);
    list.setMarks(
        { mark(1, QStringLiteral("後"), QStringLiteral("后")), mark(4, QStringLiteral("干"), QStringLiteral("幹")) },
        [](const QString &candidate) { return candidate != QStringLiteral("后"); });
    QCOMPARE(list.count(), 1);
    QCOMPARE(list.next(0), 0);
    QCOMPARE(list.next(4), 0);
    QCOMPARE(list.next(5), 0);
    list.setMarks(
        { mark(1, QStringLiteral("後"), QStringLiteral("后")), mark(4, QStringLiteral("干"), QStringLiteral("幹")) });
    QCOMPARE(list.next(2), 1);
    QCOMPARE(list.next(5), 0);
}

QTEST_GUILESS_MAIN(TestReviewMarkList)
#include "tst_reviewmarklist.moc"
