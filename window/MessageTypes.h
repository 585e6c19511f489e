#pragma once

#include <QtGlobal>

// Kinds of message dialog; the value chooses the title and the icon.
enum TMsgDlgType : int { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

// Buttons, by bit number; they always appear in this order, left to right.
enum TMsgDlgBtn : int {
    mbYes = 0,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp,
    mbButtonCount
};

using TMsgDlgButtons = quint16;

constexpr TMsgDlgButtons buttonBit(TMsgDlgBtn b)
{
    return TMsgDlgButtons(1u << b);
}
inline constexpr TMsgDlgButtons mbOKSet = buttonBit(mbOK);
inline constexpr TMsgDlgButtons mbYesNoSet = buttonBit(mbYes) | buttonBit(mbNo);

// Dialog results.
enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10
};
