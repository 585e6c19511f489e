#pragma once

#include <QString>

// One thing the user can copy, as the search sees it. Only text is copied; the label and
// the heading are there to be found by and to say where the entry comes from.
struct Entry
{
    QString text;
    QString label; // an emoticon's or code's meaning, e.g. 微笑
    QString heading; // the 【title】 it stands under, without the brackets
    QString page; // the page caption, e.g. 〖心情符号〗

    // "〖心情符号〗·【开心】"
    QString origin() const
    {
        return heading.isEmpty() ? page : page + QStringLiteral("·【") + heading + QStringLiteral("】");
    }
};
