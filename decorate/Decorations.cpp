#include "decorate/Decorations.h"

#include "decorate/TextStyles.h"

namespace Decorations {

QStringList separators()
{
    return { QStringLiteral("丶"), QStringLiteral("ゞ"), QStringLiteral("·"), QStringLiteral("ღ") };
}

std::vector<Row> rows(const QString &name, const Options &options)
{
    std::vector<Row> out;
    if (name.trimmed().isEmpty())
        return out;
    using TextStyles::Strength;
    out.push_back({ QStringLiteral("火星文·轻度"), TextStyles::mars(name, Strength::Light) });
    out.push_back({ QStringLiteral("火星文·重度"), TextStyles::mars(name, Strength::Heavy) });

    static constexpr const char16_t *fancyNames[FancyTable::StyleCount] = { u"粗体", u"斜体", u"粗斜体", u"花体",
        u"粗花体", u"哥特体", u"粗哥特体", u"空心体", u"无衬线", u"无衬线粗体", u"无衬线斜体", u"无衬线粗斜体", u"等宽",
        u"圆圈", u"黑圆圈", u"方块", u"全角", u"小型大写", u"上标" };
    for (int s = 0; s < FancyTable::StyleCount; ++s)
        out.push_back({ QString::fromUtf16(fancyNames[s]), TextStyles::fancy(FancyTable::Style(s), name) });

    static constexpr struct
    {
        const char16_t *name;
        char16_t mark;
    } marks[] = { { u"删除线", u'\u0336' }, { u"下划线", u'\u0332' }, { u"斜线", u'\u0338' }, { u"加点", u'\u0307' } };
    for (const auto &m : marks)
        out.push_back({ QString::fromUtf16(m.name), TextStyles::marked(name, m.mark) });

    out.push_back({ QStringLiteral("倒序"), TextStyles::reversed(name) });
    out.push_back({ QStringLiteral("间隔"), TextStyles::spaced(name, options.separator) });
    out.push_back({ QStringLiteral("竖排"), TextStyles::vertical(name, options.columnHeight) });

    for (qsizetype i = 0; i < options.frames.size(); ++i) {
        const bool own = options.ownFramesFrom >= 0 && i >= options.ownFramesFrom;
        out.push_back({ own ? QStringLiteral("我的花边") : QStringLiteral("花边"),
            TextStyles::framed(options.frames.at(i), name) });
    }
    return out;
}

} // namespace Decorations
