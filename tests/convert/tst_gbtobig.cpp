#include "convert/GbToBig.h"
#include "convert/GbToBigTable.h"
#include "platform/Gbk.h"

#include "LiteralGbToBig.h"

#include <QHash>
#include <QMetaProperty>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

namespace {

QByteArray gbk(const QString &text)
{
    return Gbk::encode(text);
}

QString text(const QByteArray &bytes)
{
    return Gbk::decode(bytes);
}

quint16 codeAt(const QByteArray &list, qsizetype entry)
{
    return quint16(quint8(list[2 * entry]) << 8 | quint8(list[2 * entry + 1]));
}

QByteArray codeBytes(quint16 code)
{
    const char bytes[2] = { char(code >> 8), char(code & 0xFF) };
    return QByteArray(bytes, 2);
}

QString convert(TGbToBig &conv, TGbToBig::TMode mode, const QString &source)
{
    conv.SetMode(mode);
    return text(conv.Convert(gbk(source)));
}

} // namespace

class TstGbToBig : public QObject
{
    Q_OBJECT

private slots:
    void tableShape();
    void tableCounts();
    void duplicatedTargets();
    void nonHanziTargets();
    void toTraditional_data();
    void toTraditional();
    void toSimplified_data();
    void toSimplified();
    void asciiAndEmpty();
    void pairingRules();
    void roundTripRestoresAllButLaterDuplicates();
    void modeChoosesTheDirection();
    void agreesWithLiteralSearch();
};

void TstGbToBig::tableShape()
{
    int total = 0;
    for (int line = 0; line < GbToBigTable::lineCount; ++line) {
        const auto s = GbToBigTable::simplifiedLines[line];
        const auto t = GbToBigTable::traditionalLines[line];
        const std::size_t expected = line < GbToBigTable::lineCount - 1 ? 180 : 128;
        QCOMPARE(s.size(), expected);
        QCOMPARE(t.size(), expected);
        total += int(s.size() / 2);
    }
    QCOMPARE(total, GbToBigTable::entryCount);

    // GB2312 level 1 in code order, without 恰, with 0xBDDB..0xBEA4 behind 0xBEF4.
    QList<quint16> order;
    auto range = [&](quint16 from, quint16 to) {
        for (quint32 c = from; c <= to; ++c) {
            if ((c & 0xFF) >= 0xA1 && (c & 0xFF) <= 0xFE)
                order.append(quint16(c));
        }
    };
    range(0xB0A1, 0xBDDA);
    range(0xBEA5, 0xBEF4);
    range(0xBDDB, 0xBEA4);
    range(0xBEF5, 0xC6FE);
    range(0xC7A2, 0xD7F9);
    QCOMPARE(order.size(), GbToBigTable::entryCount);

    const TGbToBig conv;
    QCOMPARE(conv.SimplifiedList().size(), 2 * GbToBigTable::entryCount);
    QCOMPARE(conv.TraditionalList().size(), 2 * GbToBigTable::entryCount);
    for (int i = 0; i < order.size(); ++i)
        QCOMPARE(codeAt(conv.SimplifiedList(), i), order[i]);
}

void TstGbToBig::tableCounts()
{
    const TGbToBig conv;
    int unchanged = 0;
    QSet<quint16> simplified;
    for (int i = 0; i < GbToBigTable::entryCount; ++i) {
        const quint16 s = codeAt(conv.SimplifiedList(), i);
        const quint16 t = codeAt(conv.TraditionalList(), i);
        unchanged += s == t;
        simplified.insert(s);
        // Every target is one well-formed GBK character.
        QVERIFY2(t >> 8 >= 0x81 && t >> 8 <= 0xFE, qPrintable(QString::number(t, 16)));
        const QString decoded = text(codeBytes(t));
        QCOMPARE(decoded.size(), 1);
        QVERIFY(decoded != QStringLiteral("\uFFFD"));
    }
    QCOMPARE(unchanged, 2370);
    QCOMPARE(GbToBigTable::entryCount - unchanged, 1384);
    QCOMPARE(simplified.size(), GbToBigTable::entryCount);
}

