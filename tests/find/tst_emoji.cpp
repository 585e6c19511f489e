// The emoji table: what the generator keeps and leaves out, skin tones, and finding emoji
// by their Chinese, traditional and English names and by pinyin.

#include "find/EmojiCatalogue.h"
#include "find/EmojiSource.h"
#include "find/Pinyin.h"
#include "find/SearchIndex.h"
#include "platform/SettingsStore.h"
#include "support/Files.h"
#include "support/ToolSupport.h"

#include <QTest>

namespace {

const EmojiCatalogue::Emoji *find(const EmojiCatalogue &catalogue, const QString &text)
{
    for (const EmojiCatalogue::Emoji &e : catalogue.emoji()) {
        if (e.text == text)
            return &e;
    }
    return nullptr;
}

QStringList found(const SearchIndex &index, const QString &query)
{
    QStringList out;
    for (const qsizetype i : index.search(query))
        out.append(index.entry(i).text);
    return out;
}

} // namespace

class TestEmoji : public QObject
{
    Q_OBJECT

    const EmojiCatalogue m_catalogue;

private slots:
    void tableKeepsUnicodeOrderInNineGroups()
    {
        const std::vector<EmojiCatalogue::Emoji> &all = m_catalogue.emoji();
        QVERIFY(all.size() > 1800);
        QCOMPARE(all.front().text, QStringLiteral("😀"));
        QCOMPARE(all.back().group, EmojiCatalogue::GroupCount - 1);
        int group = 0;
        for (const EmojiCatalogue::Emoji &e : all) {
            QVERIFY2(e.group == group || e.group == group + 1, qPrintable(e.text));
            group = e.group;
        }
        QCOMPARE(find(m_catalogue, QStringLiteral("🐱"))->group, 2);
        QCOMPARE(find(m_catalogue, QStringLiteral("🇨🇳"))->group, 8);
        QCOMPARE(EmojiCatalogue::groupName(2), QStringLiteral("动物与自然"));
        // 😂 comes after 😀 and before 🙂, as Unicode orders them.
        const auto at = [&](const QString &text) { return find(m_catalogue, text) - all.data(); };
        QVERIFY(at(QStringLiteral("😀")) < at(QStringLiteral("😂")));
        QVERIFY(at(QStringLiteral("😂")) < at(QStringLiteral("🙂")));
    }

    void keepsFullyQualifiedFormsWithoutToneVariants()
    {
        // Emoji that are text by default carry U+FE0F; the bare forms are not offered.
        QVERIFY(find(m_catalogue, QStringLiteral("❤️")));
        QVERIFY(!find(m_catalogue, QStringLiteral("❤")));
        QVERIFY(find(m_catalogue, QStringLiteral("#️⃣")));
        for (const EmojiCatalogue::Emoji &e : m_catalogue.emoji()) {
            for (char32_t tone = 0x1F3FB; tone <= 0x1F3FF; ++tone)
                QVERIFY2(!e.text.contains(QString::fromUcs4(&tone, 1)), qPrintable(e.text));
        }
        // No Chinese name in CLDR 41 (an Emoji 15.0 face): left out rather than shown bare.
        QVERIFY(!find(m_catalogue, QStringLiteral("🫨")));
    }

    void namesInSimplifiedTraditionalAndEnglish()
    {
        const EmojiCatalogue::Emoji *joy = find(m_catalogue, QStringLiteral("😂"));
        QVERIFY(joy);
        QCOMPARE(joy->name, QStringLiteral("笑哭了"));
        QVERIFY(joy->keywords.split(u' ').contains(QStringLiteral("笑")));
        QCOMPARE(joy->traditionalName, QStringLiteral("感動"));
        QCOMPARE(joy->englishName, QStringLiteral("face with tears of joy"));
        QCOMPARE(find(m_catalogue, QStringLiteral("🇨🇳"))->name, QStringLiteral("旗: 中国"));
    }

    void skinTonesGiveUnicodeSequences()
    {
        const auto toned = [&](const QString &text, int tone) { return find(m_catalogue, text)->withTone(tone); };
        QCOMPARE(toned(QStringLiteral("👍"), 0), QStringLiteral("👍"));
        QCOMPARE(toned(QStringLiteral("👍"), 3), QStringLiteral("👍🏽"));
        // The variation selector goes where the tone comes.
        QCOMPARE(toned(QStringLiteral("✌️"), 1), QStringLiteral("✌🏻"));
        // Every person of a sequence takes it.
        QCOMPARE(toned(QStringLiteral("🧑‍🤝‍🧑"), 5), QStringLiteral("🧑🏿‍🤝‍🧑🏿"));
        QCOMPARE(toned(QStringLiteral("🏃‍♀️"), 2), QStringLiteral("🏃🏼‍♀️"));
        QCOMPARE(toned(QStringLiteral("😂"), 4), QStringLiteral("😂"));
    }

