#include "ReviewMarkText.h"
#include "convert/PhraseConverter.h"
#include "convert/PhraseLibrary.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// The phrase-level converter against the installed OpenCC data and the opencc command.
class TestPhraseConverter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void phrasesDecideAndLeaveNoMarks_data();
    void phrasesDecideAndLeaveNoMarks();
    void loneAmbiguousCharacterIsMarked_data();
    void loneAmbiguousCharacterIsMarked();
    void phraseWithSeveralFormsIsMarked_data();
    void phraseWithSeveralFormsIsMarked();
    void onlyFormsInRealUseAreOffered_data();
    void onlyFormsInRealUseAreOffered();
    void regionsDiffer();
    void sameTextAsOpenccCommand_data();
    void sameTextAsOpenccCommand();
    void charactersOutsideGbkSurvive();
    void simplifiedTextOffersOnlyGbkForms();
    void missingOrBadDataGivesReasons();

private:
    const PhraseConverter &converter(PhraseConverter::Config config) const;
    // The current row's conversion and marks (columns config, source, expected, marks).
    void compareMarks();

    std::unique_ptr<PhraseLibrary> m_library;
};

void TestPhraseConverter::initTestCase()
{
    m_library = std::make_unique<PhraseLibrary>(PhraseLibrary::defaultDataDir());
    for (int c = 0; c < PhraseConverter::ConfigCount; ++c)
        QVERIFY2(
            m_library->converter(PhraseConverter::Config(c)), qPrintable(m_library->error(PhraseConverter::Config(c))));
}

const PhraseConverter &TestPhraseConverter::converter(PhraseConverter::Config config) const
{
    return *m_library->converter(config);
}

// Each checked against the installed dictionaries with "opencc -c s2t.json".
void TestPhraseConverter::phrasesDecideAndLeaveNoMarks_data()
{
    QTest::addColumn<int>("config");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    QTest::newRow("头发") << int(PhraseConverter::S2T) << QStringLiteral("头发") << QStringLiteral("頭髮");
    QTest::newRow("发展") << int(PhraseConverter::S2T) << QStringLiteral("发展") << QStringLiteral("發展");
    QTest::newRow("面条") << int(PhraseConverter::S2T) << QStringLiteral("面条") << QStringLiteral("麪條");
    QTest::newRow("干净") << int(PhraseConverter::S2T) << QStringLiteral("干净") << QStringLiteral("乾淨");
    QTest::newRow("sentence") << int(PhraseConverter::S2T) << QStringLiteral("我的头发和发展")
                              << QStringLiteral("我的頭髮和發展");
    QTest::newRow("t2s 頭髮") << int(PhraseConverter::T2S) << QStringLiteral("頭髮") << QStringLiteral("头发");
}

void TestPhraseConverter::phrasesDecideAndLeaveNoMarks()
{
    QFETCH(int, config);
    QFETCH(QString, source);
    QFETCH(QString, expected);
    const PhraseResult result = converter(PhraseConverter::Config(config)).convert(source);
    QCOMPARE(result.text, expected);
    QCOMPARE(result.marks, QList<ReviewMark>());
    QCOMPARE(converter(PhraseConverter::Config(config)).convert(source, false).text, expected);
}

void TestPhraseConverter::loneAmbiguousCharacterIsMarked_data()
{
    QTest::addColumn<int>("config");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QList<ReviewMark>>("marks");
    QTest::newRow("发") << int(PhraseConverter::S2T) << QStringLiteral("发") << QStringLiteral("發")
                        << QList<ReviewMark> { { 0, { QStringLiteral("發"), QStringLiteral("髮") } } };
    // Positions count UTF-16 units, after a character beyond the BMP too.
    QTest::newRow("after emoji and phrase")
        << int(PhraseConverter::S2T) << QStringLiteral("😀头发干") << QStringLiteral("😀頭髮幹")
        << QList<ReviewMark> { { 4, { QStringLiteral("幹"), QStringLiteral("乾"), QStringLiteral("干") } } };
    QTest::newRow("two marks") << int(PhraseConverter::S2T) << QStringLiteral("发，后") << QStringLiteral("發，後")
                               << QList<ReviewMark> { { 0, { QStringLiteral("發"), QStringLiteral("髮") } },
                                      { 2, { QStringLiteral("後"), QStringLiteral("后") } } };
    // A later step of the chain carries the candidates on: Hong Kong forms of both.
    QTest::newRow("s2hk 发") << int(PhraseConverter::S2HK) << QStringLiteral("发") << QStringLiteral("發")
                             << QList<ReviewMark> { { 0, { QStringLiteral("發"), QStringLiteral("髮") } } };
    QTest::newRow("t2s 乾") << int(PhraseConverter::T2S) << QStringLiteral("乾") << QStringLiteral("干")
                            << QList<ReviewMark> { { 0, { QStringLiteral("干"), QStringLiteral("乾") } } };
}

