#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Connection strings of the form  Name=Value;Name="quoted; value";...  A quoted value may
// hold ';' and '=', and "" inside quotes stands for one quote.
namespace ConnectionString {

// The catalogue's connection, field for field as the program has always named it. Only
// "Data Source" and "Mode" mean something to the SQLite engine; the rest is kept as is.
inline const QString Catalogue = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;"
                                                "User ID=Admin;"
                                                "Data Source=zeltodata.dll;"
                                                "Mode=Share Deny None;"
                                                "Extended Properties=\"\";"
                                                "Jet OLEDB:System database=\"\";"
                                                "Jet OLEDB:Registry Path=\"\";"
                                                "Jet OLEDB:Database Password=\"qorve5318204&!\";"
                                                "Jet OLEDB:Engine Type=5;"
                                                "Jet OLEDB:Database Locking Mode=1;"
                                                "Jet OLEDB:Global Partial Bulk Ops=2;"
                                                "Jet OLEDB:Global Bulk Transactions=1;"
                                                "Jet OLEDB:New Database Password=\"\";"
                                                "Jet OLEDB:Create System Database=False;"
                                                "Jet OLEDB:Encrypt Database=False;"
                                                "Jet OLEDB:Don't Copy Locale on Compact=False;"
                                                "Jet OLEDB:Compact Without Replica Repair=False;"
                                                "Jet OLEDB:SFP=False");

struct Field
{
    QString name;
    QString value; // unquoted
};

// Throws AppError on a field without "=" or an unterminated quote.
QList<Field> parse(QStringView text);

// The value of the first field of that name (names compare without case); null if absent.
QString value(const QList<Field> &fields, QStringView name);

} // namespace ConnectionString
