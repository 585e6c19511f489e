#include "ReviewMarkText.h"
#include "convert/ReviewMarks.h"
#include "skin/Skin.h"

#include <QPlainTextEdit>
#include <QTest>

class TestReviewMarks : public QObject
{
    Q_OBJECT
private slots:
    void candidatesWithoutGlyphAreDropped();
};

// U+F0000 is private use beyond the BMP: no font draws it.
void TestReviewMarks::candidatesWithoutGlyphAreDropped()
{
    QPlainTextEdit memo(QStringLiteral("發後干"));
    memo.setFont(Skin::arialFont(16));
    ReviewMarks marks(&memo);
    const QString noGlyph = QStringLiteral("\U000F0000");
    marks.setMarks({ { 0, { QStringLiteral("發"), QStringLiteral("髮") } },
        { 1, { QStringLiteral("後"), noGlyph, QStringLiteral("后") } }, { 2, { QStringLiteral("干"), noGlyph } } });
    QCOMPARE(marks.marks(),
        (QList<ReviewMark> { { 0, { QStringLiteral("發"), QStringLiteral("髮") } },
            { 1, { QStringLiteral("後"), QStringLiteral("后") } } }));
    QCOMPARE(marks.count(), 2);
}

QTEST_MAIN(TestReviewMarks)
#include "tst_reviewmarks.moc"