void TestPhraseConverter::loneAmbiguousCharacterIsMarked()
{
    compareMarks();
}

void TestPhraseConverter::compareMarks()
{
    QFETCH(int, config);
    QFETCH(QString, source);
    QFETCH(QString, expected);
    QFETCH(QList<ReviewMark>, marks);
    const PhraseResult result = converter(PhraseConverter::Config(config)).convert(source);
    QCOMPARE(result.text, expected);
    QCOMPARE(result.marks, marks);
    for (const ReviewMark &mark : result.marks)
        QCOMPARE(result.text.mid(mark.position, mark.length()), mark.candidates.first());
}

// OpenCC's phrase dictionaries give these phrases several values; its first one is the text.
void TestPhraseConverter::phraseWithSeveralFormsIsMarked_data()
{
    QTest::addColumn<int>("config");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QList<ReviewMark>>("marks");
    QTest::newRow("干了") << int(PhraseConverter::S2T) << QStringLiteral("衣服干了") << QStringLiteral("衣服幹了")
                          << QList<ReviewMark> { { 2, { QStringLiteral("幹"), QStringLiteral("乾") } } };
    QTest::newRow("天后") << int(PhraseConverter::S2T) << QStringLiteral("天后") << QStringLiteral("天后")
                          << QList<ReviewMark> { { 1, { QStringLiteral("后"), QStringLiteral("後") } } };
    // Both characters differ: the phrase is one mark.
    QTest::newRow("出戏") << int(PhraseConverter::S2T) << QStringLiteral("出戏") << QStringLiteral("出戏")
                          << QList<ReviewMark> { { 0, { QStringLiteral("出戏"), QStringLiteral("齣戲") } } };
    // A later step of the chain carries the mark on.
    QTest::newRow("s2hk 回复") << int(PhraseConverter::S2HK) << QStringLiteral("回复") << QStringLiteral("回覆")
                               << QList<ReviewMark> { { 1, { QStringLiteral("覆"), QStringLiteral("復") } } };
    QTest::newRow("s2twp 打开") << int(PhraseConverter::S2TWP) << QStringLiteral("打开") << QStringLiteral("開啟")
                                << QList<ReviewMark> { { 0, { QStringLiteral("開啟"), QStringLiteral("打開") } } };
    QTest::newRow("tw2sp 計程車") << int(PhraseConverter::TW2SP) << QStringLiteral("計程車") << QStringLiteral("出租车")
                                  << QList<ReviewMark> { { 0, { QStringLiteral("出租车"), QStringLiteral("的士") } } };
}

void TestPhraseConverter::phraseWithSeveralFormsIsMarked()
{
    compareMarks();
}

// A form is offered where it is in real use: the dictionaries' phrases use it often, not
// only in a few phrases that decide it themselves; simplified text offers nothing beyond
// code page 936.
void TestPhraseConverter::onlyFormsInRealUseAreOffered_data()
{
    QTest::addColumn<int>("config");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("candidates");
    const auto row = [](PhraseConverter::Config config, const QString &source, const QString &candidates) {
        QTest::newRow(qPrintable(source))
            << int(config) << source << (candidates.isEmpty() ? QStringList() : candidates.split(u'/'));
    };
    row(PhraseConverter::S2T, QStringLiteral("发"), QStringLiteral("發/髮"));
    row(PhraseConverter::S2T, QStringLiteral("后"), QStringLiteral("後/后"));
    row(PhraseConverter::S2T, QStringLiteral("干"), QStringLiteral("幹/乾/干"));
    row(PhraseConverter::S2T, QStringLiteral("面"), QStringLiteral("面/麪"));
    row(PhraseConverter::S2T, QStringLiteral("里"), QStringLiteral("裏/里"));
    row(PhraseConverter::S2T, QStringLiteral("台"), QStringLiteral("臺/檯"));
    row(PhraseConverter::S2T, QStringLiteral("复"), QStringLiteral("復/複/覆"));
    row(PhraseConverter::S2T, QStringLiteral("余"), QStringLiteral("餘/余"));
    row(PhraseConverter::S2T, QStringLiteral("准"), QStringLiteral("準/准"));
    row(PhraseConverter::S2T, QStringLiteral("松"), QStringLiteral("松/鬆"));
    row(PhraseConverter::S2T, QStringLiteral("只"), QStringLiteral("只/隻"));
    row(PhraseConverter::S2T, QStringLiteral("了"), {});
    row(PhraseConverter::S2T, QStringLiteral("个"), {});
    row(PhraseConverter::S2T, QStringLiteral("吃"), {});
    row(PhraseConverter::S2T, QStringLiteral("家"), {});
    row(PhraseConverter::S2T, QStringLiteral("它"), {});
    row(PhraseConverter::S2HK, QStringLiteral("个只"), QStringLiteral("只/隻"));
    row(PhraseConverter::T2S, QStringLiteral("乾"), QStringLiteral("干/乾"));
    row(PhraseConverter::T2S, QStringLiteral("瞭"), QStringLiteral("瞭/了"));
    row(PhraseConverter::T2S, QStringLiteral("麼"), {});
    row(PhraseConverter::T2S, QStringLiteral("開買願戰線"), {});
    row(PhraseConverter::TW2SP, QStringLiteral("願"), {});
}

