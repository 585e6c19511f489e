// Generates the emoji table: every fully-qualified emoji of emoji-test.txt up to the emoji
// version the shipped colour font draws, in its order and groups, that CLDR names in
// Chinese. Skin-tone forms are not emoji of their own: an emoji that takes a tone carries
// its form with the lightest tone, which the program turns into any of the five.
//
// Usage: emoji_table emoji-test.txt annotations/zh.xml annotationsDerived/zh.xml
//                    annotations/zh_Hant.xml annotationsDerived/zh_Hant.xml
//                    annotations/en.xml annotationsDerived/en.xml OUTPUT.cpp
#include <QFile>
#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The newest emoji that Debian's colour emoji font draws.
constexpr int NewestMajor = 15;
constexpr int NewestMinor = 0;

constexpr char32_t LightestTone = 0x1F3FB;
constexpr char32_t DarkestTone = 0x1F3FF;

// emoji-test.txt's groups in its order; the component group holds no emoji to offer.
const char *const Groups[] = { "Smileys & Emotion", "People & Body", "Animals & Nature", "Food & Drink",
    "Travel & Places", "Activities", "Objects", "Symbols", "Flags" };

[[noreturn]] void fail(const QString &message)
{
    std::fprintf(stderr, "emoji_table: %s\n", qPrintable(message));
    std::exit(1);
}

QByteArray readAll(const char *path)
{
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot open %1").arg(QString::fromLocal8Bit(path)));
    return file.readAll();
}

bool isTone(char32_t c)
{
    return c >= LightestTone && c <= DarkestTone;
}

// The key CLDR names an emoji by: its code points without variation selector 16.
QString keyOf(const QString &text)
{
    QString key = text;
    key.remove(QChar(0xFE0F));
    return key;
}

struct Names
{
    QString name;
    QStringList keywords;
};

// One locale's annotations, the plain and the derived file together.
QHash<QString, Names> readAnnotations(const char *plain, const char *derived)
{
    QHash<QString, Names> out;
    for (const char *path : { plain, derived }) {
        QXmlStreamReader xml(readAll(path));
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("annotation"))
                continue;
            const QXmlStreamAttributes attributes = xml.attributes();
            const QString key = keyOf(attributes.value(QLatin1String("cp")).toString());
            const bool tts = attributes.value(QLatin1String("type")) == QLatin1String("tts");
            const QString value = xml.readElementText().trimmed();
            // "↑↑↑" stands for "as the parent locale", which is not ours to follow.
            if (value.isEmpty() || value == QStringLiteral("↑↑↑"))
                continue;
            Names &names = out[key];
            if (tts) {
                names.name = value;
            } else {
                names.keywords.clear();
                for (const QString &word : value.split(u'|'))
                    if (!word.trimmed().isEmpty())
                        names.keywords.append(word.trimmed());
            }
        }
        if (xml.hasError())
            fail(QStringLiteral("%1: %2").arg(QString::fromLocal8Bit(path), xml.errorString()));
    }
    return out;
}

struct Emoji
{
    QString text;
    QString toned;
    int group = 0;
};

// Keywords without the name itself, space-separated.
QString keywordsOf(const Names &names)
{
    QStringList words;
    for (const QString &word : names.keywords)
        if (word != names.name && !words.contains(word))
            words.append(word);
    return words.join(u' ');
}

