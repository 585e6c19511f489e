#include "find/PhraseExport.h"
#include "find/Pinyin.h"
#include "support/Files.h"

#include <QTemporaryDir>
#include <QTest>

using Format = PhraseExport::Format;

class TestPhraseExport : public QObject
{
    Q_OBJECT
private slots:
    void keysFromLabelOrFirstCharacters()
    {
        const PhraseExport e(m_pinyin);
        QCOMPARE(e.keys({ QStringLiteral("(^o^)"), QStringLiteral("开心") }), QStringList { QStringLiteral("kx") });
        // No label, or one that gives no key: the text's first characters.
        QCOMPARE(e.keys({ QStringLiteral("今天，很开心好吗"), {} }), QStringList { QStringLiteral("jthkxh") });
        // An entry of several lines by its first.
        QCOMPARE(e.keys({ QStringLiteral("天天开心\n第二行"), {} }), QStringList { QStringLiteral("ttkx") });
        QCOMPARE(e.keys({ QStringLiteral("Hi5 你好"), QStringLiteral("~~") }), QStringList { QStringLiteral("hi5nh") });
        QCOMPARE(e.keys({ QStringLiteral("★☆……"), {} }), QStringList());
        // Each reading of a character with several: 行 hang/xing.
        QStringList both = e.keys({ QStringLiteral("行"), {} });
        both.sort();
        QCOMPARE(both, (QStringList { QStringLiteral("h"), QStringLiteral("x") }));
        QVERIFY(e.keys({ QStringLiteral("行行行行行行"), {} }).size() <= PhraseExport::MaxKeys);
    }

    void fcitxPhrasesAreQuotedAndEscaped()
    {
        const PhraseExport e(m_pinyin);
        const PhraseExport::Block block = e.block(
            {
                { QStringLiteral("\\(^o^)/ \"好\""), QStringLiteral("开心") },
                { QStringLiteral(" 第一行\r\n第二行\t# "), QStringLiteral("两条") },
                { QStringLiteral("★★"), {} },
            },
            Format::Fcitx);
        QCOMPARE(block.text,
            QStringLiteral("#zelto-export-begin\n"
                           "kx \"\\\\(^o^)/ \\\"好\\\"\"\n"
                           "lt \" 第一行\\n第二行\t# \"\n"
                           "#zelto-export-end\n"));
        QCOMPARE(block.written, 2);
        QCOMPARE(block.skipped, 1);
    }

    // Rime has no escapes: what would break a line or start a comment stays out.
    void rimeLeavesOutWhatItCannotHold()
    {
        const PhraseExport e(m_pinyin);
        const PhraseExport::Block block = e.block(
            {
                { QStringLiteral("(^o^) 好"), QStringLiteral("开心") },
                { QStringLiteral("一\n二"), {} },
                { QStringLiteral("一\t二"), {} },
                { QStringLiteral("#话题"), {} },
            },
            Format::Rime);
        QVERIFY(block.text.startsWith(PhraseExport::beginMarker(Format::Rime) + QLatin1Char('\n')));
        QVERIFY(block.text.contains(QStringLiteral("\n(^o^) 好\tkx\n# zelto-export-end\n")));
        QCOMPARE(block.written, 1);
        QCOMPARE(block.skipped, 3);
    }

    // A second export replaces what the first wrote and nothing of the user's.
    void exportingAgainReplacesOnlyOurBlock_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("fcitx5") << int(Format::Fcitx);
        QTest::newRow("Rime") << int(Format::Rime);
    }
    void exportingAgainReplacesOnlyOurBlock()
    {
        QFETCH(int, format);
        const auto f = Format(format);
        const PhraseExport e(m_pinyin);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sub/phrases"));
        QString error;
        QVERIFY2(
            PhraseExport::write(path, e.block({ { QStringLiteral("旧的"), {} } }, f), f, &error), qPrintable(error));
        const QString first = QString::fromUtf8(readFile(path));
        QVERIFY(first.contains(QStringLiteral("旧的")));

        // The user adds lines before and after ours.
        QVERIFY(writeFile(path, ("mine 我的第一行\n" + first + "mine2 我的最后一行").toUtf8()));
        QVERIFY2(
            PhraseExport::write(path, e.block({ { QStringLiteral("新的"), {} } }, f), f, &error), qPrintable(error));
        const QString second = QString::fromUtf8(readFile(path));
        QVERIFY(!second.contains(QStringLiteral("旧的")));
        QCOMPARE(second,
            QStringLiteral("mine 我的第一行\n") + first.left(first.indexOf(PhraseExport::beginMarker(f)))
                + e.block({ { QStringLiteral("新的"), {} } }, f).text + QStringLiteral("mine2 我的最后一行"));
        QCOMPARE(second.count(PhraseExport::beginMarker(f)), 1);
    }

    // Whatever stands in the way, the file and the user's lines stay as they were.
    void problemsLeaveTheFileAlone_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("end marker missing")
            << QByteArray("a 1\n#zelto-export-begin\nkx \"x\"\nb 2\n") << QStringLiteral("缺了开头或结尾的标记行");
        QTest::newRow("begin marker missing")
            << QByteArray("a 1\nkx \"x\"\n#zelto-export-end\n") << QStringLiteral("缺了开头或结尾的标记行");
        QTest::newRow("not UTF-8") << QByteArray("a \xff\xfe\n") << QStringLiteral("不是 UTF-8 文本");
    }
    void problemsLeaveTheFileAlone()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zelto.mb"));
        QVERIFY(writeFile(path, content));
        QString error;
        const PhraseExport e(m_pinyin);
        QVERIFY(!PhraseExport::write(
            path, e.block({ { QStringLiteral("开心"), {} } }, Format::Fcitx), Format::Fcitx, &error));
        QVERIFY2(
            error.startsWith(QStringLiteral("无法写入“%1”：").arg(path)) && error.contains(reason), qPrintable(error));
        QCOMPARE(readFile(path), content);
    }

    void unwritableFolderIsReported()
    {
        QTemporaryDir dir;
        // Its parent is a file, which holds for root too.
        QVERIFY(writeFile(dir.filePath(QStringLiteral("file")), "x"));
        const QString path = dir.filePath(QStringLiteral("file/quickphrase.d/zelto.mb"));
        QString error;
        const PhraseExport e(m_pinyin);
        QVERIFY(!PhraseExport::write(
            path, e.block({ { QStringLiteral("开心"), {} } }, Format::Fcitx), Format::Fcitx, &error));
        QVERIFY2(error.startsWith(QStringLiteral("无法写入“%1”：").arg(path)), qPrintable(error));
        QCOMPARE(readFile(dir.filePath(QStringLiteral("file"))), QByteArray("x"));
    }

private:
    Pinyin m_pinyin;
};

QTEST_GUILESS_MAIN(TestPhraseExport)
#include "tst_phraseexport.moc"
