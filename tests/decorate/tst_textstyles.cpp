// The transformations of the 花样网名 window on the text users give them: Latin, Chinese,
// both, emoji and sequences of several code points.

#include "decorate/Decorations.h"
#include "decorate/MarsTable.h"
#include "decorate/TextStyles.h"

#include <QTest>

using namespace TextStyles;

namespace {

// A family with a keycap, a flag and a letter with its accent as a separate mark.
const QString Family = QStringLiteral("👨‍👩‍👧");
const QString Keycap = QStringLiteral("1\uFE0F\u20E3");
const QString Flag = QStringLiteral("🇨🇳");
const QString AccentedE = QStringLiteral("e\u0301");

QString u(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

} // namespace

class TestTextStyles : public QObject
{
    Q_OBJECT

private slots:
    void fancyLetters()
    {
        QCOMPARE(fancy(FancyTable::Bold, QStringLiteral("Az09")), QStringLiteral("𝐀𝐳𝟎𝟗"));
        QCOMPARE(fancy(FancyTable::Fraktur, QStringLiteral("Zelto小白")), QStringLiteral("ℨ𝔢𝔩𝔱𝔬小白"));
        QCOMPARE(fancy(FancyTable::Circled, QStringLiteral("a1!")), QStringLiteral("ⓐ①!"));
        QCOMPARE(fancy(FancyTable::Fullwidth, QStringLiteral("Hi 5")), QStringLiteral("Ｈｉ ５"));
        QCOMPARE(fancy(FancyTable::SmallCapitals, QStringLiteral("Ab")), QStringLiteral("ᴀʙ"));
        QCOMPARE(fancy(FancyTable::Superscript, QStringLiteral("n2")), QStringLiteral("ⁿ²"));
        QCOMPARE(fancy(FancyTable::NegativeCircled, QStringLiteral("a0")), QStringLiteral("🅐⓿"));
        // No italic digits: they stay.
        QCOMPARE(fancy(FancyTable::Italic, QStringLiteral("x1")), QStringLiteral("𝑥1"));
        // Emoji, a keycap (whose digit must not change), a flag; an accent keeps its letter.
        const QString mixed = Family + Keycap + Flag + AccentedE;
        QCOMPARE(fancy(FancyTable::Bold, mixed), Family + Keycap + Flag + QStringLiteral("𝐞\u0301"));
    }

    // The letters the mathematical alphabets leave out, taken from the older letterlike
    // symbols, each in its own style.
    void irregularLetters_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("italic") << int(FancyTable::Italic) << "h"
                                << "ℎ";
        QTest::newRow("script capitals") << int(FancyTable::Script) << "BEFHILMR"
                                         << "ℬℰℱℋℐℒℳℛ";
        QTest::newRow("script small") << int(FancyTable::Script) << "ego"
                                      << "ℯℊℴ";
        QTest::newRow("fraktur") << int(FancyTable::Fraktur) << "CHIRZ"
                                 << "ℭℌℑℜℨ";
        QTest::newRow("double-struck") << int(FancyTable::DoubleStruck) << "CHNPQRZ"
                                       << "ℂℍℕℙℚℝℤ";
        // Their neighbours are the regular mathematical letters.
        QTest::newRow("neighbours") << int(FancyTable::Script) << "AD" << (u(0x1D49C) + u(0x1D49F));
        QTest::newRow("bold script has no holes") << int(FancyTable::BoldScript) << "B" << u(0x1D4D1);
    }

    void irregularLetters()
    {
        QFETCH(int, style);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QCOMPARE(fancy(FancyTable::Style(style), from), to);
    }

    void mars()
    {
        QCOMPARE(TextStyles::mars(QStringLiteral("爱飞的"), Strength::Light), QStringLiteral("愛飛的"));
        QCOMPARE(TextStyles::mars(QStringLiteral("你的了"), Strength::Heavy), QStringLiteral("伱のㄋ"));
        // No look-alike: the heavy strength falls back to the traditional form.
        QCOMPARE(TextStyles::mars(QStringLiteral("飞"), Strength::Heavy), QStringLiteral("飛"));
        const QString other = QStringLiteral("Zelto ") + Family + Flag + AccentedE + QStringLiteral("𠀀");
        QCOMPARE(TextStyles::mars(other, Strength::Light), other);
        QCOMPARE(TextStyles::mars(other, Strength::Heavy), other);
        for (const auto *table : { &MarsTable::light, &MarsTable::heavy })
            QVERIFY(std::is_sorted(table->begin(), table->end(),
                [](const MarsTable::Pair &a, const MarsTable::Pair &b) { return a.from < b.from; }));
    }

