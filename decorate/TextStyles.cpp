#include "decorate/TextStyles.h"

#include "decorate/Graphemes.h"
#include "decorate/MarsTable.h"

#include <QHash>

#include <algorithm>

namespace {

constexpr QChar IdeographicSpace(0x3000);

int slotOf(char32_t c)
{
    if (c >= U'A' && c <= U'Z')
        return int(c - U'A');
    if (c >= U'a' && c <= U'z')
        return 26 + int(c - U'a');
    if (c >= U'0' && c <= U'9')
        return 52 + int(c - U'0');
    return -1;
}

// Only plain marks may follow: a variation selector or an enclosing keycap makes an emoji.
bool plainMarksFrom(const QString &grapheme, qsizetype from)
{
    for (qsizetype i = from; i < grapheme.size(); ++i) {
        const QChar c = grapheme.at(i);
        if (c.category() != QChar::Mark_NonSpacing || (c.unicode() >= 0xFE00 && c.unicode() <= 0xFE0F))
            return false;
    }
    return true;
}

// The slot of a grapheme that is one ASCII letter or digit with plain marks, else -1.
int slotOfGrapheme(const QString &grapheme)
{
    if (grapheme.isEmpty() || grapheme.at(0).unicode() > 0x7F)
        return -1;
    const int slot = slotOf(grapheme.at(0).unicode());
    return slot >= 0 && plainMarksFrom(grapheme, 1) ? slot : -1;
}

QString replacedSlot(const QString &grapheme, char32_t to)
{
    return QString::fromUcs4(&to, 1) + grapheme.mid(1);
}

char32_t lookUp(std::span<const MarsTable::Pair> table, char32_t c)
{
    const auto at = std::lower_bound(
        table.begin(), table.end(), c, [](const MarsTable::Pair &p, char32_t value) { return p.from < value; });
    return at != table.end() && at->from == c ? at->to : 0;
}

bool isBlank(const QString &grapheme)
{
    return std::all_of(grapheme.begin(), grapheme.end(), [](QChar c) { return c.isSpace(); });
}

} // namespace

namespace TextStyles {

QString fancy(FancyTable::Style style, const QString &text)
{
    QString out;
    out.reserve(text.size() * 2);
    for (const QString &g : Graphemes::split(text)) {
        const int slot = slotOfGrapheme(g);
        const char32_t to = slot >= 0 ? FancyTable::letters[style][slot] : 0;
        out += to ? replacedSlot(g, to) : g;
    }
    return out;
}

QString mars(const QString &text, Strength strength)
{
    const std::span<const MarsTable::Pair> table = strength == Strength::Light ? MarsTable::light : MarsTable::heavy;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char32_t to = c.isSurrogate() ? 0 : lookUp(table, c.unicode());
        if (to)
            out += QString::fromUcs4(&to, 1);
        else
            out += c;
    }
    return out;
}

QString marked(const QString &text, char16_t mark)
{
    QString out;
    for (const QString &g : Graphemes::split(text)) {
        out += g;
        if (g != QStringLiteral("\n") && g != QStringLiteral("\r\n"))
            out += QChar(mark);
    }
    return out;
}

QString reversed(const QString &text)
{
    QStringList graphemes = Graphemes::split(text);
    std::reverse(graphemes.begin(), graphemes.end());
    return graphemes.join(QString());
}

QString spaced(const QString &text, const QString &separator)
{
    QStringList graphemes = Graphemes::split(text);
    graphemes.removeIf(isBlank);
    return graphemes.join(separator);
}

QString verticalForm(const QString &grapheme)
{
    static const QHash<QString, QString> forms = [] {
        QHash<QString, QString> h;
        static constexpr struct
        {
            const char16_t *from;
            char16_t to;
        } table[] = {
            // The Vertical Forms block (U+FE10…) has no glyphs in the usual Chinese fonts;
            // full-width punctuation sits in its cell as well.
            { u",", u'，' },
            { u".", u'。' },
            { u":", u'：' },
            { u";", u'；' },
            { u"!", u'！' },
            { u"?", u'？' },
            { u"…", u'\u22EE' },
            { u"—", u'\uFE31' },
            { u"-", u'\uFE31' },
            { u"（", u'\uFE35' },
            { u"(", u'\uFE35' },
            { u"）", u'\uFE36' },
            { u")", u'\uFE36' },
            { u"｛", u'\uFE37' },
            { u"{", u'\uFE37' },
            { u"｝", u'\uFE38' },
            { u"}", u'\uFE38' },
            { u"〔", u'\uFE39' },
            { u"〕", u'\uFE3A' },
            { u"【", u'\uFE3B' },
            { u"】", u'\uFE3C' },
            { u"《", u'\uFE3D' },
            { u"》", u'\uFE3E' },
            { u"〈", u'\uFE3F' },
            { u"〉", u'\uFE40' },
            { u"「", u'\uFE41' },
            { u"」", u'\uFE42' },
            { u"『", u'\uFE43' },
            { u"』", u'\uFE44' },
            { u"“", u'\uFE41' },
            { u"”", u'\uFE42' },
            { u"‘", u'\uFE43' },
            { u"’", u'\uFE44' },
            { u"[", u'\uFE47' },
            { u"]", u'\uFE48' },
        };
        for (const auto &entry : table)
            h.insert(QString::fromUtf16(entry.from), QString(QChar(entry.to)));
        return h;
    }();
    if (const auto found = forms.constFind(grapheme); found != forms.constEnd())
        return *found;
    if (isBlank(grapheme))
        return QString(IdeographicSpace);
    const int slot = slotOfGrapheme(grapheme);
    if (slot >= 0)
        return replacedSlot(grapheme, FancyTable::letters[FancyTable::Fullwidth][slot]);
    return grapheme;
}

QString vertical(const QString &text, int height)
{
    QStringList cells;
    for (const QString &g : Graphemes::split(text)) {
        if (g == QStringLiteral("\n") || g == QStringLiteral("\r\n"))
            continue;
        cells.append(verticalForm(g));
    }
    while (!cells.isEmpty() && cells.back() == QString(IdeographicSpace))
        cells.removeLast();
    if (cells.isEmpty())
        return {};
    const qsizetype rows = height > 0 ? std::min<qsizetype>(height, cells.size()) : cells.size();
    const qsizetype columns = (cells.size() + rows - 1) / rows;
    QStringList lines;
    for (qsizetype r = 0; r < rows; ++r) {
        QStringList line;
        for (qsizetype c = columns - 1; c >= 0; --c) {
            const qsizetype at = c * rows + r;
            line.append(at < cells.size() ? cells.at(at) : QString(IdeographicSpace));
        }
        lines.append(line.join(IdeographicSpace));
    }
    return lines.join(u'\n');
}

QString framed(const QString &frame, const QString &text)
{
    return QString(frame).replace(QStringLiteral("{}"), text);
}

} // namespace TextStyles
