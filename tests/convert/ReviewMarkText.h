#pragma once

#include "convert/PhraseConverter.h"

#include <QTest>

// How QCOMPARE prints a review mark: its position and candidates.
Q_DECLARE_METATYPE(ReviewMark)

inline char *toString(const ReviewMark &mark)
{
    return QTest::toString(QStringLiteral("%1 %2").arg(mark.position).arg(mark.candidates.join(u'/')));
}
