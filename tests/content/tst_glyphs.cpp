// Every character of the collections as the memos draw it: a visible glyph, and in pictures
// drawn with characters the cell of code-page-936 text, so that columns stay where the
// writer put them.

#include "skin/Skin.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPainterPath>
#include <QRawFont>
#include <QRegularExpression>
#include <QTest>
#include <QTextLayout>

namespace {

const QString ContentDir = QStringLiteral(ZELTO_CONTENT_DIR);

QString collectionSource(int number)
{
    return ContentDir + QStringLiteral("/collections/%1.txt").arg(number, 2, 10, QLatin1Char('0'));
}

// A line is set in cells when two blanks stand together (indented pictures, table columns,
// the label after an emoticon) or when it draws with box or block characters. Every other
// line is prose, or a row of symbols that nothing has to line up with, and need only be
// visible.
bool setInCells(const QString &line)
{
    bool blank = false;
    for (QChar c : line) {
        const bool isBlank = c == QLatin1Char(' ') || c == QChar(0x3000);
        if (isBlank && blank)
            return true;
        blank = isBlank;
        if (c.unicode() >= 0x2500 && c.unicode() <= 0x259F)
            return true;
    }
    return false;
}

struct Drawn
{
    bool visible = false;
    qreal advance = 0;
    QString family;
};

// Lays the character out alone, as a memo would, so that Qt's choice of fallback font is the
// one tested.
Drawn draw(const QFont &font, const QString &character)
{
    QTextLayout layout(character, font);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();

    Drawn drawn;
    for (const QGlyphRun &run : layout.glyphRuns()) {
        const QRawFont raw = run.rawFont();
        drawn.family = raw.familyName();
        const QList<quint32> glyphs = run.glyphIndexes();
        for (const QPointF &a : raw.advancesForGlyphIndexes(glyphs))
            drawn.advance += a.x();
        for (quint32 glyph : glyphs) {
            if (glyph != 0 && (!raw.pathForGlyph(glyph).isEmpty() || !raw.boundingRect(glyph).isEmpty()))
                drawn.visible = true;
        }
    }
    return drawn;
}

QString describe(char32_t c)
{
    return QStringLiteral("U+%1 %2").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper().arg(QString::fromUcs4(&c, 1));
}

} // namespace

class TestGlyphs : public QObject
{
    Q_OBJECT

    QFont m_font;
    qreal m_cell = 0;

private slots:
    void initTestCase()
    {
        m_font = Skin::memoFont();
        const QFontInfo info(m_font);
        QVERIFY2(info.family() == m_font.family(),
            qPrintable(QStringLiteral("the memos draw in \"%1\" where \"%2\" is wanted; is it installed?")
                           .arg(info.family(), m_font.family())));
        m_cell = QFontMetricsF(m_font).horizontalAdvance(QLatin1Char('0'));
        QVERIFY(m_cell > 0);
    }

    void collections_data()
    {
        QTest::addColumn<int>("number");
        for (int n = 1; n <= 19; ++n)
            QTest::addRow("%02d", n) << n;
    }

    void collections()
    {
        QFETCH(int, number);
        const QString path = collectionSource(number);
        QFile f(path);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(path));
        const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        const QString name = QStringLiteral("%1.txt").arg(number, 2, 10, QLatin1Char('0'));

        QHash<char32_t, Drawn> cache;
        // Each faulty character once, with the lines it spoils.
        QList<char32_t> order;
        QHash<char32_t, QString> fault;
        QHash<char32_t, QList<qsizetype>> where;
        for (qsizetype n = 0; n < lines.size(); ++n) {
            const bool cells = setInCells(lines[n]);
            for (char32_t c : lines[n].toUcs4()) {
                auto found = cache.constFind(c);
                if (found == cache.constEnd())
                    found = cache.insert(c, draw(m_font, QString::fromUcs4(&c, 1)));
                const Drawn &drawn = *found;
                QString what;
                const qreal want = m_cell * (c < 0x80 ? 1 : 2);
                if (!drawn.visible && !QChar::isSpace(c))
                    what = QStringLiteral("is drawn blank in %1").arg(drawn.family);
                else if (cells && qAbs(drawn.advance - want) > 1.0 / 64)
                    what = QStringLiteral("is %1 px wide in %2 where its cell is %3 px")
                               .arg(drawn.advance)
                               .arg(drawn.family)
                               .arg(want);
                if (what.isEmpty())
                    continue;
                if (!fault.contains(c)) {
                    order.append(c);
                    fault.insert(c, what);
                }
                QList<qsizetype> &at = where[c];
                if (at.isEmpty() || at.back() != n + 1)
                    at.append(n + 1);
            }
        }

        QStringList faults;
        for (char32_t c : std::as_const(order)) {
            QStringList at;
            for (qsizetype n : where.value(c))
                at.append(QString::number(n));
            faults.append(
                QStringLiteral("%1:%2: %3 %4").arg(name, at.join(QLatin1Char(',')), describe(c), fault.value(c)));
        }
        // One line each, since a long failure message is cut short.
        for (const QString &line : std::as_const(faults))
            qWarning().noquote() << line;
        QVERIFY2(faults.isEmpty(),
            qPrintable(QStringLiteral("%1 characters to mend, listed above; the first: %2")
                           .arg(faults.size())
                           .arg(faults.value(0))));
    }

    // The emoticon list reads as two columns: each label starts in cell 20, or two cells
    // after a face too wide for that. Measured as drawn, so a blank too many or too few
    // shows as well as a face that is not whole cells wide.
    void emoticonLabelsShareAColumn()
    {
        const QString path = collectionSource(18);
        QFile f(path);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(path));
        const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        const QRegularExpression entry(QStringLiteral("^(\\S(?:.*\\S)?)( {2,})\\S"));
        const QFontMetricsF metrics(m_font);
        constexpr int LabelCell = 20;

        QStringList faults;
        qsizetype labels = 0;
        for (qsizetype n = 0; n < lines.size(); ++n) {
            const QRegularExpressionMatch m = entry.match(lines[n]);
            if (!m.hasMatch())
                continue;
            ++labels;
            const qreal face = metrics.horizontalAdvance(m.captured(1));
            const qreal label = metrics.horizontalAdvance(m.captured(1) + m.captured(2));
            const qreal want = std::max(LabelCell * m_cell, face + 2 * m_cell);
            if (qAbs(label - want) > 1.0 / 64)
                faults.append(QStringLiteral("18.txt:%1: label at cell %2, wanted at cell %3: %4")
                                  .arg(n + 1)
                                  .arg(label / m_cell)
                                  .arg(want / m_cell)
                                  .arg(lines[n]));
        }
        for (const QString &fault : std::as_const(faults))
            qWarning().noquote() << fault;
        QVERIFY2(labels > 400, qPrintable(QStringLiteral("only %1 labelled emoticons found").arg(labels)));
        QVERIFY2(
            faults.isEmpty(), qPrintable(QStringLiteral("%1 labels out of column, listed above").arg(faults.size())));
    }
};

QTEST_MAIN(TestGlyphs)
#include "tst_glyphs.moc"
