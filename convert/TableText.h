#pragma once

#include <QString>
#include <QStringView>

class TGbToBig;

// Runs the table converter over text held as QString, in the converter's current mode.
// Runs of characters that code page 936 holds are converted through their GBK bytes;
// every other character (emoji, rare CJK) is copied as it is.
QString convertWithTable(const TGbToBig &converter, QStringView text);