QString clean(const QString &field)
{
    if (field.contains(u'\t') || field.contains(u'\n') || field.contains(u'"') || field.contains(u'\\'))
        fail(QStringLiteral("a name holds a character the table cannot: %1").arg(field));
    return field;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 9) {
        std::fprintf(stderr,
            "usage: emoji_table emoji-test.txt zh.xml derived/zh.xml zh_Hant.xml derived/zh_Hant.xml en.xml "
            "derived/en.xml OUTPUT.cpp\n");
        return 2;
    }
    const QHash<QString, Names> zh = readAnnotations(argv[2], argv[3]);
    const QHash<QString, Names> hant = readAnnotations(argv[4], argv[5]);
    const QHash<QString, Names> en = readAnnotations(argv[6], argv[7]);

    const QRegularExpression line(QStringLiteral("^([0-9A-F ]+?)\\s*; ([a-z-]+)\\s*# \\S+ E(\\d+)\\.(\\d+) "));
    QString version;
    QList<Emoji> emoji;
    QSet<QString> qualified;
    // The lightest uniform tone form of each emoji that takes tones, by the emoji's key.
    QHash<QString, QString> lightest;
    int group = -1;
    int tooNew = 0;
    const QStringList lines = QString::fromUtf8(readAll(argv[1])).split(u'\n');
    for (const QString &text : lines) {
        if (text.startsWith(QLatin1String("# Version: ")))
            version = text.mid(11).trimmed();
        if (text.startsWith(QLatin1String("# group: "))) {
            const QString name = text.mid(9).trimmed();
            group = -1;
            for (int g = 0; g < int(std::size(Groups)); ++g)
                if (name == QLatin1String(Groups[g]))
                    group = g;
            if (group < 0 && name != QLatin1String("Component"))
                fail(QStringLiteral("unknown group %1").arg(name));
            continue;
        }
        const QRegularExpressionMatch m = line.match(text);
        if (!m.hasMatch() || m.captured(2) != QLatin1String("fully-qualified") || group < 0)
            continue;
        const int major = m.captured(3).toInt();
        const int minor = m.captured(4).toInt();
        if (major > NewestMajor || (major == NewestMajor && minor > NewestMinor)) {
            ++tooNew;
            continue;
        }
        QString sequence;
        bool toned = false;
        bool uniform = true;
        for (const QString &hex : m.captured(1).split(u' ', Qt::SkipEmptyParts)) {
            const char32_t c = hex.toUInt(nullptr, 16);
            if (isTone(c)) {
                toned = true;
                uniform = uniform && c == LightestTone;
            }
            sequence += QString::fromUcs4(&c, 1);
        }
        qualified.insert(sequence);
        if (!toned) {
            emoji.append({ sequence, {}, group });
            continue;
        }
        if (!uniform)
            continue;
        QString base = keyOf(sequence);
        for (char32_t t = LightestTone; t <= DarkestTone; ++t)
            base.remove(QString::fromUcs4(&t, 1));
        lightest.insert(base, sequence);
    }
    if (version.isEmpty() || emoji.isEmpty())
        fail(QStringLiteral("too few emoji; is this emoji-test.txt?"));

    const QString light = QString::fromUcs4(&LightestTone, 1);
    QString table;
    int unnamed = 0;
    int takingTones = 0;
    std::array<int, std::size(Groups)> perGroup {};
    for (Emoji &e : emoji) {
        const QString key = keyOf(e.text);
        const Names names = zh.value(key);
        if (names.name.isEmpty()) {
            ++unnamed;
            continue;
        }
        e.toned = lightest.value(key);
        // Every tone must give an emoji of the file, or the table would offer broken ones.
        for (char32_t t = LightestTone + 1; !e.toned.isEmpty() && t <= DarkestTone; ++t) {
            QString other = e.toned;
            other.replace(light, QString::fromUcs4(&t, 1));
            if (!qualified.contains(other))
                e.toned.clear();
        }
        takingTones += e.toned.isEmpty() ? 0 : 1;
        ++perGroup[std::size_t(e.group)];
        const Names traditional = hant.value(key);
        const QStringList fields
            = { e.text, e.toned, QString::number(e.group), clean(names.name), clean(keywordsOf(names)),
                  clean(traditional.name), clean(keywordsOf(traditional)), clean(en.value(key).name) };
        table += QStringLiteral("    u\"") + fields.join(QStringLiteral("\\t")) + QStringLiteral("\\n\"\n");
    }
    for (std::size_t g = 0; g < perGroup.size(); ++g)
        if (perGroup[g] == 0)
            fail(QStringLiteral("no emoji named in group %1").arg(QLatin1String(Groups[g])));

    QFile out(QString::fromLocal8Bit(argv[8]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("cannot write %1").arg(out.fileName()));
    const QString source = QStringLiteral(
        "// Generated by tools/emoji_table from emoji-test.txt of Emoji %1 and the CLDR annotations; do not\n"
        "// edit by hand. Data: Unicode, Inc., under the licence in find/UNICODE-LICENSE.txt.\n"
        "// One line per emoji, fields separated by tabs: the emoji, its form with the lightest skin\n"
        "// tone when it takes one, its group, the Chinese name and keywords, the traditional name\n"
        "// and keywords, the English name. Kept as generated, which the regeneration check compares:\n"
        "// clang-format off\n"
        "#include \"find/EmojiTable.h\"\n\n"
        "namespace {\n\n"
        "const char16_t text[] =\n"
        "%2    u\"\";\n\n"
        "} // namespace\n\n"
        "const std::u16string_view EmojiTable::lines(text, std::size(text) - 1);\n")
                               .arg(version, table);
    if (out.write(source.toUtf8()) < 0 || !out.flush())
        fail(QStringLiteral("cannot write %1").arg(out.fileName()));
    std::fprintf(stderr, "emoji_table: %lld emoji (%d take skin tones); %d without a Chinese name, %d too new\n",
        static_cast<long long>(emoji.size() - unnamed), takingTones, unnamed, tooNew);
    return 0;
}
