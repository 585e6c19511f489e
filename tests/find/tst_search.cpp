// Splitting pages into entries and finding them by text or pinyin.

#include "find/EntrySplitter.h"
#include "find/Pinyin.h"
#include "find/SearchIndex.h"
#include "find/UserListIndex.h"
#include "find/UserStore.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList texts(const SearchIndex &index, const std::vector<qsizetype> &hits)
{
    QStringList out;
    for (const qsizetype i : hits)
        out.append(index.entry(i).text);
    return out;
}

QList<Entry> plain(const QStringList &lines)
{
    return EntrySplitter::splitCollection(lines.join(u'\n'), EntrySplitter::Kind::Lines, QStringLiteral("〖页〗"));
}

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT

    const Pinyin m_pinyin;

private slots:
    void splitsEachKind()
    {
        using EntrySplitter::Kind;
        // Lines: the explanation before the first heading is no entry; headings are context.
        const QList<Entry> lines = EntrySplitter::splitCollection(
            QStringLiteral("选中后复制。\r\n\r\n【标点】\r\n、 。 ·  \r\n\r\n【括号】\r\n〔 〕\r\n"), Kind::Lines,
            QStringLiteral("〖特殊字符〗"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].text, QStringLiteral("、 。 ·"));
        QCOMPARE(lines[1].origin(), QStringLiteral("〖特殊字符〗·【括号】"));

        // Pictures: a block between blank lines or headings, leading blanks kept, one
        // heading over several blocks.
        const QList<Entry> pictures = EntrySplitter::splitCollection(
            QStringLiteral("【小猫咪】\n  /\\_/\\\n ( o.o )\n【春节】\n\n第一条，\n第二行。\n\n另一条\n"),
            Kind::Pictures, QStringLiteral("〖贴图〗"));
        QCOMPARE(pictures.size(), 3);
        QCOMPARE(pictures[0].text, QStringLiteral("  /\\_/\\\n ( o.o )"));
        QCOMPARE(pictures[0].heading, QStringLiteral("小猫咪"));
        QCOMPARE(pictures[1].text, QStringLiteral("第一条，\n第二行。"));
        QCOMPARE(pictures[2].heading, QStringLiteral("春节"));

        // Labelled lines: the label after the last gap of two or more spaces is not copied.
        const QList<Entry> faces = EntrySplitter::splitCollection(
            QStringLiteral("【开心】\n(^o^)               开心\n(o_ _)o zzZ         一头栽倒\n^_^\n"), Kind::Labelled,
            QStringLiteral("〖心情符号〗"));
        QCOMPARE(faces.size(), 3);
        QCOMPARE(faces[0].text, QStringLiteral("(^o^)"));
        QCOMPARE(faces[0].label, QStringLiteral("开心"));
        QCOMPARE(faces[1].text, QStringLiteral("(o_ _)o zzZ"));
        QCOMPARE(faces[2].text, QStringLiteral("^_^"));
        QVERIFY(faces[2].label.isEmpty());

        const QList<Entry> rows
            = EntrySplitter::catalogueList({ QStringLiteral("一"), QString(), QStringLiteral("二") },
                QStringLiteral("〖经典个性网名〗"), QStringLiteral("个性男生网名"));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1].origin(), QStringLiteral("〖经典个性网名〗·个性男生网名"));
        QCOMPARE(
            EntrySplitter::catalogueList({ QStringLiteral("一") }, QStringLiteral("〖经典个性签名〗"), {})[0].origin(),
            QStringLiteral("〖经典个性签名〗"));
    }

    void matches_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("chinese substring") << "心情" << QStringList { "心情好", "今天心情不错" };
        QTest::newRow("full pinyin") << "xinqing" << QStringList { "心情好", "今天心情不错" };
        QTest::newRow("initials") << "xq" << QStringList { "心情好", "今天心情不错" };
        QTest::newRow("mixed") << "xinq" << QStringList { "心情好", "今天心情不错" };
        QTest::newRow("pinyin and han") << "xin情" << QStringList { "心情好", "今天心情不错" };
        QTest::newRow("syllables apart") << "xin qing" << QStringList { "心情好", "今天心情不错" };
        QTest::newRow("polyphone chang") << "changda" << QStringList { "长大" };
        QTest::newRow("polyphone zhang") << "zhangda" << QStringList { "长大" };
        QTest::newRow("polyphone hang") << "yinhang" << QStringList { "银行" };
        QTest::newRow("v for u umlaut") << "lvse" << QStringList { "绿色" };
        QTest::newRow("u umlaut in a syllable") << "lüse" << QStringList { "绿色" };
        QTest::newRow("u umlaut literal") << "Mü" << QStringList { "Müller" };
        QTest::newRow("symbols literal") << "^_^" << QStringList { "^_^", "(^_^)" };
        QTest::newRow("case") << "QQ" << QStringList { "qq空间", "我的QQ" };
        QTest::newRow("letters literal") << "qqk" << QStringList { "qq空间" };
        QTest::newRow("no match") << "zzz" << QStringList {};
        QTest::newRow("not across a syllable") << "xingq" << QStringList {};
    }

    void matches()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, expected);
        SearchIndex index(m_pinyin);
        index.add(
            plain({ "今天心情不错", "心情好", "长大", "银行", "绿色", "(^_^)", "^_^", "我的QQ", "qq空间", "Müller" }));
        QCOMPARE(texts(index, index.search(query)), expected);
    }

    // Whole and prefix matches first, each group in page order; a label counts as the
    // entry, a heading only as context.
    void ranking()
    {
        SearchIndex index(m_pinyin);
        index.add(EntrySplitter::splitCollection(
            QStringLiteral("【开心】\n(^_^)    微笑\n(^o^)    开心\n【大笑】\n(^O^)    笑开心\n(*^o^*)    开心\n"),
            EntrySplitter::Kind::Labelled, QStringLiteral("〖心情符号〗")));
        index.add(plain({ "开心就好", "很开心" }));
        QCOMPARE(texts(index, index.search(QStringLiteral("kx"))),
            (QStringList { "(^o^)", "(*^o^*)", "开心就好", "(^_^)", "(^O^)", "很开心" }));
        QCOMPARE(texts(index, index.search(QStringLiteral("^o"))), (QStringList { "(^o^)", "(^O^)", "(*^o^*)" }));
        // A longer text searched among the results of a shorter one gives the same.
        const std::vector<qsizetype> k = index.search(QStringLiteral("k"));
        QCOMPARE(
            texts(index, index.search(QStringLiteral("kai"), k)), texts(index, index.search(QStringLiteral("kai"))));
        QCOMPARE(index.indexOfText(QStringLiteral("很开心")), 5);
    }

    // An entry found only through a rare, mostly archaic reading comes after every entry
    // found through common ones, whatever its rank; within each tier the order stays.
    void rareReadingsComeLast()
    {
        SearchIndex index(m_pinyin);
        index.add(plain({ "不好", "幸福", "有为青年", "服务", "为了你", "复活" }));
        QCOMPARE(texts(index, index.search(QStringLiteral("fu"))), (QStringList { "服务", "复活", "幸福", "不好" }));
        QCOMPARE(texts(index, index.search(QStringLiteral("fh"))), (QStringList { "复活", "不好" }));
        QCOMPARE(texts(index, index.search(QStringLiteral("wei"))), (QStringList { "为了你", "有为青年" }));
        // 有 read wèi: the common 为 inside the text does not lift the rare start.
        QCOMPARE(texts(index, index.search(QStringLiteral("weiwei"))), QStringList { "有为青年" });
        const SearchIndex::Ranked ranked = [&] {
            SearchIndex::LastSearch last;
            return index.search(QStringLiteral("weiwei"), last);
        }();
        QCOMPARE(ranked[SearchIndex::RankCount / 2 + 1].size(), 1u);
    }

    // A traditional character reads like its simplified form; lüe and nüe are also found
    // as input methods spell them.
    void readingsInputMethodsExpect_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("traditional mei") << "meishou" << QStringList { "沒收" };
        QTest::newRow("traditional mo") << "moshou" << QStringList { "沒收" };
        QTest::newRow("traditional shui") << "youshui" << QStringList { "遊說" };
        for (const char *q : { "celue", "celve", "celüe", "cl" })
            QTest::newRow(q) << q << QStringList { "策略" };
        for (const char *q : { "nue", "nve", "nüe", "NÜE" })
            QTest::newRow(q) << q << QStringList { "虐心" };
        QTest::newRow("nü") << "nü" << QStringList { "虐心", "女生" };
    }

    void readingsInputMethodsExpect()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, expected);
        SearchIndex index(m_pinyin);
        index.add(plain({ "沒收", "遊說", "策略", "虐心", "女生" }));
        QCOMPARE(texts(index, index.search(query)), expected);
    }

    // Width, style and case do not count in matching, but what is shown and copied is the
    // entry as written: the folded form may differ in length from it.
    void foldsWidthAndStyle()
    {
        QTemporaryDir dir;
        UserStore store(dir.path());
        store.load();
        for (const char *own : { "ＡＢＣ", "𝓛𝓸𝓿𝓮 你", "ⓛⓞⓥⓔ", "ｌｏｖｅ", "ﬂower", "Love" })
            store.addOwn(QString::fromUtf8(own));
        UserListIndex lists(m_pinyin, store);
        const SearchIndex &mine = lists.index(UserStore::Mine);
        QCOMPARE(texts(mine, mine.search(QStringLiteral("ABC"))), QStringList { "ＡＢＣ" });
        QCOMPARE(texts(mine, mine.search(QStringLiteral("ａｂｃ"))), QStringList { "ＡＢＣ" });
        QCOMPARE(
            texts(mine, mine.search(QStringLiteral("LOVE"))), (QStringList { "ⓛⓞⓥⓔ", "ｌｏｖｅ", "Love", "𝓛𝓸𝓿𝓮 你" }));
        QCOMPARE(texts(mine, mine.search(QStringLiteral("love ni"))), QStringList { "𝓛𝓸𝓿𝓮 你" });
        QCOMPARE(texts(mine, mine.search(QStringLiteral("flow"))), QStringList { "ﬂower" });
        QCOMPARE(mine.indexOfText(QStringLiteral("ＡＢＣ")), 0);

        // Full-width pinyin and an ideographic space in the search text.
        SearchIndex index(m_pinyin);
        index.add(plain({ "心情好" }));
        QCOMPARE(texts(index, index.search(QStringLiteral("ｘｉｎ　ｑｉｎｇ\u3000"))), QStringList { "心情好" });
    }

    // Searching among the previous results, as typing does, finds what a fresh search of
    // the same text finds, whatever was typed before.
    void narrowingFindsWhatAFreshSearchFinds()
    {
        SearchIndex index(m_pinyin);
        index.add(
            plain({ "it's", "天天开心", "x q", "心情", "^_^ 开心", "绿 lü", "t'x", "qing", "'", "Don't", "新 情" }));
        const QStringList pieces = { "'", " ", "t", "x", "q", "i", "n", "g", "k", "l", "v", "ü", "^", "_", "心", "s" };
        QRandomGenerator random(21);
        const auto typed = [&](int most) {
            QString out;
            for (int n = 1 + int(random.bounded(most)); n > 0; --n)
                out += pieces[random.bounded(int(pieces.size()))];
            return out;
        };
        for (int trial = 0; trial < 3000; ++trial) {
            const QString before = typed(4);
            // Mostly typed on, sometimes replaced.
            const QString after = random.bounded(4) ? before + typed(3) : typed(5);
            SearchIndex::LastSearch last;
            index.search(before, last);
            SearchIndex::LastSearch none;
            QVERIFY2(index.search(after, last) == index.search(after, none), qPrintable(before + u'|' + after));
        }
        // Numbers from before a change are not taken for entries after it.
        SearchIndex::LastSearch last;
        QCOMPARE(index.search(QStringLiteral("j"), last)[2].size(), 0u);
        index.add(plain({ "jiu" }));
        QCOMPARE(texts(index, index.search(QStringLiteral("ji"), last)[1]), QStringList { "jiu" });
    }

    // A list brought up to date prepares only the entries it did not hold; those it no
    // longer holds are let go once they outweigh the rest.
    void assignReusesPreparedEntries()
    {
        QStringList lines;
        for (int i = 0; i < 1000; ++i)
            lines.append(QStringLiteral("第%1条心情").arg(i));
        SearchIndex index(m_pinyin);
        index.assign(plain(lines));
        const std::size_t chars = index.preparedChars();
        lines.insert(500, QStringLiteral("开心"));
        index.assign(plain(lines));
        QCOMPARE(index.preparedChars(), chars + 2);
        QCOMPARE(texts(index, index.search(QStringLiteral("kx"))), QStringList { "开心" });
        QCOMPARE(index.search(QStringLiteral("xq")).size(), 1000u);
        index.assign(plain({ "第7条心情", "新的" }));
        QVERIFY(index.preparedChars() < 20);
        QCOMPARE(texts(index, index.search(QStringLiteral("xq"))), QStringList { "第7条心情" });
        QCOMPARE(texts(index, index.search(QStringLiteral("xd"))), QStringList { "新的" });
        QCOMPARE(index.indexOfText(QStringLiteral("新的")), 1);
    }

    // The user's lists are indexed when they have changed, not at every search; an entry
    // found in the catalogue takes its place there, an own one is marked as such.
    void userListsFollowTheStore()
    {
        QTemporaryDir dir;
        UserStore store(dir.path());
        store.load();
        store.addOwn(QStringLiteral("喵喵"));
        store.setFavourite(QStringLiteral("喵喵"), true);
        store.setFavourite(QStringLiteral("天天开心"), true);
        UserListIndex lists(m_pinyin, store);
        const SearchIndex *favourites = &lists.index(UserStore::Favourites);
        QCOMPARE(favourites->entry(0).origin(), QString());
        QCOMPARE(favourites->entry(1).origin(), UserListIndex::MineOrigin);
        const quint64 generation = favourites->generation();
        QCOMPARE(lists.index(UserStore::Favourites).generation(), generation);

        SearchIndex catalogue(m_pinyin);
        catalogue.add(plain({ "心情", "天天开心" }));
        lists.setCatalogue(&catalogue);
        QCOMPARE(lists.index(UserStore::Favourites).entry(0).origin(), QStringLiteral("〖页〗"));
        store.addOwn(QStringLiteral("开心"));
        QCOMPARE(texts(lists.index(UserStore::Mine), lists.index(UserStore::Mine).search(QStringLiteral("kx"))),
            QStringList { "开心" });
        // Stars are looked up in a set that follows every change.
        QVERIFY(store.isFavourite(QStringLiteral("天天开心")));
        store.setFavourite(QStringLiteral("天天开心"), false);
        QVERIFY(!store.isFavourite(QStringLiteral("天天开心")));
        QCOMPARE(
            texts(lists.index(UserStore::Favourites), lists.index(UserStore::Favourites).search(QStringLiteral("m"))),
            QStringList { "喵喵" });
        store.remove(UserStore::Mine, QStringLiteral("喵喵"));
        QCOMPARE(lists.index(UserStore::Favourites).entry(0).origin(), QString());
        UserStore again(dir.path());
        again.load();
        QVERIFY(again.isFavourite(QStringLiteral("喵喵")) && !again.isFavourite(QStringLiteral("天天开心")));
    }

    // On the shipped emoticons: kx finds the 开心 ones, and what would be copied has no label.
    void shippedEmoticons()
    {
        QFile f(QStringLiteral(ZELTO_CONTENT_DIR "/collections/18.txt"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<Entry> entries = EntrySplitter::splitCollection(
            QString::fromUtf8(f.readAll()), EntrySplitter::Kind::Labelled, QStringLiteral("〖心情符号〗"));
        QVERIFY(entries.size() > 400);
        for (const Entry &e : entries) {
            QVERIFY2(!e.label.isEmpty() && !e.text.contains(QStringLiteral("  ")), qPrintable(e.text));
        }
        SearchIndex index(m_pinyin);
        index.add(entries);
        const QStringList found = texts(index, index.search(QStringLiteral("kx")));
        QVERIFY(found.contains(QStringLiteral("(^o^)")));
        QCOMPARE(
            index.entry(index.search(QStringLiteral("kx")).front()).origin(), QStringLiteral("〖心情符号〗·【开心】"));
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
