#include "convert/CVCODE.h"
#include "convert/GbToBig.h"
#include "convert/TableText.h"

#include <QTest>

#include <unicode/translit.h>

#include <memory>

namespace {

QString transliterate(const char *id, const QString &text)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> t(icu::Transliterator::createInstance(id, UTRANS_FORWARD, status));
    if (U_FAILURE(status))
        return {};
    icu::UnicodeString s(reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()));
    t->transliterate(s);
    return QString(reinterpret_cast<const QChar *>(s.getBuffer()), s.length());
}

const QString kSimplifiedProse
    = QStringLiteral("那天我失眠，随手进了一个聊天室，里面只剩一个叫“不睡觉的猫”的人。我们从宵夜聊到天气，"
                     "又从天气聊到各自的烦恼。天快亮的时候，他说：谢谢你陪我，今天好像没那么难过了。"
                     "后来我再也没见过这个网名，但每次失眠，我都会想起那只猫。爱情、电话、发现、报纸、尽力。");

} // namespace

class TstCvcode : public QObject
{
    Q_OBJECT

private slots:
    void singleCharacters_data();
    void singleCharacters();
    void agreesWithTransformOnProse();
    void otherCharactersPassThrough();
    void tableConverterOnText();
};

void TstCvcode::singleCharacters_data()
{
    QTest::addColumn<QString>("simplified");
    QTest::addColumn<QString>("traditional");
    QTest::newRow("level 2") << "骅"
                             << "驊";
    QTest::newRow("common") << "爱电报发"
                            << "愛電報發";
    QTest::newRow("unchanged") << "你好啊"
                               << "你好啊";
    QTest::newRow("several forms") << "后着"
                                   << "後著";
}

void TstCvcode::singleCharacters()
{
    QFETCH(QString, simplified);
    QFETCH(QString, traditional);
    QCOMPARE(ToTraditional(simplified), traditional);
    QCOMPARE(ToSimplified(traditional), simplified);
    // Characters already in the requested script stay.
    QCOMPARE(ToTraditional(traditional), traditional);
    QCOMPARE(ToSimplified(simplified), simplified);
}

// ICU's transforms also rewrite some phrases (里面→裏面) and quotation marks (“→「); the
// converters map each Chinese character alone and leave punctuation to the text.
void TstCvcode::agreesWithTransformOnProse()
{
    auto byCharacter = [](const char *id, const QString &text) {
        QString expected;
        for (const QChar c : text) {
            const QString mapped = transliterate(id, QString(c));
            expected += mapped.size() == 1 && c.script() == QChar::Script_Han ? mapped : QString(c);
        }
        return expected;
    };
    const QString traditional = ToTraditional(kSimplifiedProse);
    QVERIFY(traditional != kSimplifiedProse);
    QCOMPARE(traditional, byCharacter("Simplified-Traditional", kSimplifiedProse));
    QCOMPARE(ToSimplified(traditional), byCharacter("Traditional-Simplified", traditional));
    QCOMPARE(ToSimplified(traditional), kSimplifiedProse);
    QVERIFY(!traditional.contains(QStringLiteral("裏面")));
    QVERIFY(traditional.contains(QStringLiteral("“不睡覺的貓”")));
}

void TstCvcode::otherCharactersPassThrough()
{
    const QString other
        = QStringLiteral("ABC xyz 0123456789\r\n，。！？、“”【】『』〖〗★☆ㄋ¥€ あいうアイウ \uE816\uE817 ");
    QCOMPARE(ToTraditional(other), other);
    QCOMPARE(ToSimplified(other), other);
    QCOMPARE(ToTraditional(QString()), QString());

    // Outside code page 936: emoji, CJK Extension B (𠂇, 𩽾), a lone surrogate.
    const QString outside = QStringLiteral("😀𠂇爱𩽾") + QChar(0xD800) + QStringLiteral("爱");
    QCOMPARE(ToTraditional(outside), QStringLiteral("😀𠂇愛𩽾") + QChar(0xD800) + QStringLiteral("愛"));
    QCOMPARE(ToSimplified(QStringLiteral("愛𩽾😀愛")), QStringLiteral("爱𩽾😀爱"));
}

void TstCvcode::tableConverterOnText()
{
    TGbToBig conv;
    QCOMPARE(convertWithTable(conv, QString()), QString());
    QCOMPARE(convertWithTable(conv, QStringLiteral("你好，中国！\r\nabc")), QStringLiteral("伱恏，中國！\r\nabc"));
    // Characters without a GBK code are copied, not turned into '?'.
    QCOMPARE(convertWithTable(conv, QStringLiteral("😀你好😀𠂇中国?")), QStringLiteral("😀伱恏😀𠂇中國?"));
    QCOMPARE(convertWithTable(conv, QStringLiteral("爱") + QChar(0xDC00) + QStringLiteral("爱")),
        QStringLiteral("愛") + QChar(0xDC00) + QStringLiteral("愛"));
    QCOMPARE(convertWithTable(conv, QStringLiteral("一大")), QStringLiteral("\uE817\uE816"));
    conv.SetMode(TGbToBig::Big2Gb);
    QCOMPARE(convertWithTable(conv, QStringLiteral("\uE817\uE816伱😀恏")), QStringLiteral("一大你😀好"));
}

QTEST_GUILESS_MAIN(TstCvcode)
#include "tst_cvcode.moc"