void TestPhraseConverter::onlyFormsInRealUseAreOffered()
{
    QFETCH(int, config);
    QFETCH(QString, source);
    QFETCH(QStringList, candidates);
    const PhraseResult result = converter(PhraseConverter::Config(config)).convert(source);
    QList<ReviewMark> marks;
    if (!candidates.isEmpty())
        marks.append({ result.text.indexOf(candidates.first()), candidates });
    QCOMPARE(result.marks, marks);
}

void TestPhraseConverter::regionsDiffer()
{
    QCOMPARE(converter(PhraseConverter::S2TWP).convert(u"软件").text, QStringLiteral("軟體"));
    QCOMPARE(converter(PhraseConverter::S2T).convert(u"软件").text, QStringLiteral("軟件"));
    QCOMPARE(converter(PhraseConverter::TW2SP).convert(u"軟體").text, QStringLiteral("软件"));
    QCOMPARE(converter(PhraseConverter::S2T).convert(u"说").text, QStringLiteral("說"));
    QCOMPARE(converter(PhraseConverter::S2HK).convert(u"说").text, QStringLiteral("説"));
}

void TestPhraseConverter::sameTextAsOpenccCommand_data()
{
    QTest::addColumn<int>("config");
    for (int c = 0; c < PhraseConverter::ConfigCount; ++c)
        QTest::newRow(qPrintable(PhraseLibrary::configFileName(PhraseConverter::Config(c)))) << c;
}