    void marks()
    {
        QCOMPARE(marked(QStringLiteral("a小"), u'\u0336'), QStringLiteral("a\u0336小\u0336"));
        // One mark after the whole grapheme, none on a line break.
        QCOMPARE(marked(Family + AccentedE + QStringLiteral("\n") + Keycap, u'\u0332'),
            Family + QStringLiteral("\u0332") + AccentedE + QStringLiteral("\u0332\n") + Keycap
                + QStringLiteral("\u0332"));
    }

    void reversedAndSpaced()
    {
        QCOMPARE(reversed(QStringLiteral("Zelto小白")), QStringLiteral("白小otleZ"));
        QCOMPARE(reversed(Family + AccentedE + Flag + Keycap), Keycap + Flag + AccentedE + Family);
        // Two flags, then a lone regional indicator.
        QCOMPARE(reversed(Flag + Flag.left(2) + Flag.right(2) + Flag.left(2)),
            Flag.left(2) + Flag.left(2) + Flag.right(2) + Flag);
        QCOMPARE(spaced(QStringLiteral("小 白") + Family, QStringLiteral("丶")), QStringLiteral("小丶白丶") + Family);
        QCOMPARE(spaced(AccentedE + Flag, QStringLiteral("ღ")), AccentedE + QStringLiteral("ღ") + Flag);
        QCOMPARE(spaced(QStringLiteral("  "), QStringLiteral("·")), QString());
    }

    void verticalLayout()
    {
        // One column; punctuation takes its vertical form, Latin the full-width one.
        QCOMPARE(vertical(QStringLiteral("小白,(Z)…"), 0), QStringLiteral("小\n白\n，\n︵\nＺ\n︶\n⋮"));
        // Columns of three, the first on the right, the last padded at its foot.
        QCOMPARE(vertical(QStringLiteral("一二三四五六七"), 3),
            QStringLiteral("七\u3000四\u3000一\n\u3000\u3000五\u3000二\n\u3000\u3000六\u3000三"));
        // Even columns; a blank inside stays as a full-width one, trailing blanks go.
        QCOMPARE(vertical(QStringLiteral("一 三四  "), 2), QStringLiteral("三\u3000一\n四\u3000\u3000"));
        // A height beyond the text is one column; emoji and a flag stay whole in their cells.
        QCOMPARE(vertical(Family + Flag, 9), Family + QStringLiteral("\n") + Flag);
        QCOMPARE(vertical(QStringLiteral("《书名》。"), 0), QStringLiteral("︽\n书\n名\n︾\n。"));
        QCOMPARE(vertical(QString(), 2), QString());
    }

    void rows()
    {
        Decorations::Options options;
        options.frames = { QStringLiteral("『{}』"), QStringLiteral("{}♡{}") };
        options.ownFramesFrom = 1;
        options.separator = QStringLiteral("ゞ");
        const std::vector<Decorations::Row> rows = Decorations::rows(QStringLiteral("小白"), options);
        const auto find = [&](const QString &style) {
            for (const Decorations::Row &r : rows)
                if (r.style == style)
                    return r.text;
            return QStringLiteral("(none)");
        };
        QCOMPARE(find(QStringLiteral("间隔")), QStringLiteral("小ゞ白"));
        QCOMPARE(find(QStringLiteral("花边")), QStringLiteral("『小白』"));
        QCOMPARE(find(QStringLiteral("我的花边")), QStringLiteral("小白♡小白"));
        QCOMPARE(find(QStringLiteral("哥特体")), QStringLiteral("小白"));
        QCOMPARE(rows.back().style, QStringLiteral("我的花边"));
        QVERIFY(Decorations::rows(QStringLiteral(" \t"), options).empty());
    }
};

QTEST_GUILESS_MAIN(TestTextStyles)
#include "tst_textstyles.moc"
