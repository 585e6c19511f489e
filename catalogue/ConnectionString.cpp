#include "catalogue/ConnectionString.h"

#include "platform/AppError.h"

namespace ConnectionString {

QList<Field> parse(QStringView text)
{
    QList<Field> fields;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const qsizetype eq = text.indexOf(u'=', i);
        const qsizetype semi = text.indexOf(u';', i);
        if (eq < 0 || (semi >= 0 && semi < eq)) {
            const QStringView rest = text.mid(i, semi < 0 ? n - i : semi - i);
            if (!rest.trimmed().isEmpty())
                throw AppError(QStringLiteral("Format of the initialization string is not valid "
                                              "starting at index %1.")
                                   .arg(i));
            i = semi < 0 ? n : semi + 1; // empty fields between separators are allowed
            continue;
        }
        Field field;
        field.name = text.mid(i, eq - i).trimmed().toString();
        i = eq + 1;
        while (i < n && text[i] == u' ')
            ++i;
        if (i < n && text[i] == u'"') {
            const qsizetype start = i;
            ++i;
            bool closed = false;
            while (i < n) {
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        field.value += u'"';
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                field.value += text[i++];
            }
            if (!closed)
                throw AppError(QStringLiteral("Format of the initialization string is not valid "
                                              "starting at index %1.")
                                   .arg(start));
            while (i < n && text[i] != u';')
                ++i;
        } else {
            const qsizetype end = text.indexOf(u';', i);
            field.value = text.mid(i, (end < 0 ? n : end) - i).trimmed().toString();
            i = end < 0 ? n : end;
        }
        if (field.value.isNull())
            field.value = QLatin1String("");
        fields.append(field);
        ++i; // the separator
    }
    return fields;
}

QString value(const QList<Field> &fields, QStringView name)
{
    for (const Field &f : fields) {
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return f.value;
    }
    return {};
}

} // namespace ConnectionString