    void toneSettingReachesTheEntries()
    {
        WorkingFolder folder;
        QVERIFY(folder.enter());
        SettingsStore store(folder.path() + QStringLiteral("/settings.ini"));
        QCOMPARE(EmojiSource::storedTone(store), 0);
        EmojiSource::storeTone(store, 4);
        EmojiSource::storeTone(store, 3);
        QCOMPARE(EmojiSource::storedTone(store), 3);

        EmojiSource source;
        source.setTone(EmojiSource::storedTone(store));
        const QList<Entry> entries = source.entryReader()();
        QCOMPARE(qsizetype(entries.size()), source.entryCount());
        const auto thumbs = std::find_if(entries.begin(), entries.end(),
            [](const Entry &e) { return e.label.startsWith(QStringLiteral("拇指向上")); });
        QVERIFY(thumbs != entries.end());
        QCOMPARE(thumbs->text, QStringLiteral("👍🏽"));
        QCOMPARE(thumbs->origin(), QStringLiteral("〖Emoji表情〗·【人物与身体】"));

        EmojiSource::storeTone(store, 0);
        QCOMPARE(EmojiSource::storedTone(store), 0);
        folder.leave();
    }

    void foundByChineseTraditionalEnglishAndPinyin()
    {
        const Pinyin pinyin;
        SearchIndex index(pinyin);
        EmojiSource source;
        index.add(source.entryReader()());
        const QString joy = QStringLiteral("😂");
        for (const char *query : { "笑", "xiao", "xiaoku", "xkl", "感動", "tears of joy" })
            QVERIFY2(found(index, QString::fromUtf8(query)).contains(joy), query);
        QVERIFY(found(index, QStringLiteral("笑")).contains(QStringLiteral("😄")));
        QVERIFY(found(index, QStringLiteral("kx")).contains(QStringLiteral("😄")));
        QVERIFY(found(index, QStringLiteral("中国")).contains(QStringLiteral("🇨🇳")));
    }

    // On a small made-up input: what the generator keeps, in what form.
    void generatorLeavesOutNewerUnnamedAndComponents()
    {
        WorkingFolder folder;
        QVERIFY(folder.enter());
        QByteArray list = "# Version: 15.0\n";
        QByteArray zh = "<ldml><annotations>\n";
        const char *const groups[] = { "Smileys & Emotion", "People & Body", "Component", "Animals & Nature",
            "Food & Drink", "Travel & Places", "Activities", "Objects", "Symbols", "Flags" };
        // The generator wants a named emoji in every group; what matters is which of those
        // in the last group it keeps.
        for (const char *group : groups)
            list += QByteArray("# group: ") + group + "\n1F600 ; fully-qualified # 😀 E1.0 grinning face\n";
        list += "1F44D ; fully-qualified # 👍 E0.6 thumbs up\n"
                "1F44D 1F3FB ; fully-qualified # 👍🏻 E1.0 thumbs up: light skin tone\n"
                "1F44D 1F3FC ; fully-qualified # 👍🏼 E1.0 thumbs up: medium-light skin tone\n"
                "1F44D 1F3FD ; fully-qualified # 👍🏽 E1.0 thumbs up: medium skin tone\n"
                "1F44D 1F3FE ; fully-qualified # 👍🏾 E1.0 thumbs up: medium-dark skin tone\n"
                "1F44D 1F3FF ; fully-qualified # 👍🏿 E1.0 thumbs up: dark skin tone\n"
                "263A FE0F ; fully-qualified # ☺️ E0.6 smiling face\n"
                "263A ; unqualified # ☺ E0.6 smiling face\n"
                "1F9B0 ; component # 🦰 E11.0 red hair\n"
                "1FAE8 ; fully-qualified # 🫨 E15.0 shaking face\n"
                "1FAE9 ; fully-qualified # 🫩 E15.1 face with bags under eyes\n";
        for (const char *cp : { "😀", "👍", "☺", "🦰", "🫩" })
            zh += QByteArray("<annotation cp=\"") + cp + "\">词 | 名" + cp + "</annotation>\n<annotation cp=\"" + cp
                + "\" type=\"tts\">名" + cp + "</annotation>\n";
        zh += "</annotations></ldml>\n";
        const QByteArray none = "<ldml><annotations/></ldml>\n";
        for (const auto &[name, bytes] :
            { std::pair { "emoji-test.txt", list }, { "zh.xml", zh }, { "none.xml", none } })
            QVERIFY(writeFile(folder.path() + u'/' + QLatin1String(name), bytes));
        const QString out = folder.path() + QStringLiteral("/out.cpp");
        const ToolRun run = runTool(QStringLiteral(ZELTO_EMOJI_TABLE),
            { QStringLiteral("emoji-test.txt"), QStringLiteral("zh.xml"), QStringLiteral("none.xml"),
                QStringLiteral("none.xml"), QStringLiteral("none.xml"), QStringLiteral("none.xml"),
                QStringLiteral("none.xml"), out });
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        const QString table = QString::fromUtf8(readFile(out));
        QVERIFY(table.contains(QStringLiteral("u\"😀\\t\\t0\\t名😀\\t词\\t\\t\\t\\n\"")));
        QVERIFY(table.contains(QStringLiteral("u\"👍\\t👍🏻\\t8\\t名👍")));
        QVERIFY(table.contains(QStringLiteral("u\"☺️\\t\\t8\\t名☺")));
        for (const char *left : { "u\"☺\\t", "🦰", "🫨", "🫩", "u\"👍🏽" })
            QVERIFY2(!table.contains(QString::fromUtf8(left)), left);
        folder.leave();
    }
};

QTEST_GUILESS_MAIN(TestEmoji)
#include "tst_emoji.moc"