void TstGbToBig::duplicatedTargets()
{
    TGbToBig conv;
    QHash<quint16, QList<quint16>> sources;
    for (int i = 0; i < GbToBigTable::entryCount; ++i)
        sources[codeAt(conv.TraditionalList(), i)].append(codeAt(conv.SimplifiedList(), i));

    const QList<QStringList> expected = {
        { "沈", "沉", "沈" },
        { "疊", "迭", "叠" },
        { "兜", "兜", "都" },
        { "矽", "硅", "矽" },
        { "裹", "果", "裹" },
        { "巳", "己", "巳" },
        { "屆", "界", "届" },
        { "苛", "苛", "可" },
        { "茹", "茹", "如" },
        { "三", "三", "叁" },
        { "詠", "咏", "永" },
        { "願", "原", "愿" },
        { "著", "著", "着" },
    };
    QHash<QString, QStringList> found;
    for (auto it = sources.cbegin(); it != sources.cend(); ++it) {
        if (it.value().size() < 2)
            continue;
        QStringList entries;
        for (quint16 s : it.value())
            entries.append(text(codeBytes(s)));
        found.insert(text(codeBytes(it.key())), entries);
    }
    QCOMPARE(found.size(), expected.size());
    conv.SetMode(TGbToBig::Big2Gb);
    for (const QStringList &row : expected) {
        QCOMPARE(found.value(row[0]), QStringList({ row[1], row[2] }));
        QCOMPARE(text(conv.Convert(gbk(row[0]))), row[1]);
    }
}

void TstGbToBig::nonHanziTargets()
{
    const TGbToBig conv;
    QHash<QString, QString> odd;
    for (int i = 0; i < GbToBigTable::entryCount; ++i) {
        const QString target = text(codeBytes(codeAt(conv.TraditionalList(), i)));
        if (target[0].script() != QChar::Script_Han)
            odd.insert(text(codeBytes(codeAt(conv.SimplifiedList(), i))), target);
    }
    const QHash<QString, QString> expected = { { "了", "ㄋ" }, { "日", "ㄖ" }, { "大", "\uE816" }, { "一", "\uE817" } };
    QCOMPARE(odd, expected);
}

void TstGbToBig::toTraditional_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    QTest::newRow("look-alikes") << "你好"
                                 << "伱恏";
    QTest::newRow("mixed") << "我爱你"
                           << "莪愛伱";
    QTest::newRow("plain traditional") << "中国"
                                       << "中國";
    QTest::newRow("other forms") << "干钟为众"
                                 << "幹鍾爲衆";
    QTest::newRow("kept") << "挂占征"
                          << "挂占征";
    QTest::newRow("transform's choices") << "台面斗丑发后着"
                                         << "台面鬥醜發後著";
    QTest::newRow("no entry, neighbours convert") << "爱恰爱骅爱“爱【爱"
                                                  << "愛恰愛骅愛“愛【愛";
    QTest::newRow("with ascii") << "ab爱\r\ncd"
                                << "ab愛\r\ncd";
}

void TstGbToBig::toTraditional()
{
    QFETCH(QString, source);
    QFETCH(QString, expected);
    TGbToBig conv;
    QCOMPARE(convert(conv, TGbToBig::Gb2Big, source), expected);
}

void TstGbToBig::toSimplified_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    QTest::newRow("look-alikes back") << "伱恏\uE816\uE817"
                                      << "你好大一";
    QTest::newRow("earlier entry wins") << "屆願疊"
                                        << "界原迭";
    QTest::newRow("changes simplified text too") << "沈矽巳裹"
                                                 << "沉硅己果";
    QTest::newRow("plain") << "後愛"
                           << "后爱";
    QTest::newRow("no entry") << "髮"
                              << "髮";
}

void TstGbToBig::toSimplified()
{
    QFETCH(QString, source);
    QFETCH(QString, expected);
    TGbToBig conv;
    QCOMPARE(convert(conv, TGbToBig::Big2Gb, source), expected);
}

void TstGbToBig::asciiAndEmpty()
{
    TGbToBig conv;
    QByteArray ascii;
    for (int c = 0; c <= 0x80; ++c)
        ascii.append(char(c));
    ascii += "Hello, world 123\r\n";
    for (auto mode : { TGbToBig::Gb2Big, TGbToBig::Big2Gb }) {
        conv.SetMode(mode);
        QCOMPARE(conv.Convert(QByteArray()), QByteArray());
        QCOMPARE(conv.Convert(ascii), ascii);
        const QByteArray large = ascii.repeated(100);
        QCOMPARE(conv.Convert(large), large);
    }
    conv.SetMode(TGbToBig::Gb2Big);
    QCOMPARE(conv.Convert(gbk("一")), QByteArray("\xFE\x52"));
    QCOMPARE(conv.Convert(gbk("大")), QByteArray("\xFE\x51"));
}

