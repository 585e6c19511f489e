// Real search texts on the shipped content: what a user means comes first, and entries
// found only through rare readings come after it.

#include "find/Pinyin.h"
#include "find/SearchIndex.h"
#include "find/ShippedEntries.h"

#include <QTest>

namespace {

bool mentionsAny(const Entry &e, const QStringList &words)
{
    for (const QString &w : words) {
        if (e.text.contains(w) || e.label.contains(w) || e.heading.contains(w))
            return true;
    }
    return false;
}

} // namespace

class TestRanking : public QObject
{
    Q_OBJECT

    const Pinyin m_pinyin;
    SearchIndex m_index { m_pinyin };

private slots:
    void initTestCase()
    {
        const QString content = QStringLiteral(ZELTO_CONTENT_DIR);
        m_index.add(ShippedEntries::pageEntries(
            ShippedEntries::collectionTexts(content), ShippedEntries::catalogueLists(content)));
        QVERIFY(m_index.size() > 3000);
    }

    // The first result mentions one of `wanted`, and so does no entry found only through
    // rare readings: those come after every entry that does. `share`: the least number of
    // the first ten results found through common readings (the figures before and after
    // are in docs/performance.md).
    void realQueries_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("wanted");
        QTest::addColumn<int>("share");
        QTest::newRow("fu: 福 服 before 不 fū") << "fu" << QStringList { "福", "服" } << 10;
        QTest::newRow("wei: 为 未 喂 before 有 wèi") << "wei" << QStringList { "为", "未", "喂" } << 10;
        QTest::newRow("kx: 开心 emoticons") << "kx" << QStringList { "开心" } << 10;
        QTest::newRow("xiao: 笑 and 微笑 emoticons") << "xiao" << QStringList { "笑" } << 10;
        QTest::newRow("nuo: 诺 挪 before 那 nuó") << "nuo" << QStringList { "诺", "挪" } << 2;
        QTest::newRow("fou: 否 before 不 fǒu") << "fou" << QStringList { "否" } << 1;
        QTest::newRow("tuo: 脱 拖 before 他 tuó") << "tuo" << QStringList { "脱", "拖" } << 7;
    }

    void realQueries()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, wanted);
        QFETCH(int, share);
        SearchIndex::LastSearch last;
        const SearchIndex::Ranked ranked = m_index.search(query, last);
        QVERIFY(!ranked[0].empty() || !ranked[1].empty() || !ranked[2].empty());
        int shown = 0;
        int common = 0;
        for (std::size_t group = 0; group < ranked.size(); ++group) {
            const bool rare = group >= SearchIndex::RankCount / 2;
            for (const qsizetype i : ranked[group]) {
                const Entry &e = m_index.entry(i);
                if (shown == 0 || rare)
                    QVERIFY2(mentionsAny(e, wanted) != rare, qPrintable(e.text + u'|' + e.label));
                if (shown < 10 && !rare)
                    ++common;
                ++shown;
            }
        }
        qInfo("%s: %d of the first ten through common readings, %d results", qPrintable(query), common, shown);
        QVERIFY(common >= share);
    }
};

QTEST_GUILESS_MAIN(TestRanking)
#include "tst_ranking.moc"
