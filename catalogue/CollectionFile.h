#pragma once

#include <QString>

// The nineteen text collections: GBK files "data/1.zelto" … "data/19.zelto" beside the
// catalogue, each shown whole in its memo.
namespace CollectionFile {

inline constexpr int Count = 19;
// The most a memo takes.
inline constexpr qint64 MemoCapacity = qint64(64) * 1024 * 1024;

// "data/<number>.zelto", relative to the working directory.
QString path(int number);

// The whole text of one file: every line ending made CR LF, decoded from GBK. Zero bytes
// are left out. Throws AppError "Cannot open file "<full path>". <reason>" when the file
// cannot be read, and "Text exceeds memo capacity" when it is larger than a memo takes.
QString load(const QString &path);

} // namespace CollectionFile