void TstGbToBig::pairingRules()
{
    TGbToBig conv;
    // A final lone lead byte stays.
    QCOMPARE(conv.Convert("A\xB0"), QByteArray("A\xB0"));
    QCOMPARE(conv.Convert(gbk("爱") + '\xB0'), gbk("愛") + '\xB0');
    QCOMPARE(conv.Convert("\xFF"), QByteArray("\xFF"));
    // A lead byte takes the ASCII byte after it; the text after them converts again.
    QCOMPARE(conv.Convert("\xB0"
                          "A"
                 + gbk("爱")),
        QByteArray("\xB0"
                   "A")
            + gbk("愛"));
    // One stray lead byte shifts every pair after it: 你好 is then read as other pairs.
    const QByteArray shifted = "\x81" + gbk("你好你好你好你好你好你好你好你好你好");
    QCOMPARE(conv.Convert(shifted), shifted);
    // 0x80 stands alone and does not start a pair.
    QCOMPARE(conv.Convert("\x80" + gbk("爱")), "\x80" + gbk("愛"));
    // A pair is never matched across two entries: 啊阿 is B0A1 B0A2, the middle A1B0 no code.
    QCOMPARE(conv.Convert("\xA1\xB0"), QByteArray("\xA1\xB0"));
}

void TstGbToBig::roundTripRestoresAllButLaterDuplicates()
{
    TGbToBig conv;
    const QByteArray all = conv.SimplifiedList();
    conv.SetMode(TGbToBig::Gb2Big);
    const QByteArray traditional = conv.Convert(all);
    QCOMPARE(traditional, conv.TraditionalList());
    conv.SetMode(TGbToBig::Big2Gb);
    const QByteArray back = conv.Convert(traditional);
    QStringList changed;
    for (int i = 0; i < GbToBigTable::entryCount; ++i) {
        if (codeAt(back, i) != codeAt(all, i))
            changed.append(text(codeBytes(codeAt(all, i))) + text(codeBytes(codeAt(back, i))));
    }
    changed.sort();
    QStringList expected
        = { "沈沉", "叠迭", "都兜", "矽硅", "裹果", "巳己", "届界", "可苛", "如茹", "叁三", "永咏", "愿原", "着著" };
    expected.sort();
    QCOMPARE(changed, expected);
}

void TstGbToBig::modeChoosesTheDirection()
{
    TGbToBig conv;
    QCOMPARE(conv.Mode(), TGbToBig::Gb2Big);
    QCOMPARE(text(conv.Convert(gbk("你"))), QStringLiteral("伱"));
    conv.SetMode(TGbToBig::Big2Gb);
    QCOMPARE(text(conv.Convert(gbk("伱"))), QStringLiteral("你"));
}

void TstGbToBig::agreesWithLiteralSearch()
{
    TGbToBig conv;
    const QByteArray simplified = conv.SimplifiedList();
    const QByteArray traditional = conv.TraditionalList();
    QRandomGenerator rng(20080223);

    // Strings built from table codes, ASCII, 0x80, lead bytes with odd partners and random
    // bytes, so that runs of pairs, ASCII runs and broken alignment all meet.
    auto piece = [&](QByteArray &out) {
        switch (rng.bounded(8)) {
        case 0:
        case 1:
            out += simplified.mid(2 * rng.bounded(GbToBigTable::entryCount), 2);
            break;
        case 2:
        case 3:
            out += traditional.mid(2 * rng.bounded(GbToBigTable::entryCount), 2);
            break;
        case 4:
            out += char(rng.bounded(0x20, 0x7F));
            break;
        case 5:
            out += char(rng.bounded(0x81, 0x100));
            break;
        case 6:
            out += rng.bounded(4) == 0 ? '\x80' : char(rng.bounded(0x00, 0x20));
            break;
        default:
            out += char(rng.bounded(0x100));
            break;
        }
    };
    for (int round = 0; round < 4000; ++round) {
        QByteArray source;
        const int pieces = int(rng.bounded(rng.bounded(4) == 0 ? 300 : 40));
        const bool chinese = rng.bounded(2) == 0;
        for (int i = 0; i < pieces; ++i) {
            if (chinese && rng.bounded(10) != 0)
                source += simplified.mid(2 * rng.bounded(GbToBigTable::entryCount), 2);
            else
                piece(source);
        }
        for (auto mode : { TGbToBig::Gb2Big, TGbToBig::Big2Gb }) {
            conv.SetMode(mode);
            const QByteArray expected = mode == TGbToBig::Gb2Big ? literalConvert(simplified, traditional, source)
                                                                 : literalConvert(traditional, simplified, source);
            const QByteArray actual = conv.Convert(source);
            if (actual != expected)
                QFAIL(qPrintable(
                    QStringLiteral("mode %1, source %2").arg(int(mode)).arg(QString::fromLatin1(source.toHex()))));
            QCOMPARE(actual.size(), source.size());
        }
    }
}

QTEST_GUILESS_MAIN(TstGbToBig)
#include "tst_gbtobig.moc"
