#pragma once

#include "window/CopyFeedback.h"
#include "window/MessageTypes.h"
#include "window/PageContext.h"
#include "window/TbsSkinMessage.h"

#include <QString>

// The notice that follows every copy command: how to paste what was copied. It closes by
// itself after its time, counting down in its title.
namespace CopyNotice {

inline const QString Text = QStringLiteral(
    "已经成功复制到剪切板，请您在需要输入的文本区粘贴\r\r粘贴方法：\r\r1、在需要粘贴的文本区单击右键，单击“粘贴”"
    "\r\r2、在需要粘贴的文本区按CTRL+V组合键");

// Copy commands of the lists and collections wait 30 s, "复制全部" of the conversion page 10 s.
inline constexpr int ListTimeoutMs = 30000;
inline constexpr int CopyAllTimeoutMs = 10000;

// After a copy of `entry` (empty when the text is no entry): the window's copy feedback
// first, then the notice unless the feedback took its place.
inline void show(const PageContext &context, int timeoutMs, const QString &entry = {})
{
    if (context.copies && context.copies->copied(entry))
        return;
    context.messages->showTimedNotice(Text, mtInformation, timeoutMs);
}

} // namespace CopyNotice
