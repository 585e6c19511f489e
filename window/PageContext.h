#pragma once

class CopyFeedback;
class QWidget;
class TbsSkinMessage;

// What a page with copy commands gets from the main window: the window (parent of its
// menus, owner of its error boxes), the message component for its notices, and the copy
// feedback that may take the notice's place (none in tests that need no feedback).
struct PageContext
{
    QWidget *form = nullptr;
    TbsSkinMessage *messages = nullptr;
    CopyFeedback *copies = nullptr;
};
