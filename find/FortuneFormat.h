#pragma once

#include <QByteArray>
#include <QStringList>

#include <optional>

// The user's lists on disk: UTF-8 text, every entry followed by a line holding only "%".
// An entry line made only of percent signs gets one more when written and loses one when
// read, so "%" inside an entry is kept as "%%" and "%%" as "%%%".
namespace FortuneFormat {

QByteArray write(const QStringList &entries);
// Nothing when the bytes are not UTF-8 text. Zero bytes are dropped (older versions wrote
// them). Line ends may be LF or CR LF; empty entries are left out; a last entry without
// its "%" still counts.
std::optional<QStringList> read(const QByteArray &bytes);

} // namespace FortuneFormat