// A few hundred lines of our own signatures, and their traditional form for the
// traditional-to-simplified configurations.
void TestPhraseConverter::sameTextAsOpenccCommand()
{
    QFETCH(int, config);
    const QString opencc = QStandardPaths::findExecutable(QStringLiteral("opencc"));
    QVERIFY2(!opencc.isEmpty(), "the opencc command is missing (tools/deps.sh installs it)");
    QFile file(QStringLiteral(ZELTO_CONTENT_DIR "/catalogue/gxqm.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString source = QString::fromUtf8(file.readAll());
    QVERIFY(source.count(u'\n') > 300);
    source += converter(PhraseConverter::S2TWP).convert(source).text;

    const QString fileName = PhraseLibrary::configFileName(PhraseConverter::Config(config));
    QProcess process;
    process.start(opencc, { QStringLiteral("-c"), QDir(PhraseLibrary::defaultDataDir()).filePath(fileName) });
    process.write(source.toUtf8());
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    const QString expected = QString::fromUtf8(process.readAllStandardOutput());

    const PhraseResult result = converter(PhraseConverter::Config(config)).convert(source);
    QCOMPARE(result.text, expected);
    QCOMPARE(converter(PhraseConverter::Config(config)).convert(source, false).text, expected);
    QVERIFY(!result.marks.isEmpty());
    for (const ReviewMark &mark : result.marks)
        QCOMPARE(result.text.mid(mark.position, mark.length()), mark.candidates.first());
}

// OpenCC itself would turn 䁖 into 瞜, 𪑅 (Extension B) into 䵳; code page 936 holds neither.
void TestPhraseConverter::charactersOutsideGbkSurvive()
{
    const QString loneSurrogate(QChar(0xD800));
    const QString source = QStringLiteral("发😀头发䁖𠀀𪑅") + loneSurrogate + QStringLiteral("发");
    const PhraseResult result = converter(PhraseConverter::S2T).convert(source);
    QCOMPARE(result.text, QStringLiteral("發😀頭髮䁖𠀀𪑅") + loneSurrogate + QStringLiteral("發"));
    QCOMPARE(result.marks.size(), 2);
    QCOMPARE(result.marks[1].position, result.text.size() - 1);
    QCOMPARE(converter(PhraseConverter::T2S).convert(u"𪑅\U0001F600").text, QStringLiteral("𪑅😀"));
}

// Dictionaries of our own (OpenCC reads text ones too), the same for both directions.
void TestPhraseConverter::simplifiedTextOffersOnlyGbkForms()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeFile(dir.filePath(QStringLiteral("phrases.txt")), "開關\t开关 \xf0\xab\x94\xad关\n"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("chars.txt")), "開\t开\n關\t关\n"));
    const QByteArray config
        = R"({ "segmentation": { "type": "mmseg", "dict": { "type": "text", "file": "phrases.txt" } },
        "conversion_chain": [ { "dict": { "type": "group", "dicts": [
            { "type": "text", "file": "phrases.txt" }, { "type": "text", "file": "chars.txt" } ] } } ] })";
    for (const char *name : { "s2t.json", "t2s.json" })
        QVERIFY(writeFile(dir.filePath(QLatin1String(name)), config));
    const PhraseLibrary library(dir.path());
    QVERIFY2(library.converter(PhraseConverter::T2S), qPrintable(library.error(PhraseConverter::T2S)));
    const PhraseResult simplified = library.converter(PhraseConverter::T2S)->convert(u"開關");
    QCOMPARE(simplified.text, QStringLiteral("开关"));
    QCOMPARE(simplified.marks, QList<ReviewMark>());
    QCOMPARE(library.converter(PhraseConverter::S2T)->convert(u"開關").marks,
        (QList<ReviewMark> { { 0, { QStringLiteral("开"), QStringLiteral("\U0002B52D") } } }));
}

void TestPhraseConverter::missingOrBadDataGivesReasons()
{
    const auto errorOf = [](const QString &dir) {
        const PhraseLibrary library(dir);
        for (int c = 0; c < PhraseConverter::ConfigCount; ++c) {
            if (library.converter(PhraseConverter::Config(c)))
                return QStringLiteral("loaded %1").arg(c);
        }
        return library.error(PhraseConverter::S2T);
    };
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(errorOf(QString()).contains(QStringLiteral("找不到 OpenCC 的数据文件夹")));
    QVERIFY(errorOf(dir.filePath(QStringLiteral("none"))).contains(QStringLiteral("找不到 OpenCC 的数据文件夹")));
    QCOMPARE(errorOf(dir.path()), QStringLiteral("缺少 OpenCC 的数据文件“s2t.json”（%1）").arg(dir.path()));

    const QDir installed(PhraseLibrary::defaultDataDir());
    QVERIFY(QFile::copy(installed.filePath(QStringLiteral("s2t.json")), dir.filePath(QStringLiteral("s2t.json"))));
    QCOMPARE(errorOf(dir.path()), QStringLiteral("缺少 OpenCC 的数据文件“STPhrases.ocd2”（%1）").arg(dir.path()));

    // A FIFO in place of a dictionary would block the loading for ever.
    QVERIFY(mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("STPhrases.ocd2"))).constData(), 0600) == 0);
    QCOMPARE(errorOf(dir.path()),
        QStringLiteral("OpenCC 的数据文件“STPhrases.ocd2”不是可读的普通文件（%1）").arg(dir.path()));
    QVERIFY(QFile::remove(dir.filePath(QStringLiteral("STPhrases.ocd2"))));

    for (const char *name : { "STPhrases.ocd2", "STCharacters.ocd2" })
        QVERIFY(writeFile(dir.filePath(QLatin1String(name)), QByteArray(4096, 'x')));
    QCOMPARE(errorOf(dir.path()), QStringLiteral("OpenCC 无法载入配置“s2t.json”或它的词典（%1）").arg(dir.path()));

    QVERIFY(writeFile(dir.filePath(QStringLiteral("s2t.json")), "{ not json"));
    QCOMPARE(errorOf(dir.path()), QStringLiteral("OpenCC 的配置文件“s2t.json”格式有误（%1）").arg(dir.path()));
}

QTEST_GUILESS_MAIN(TestPhraseConverter)
#include "tst_phraseconverter.moc"
