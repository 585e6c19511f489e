#pragma once

#include <QString>

// The notices and addresses of the information and link commands.
namespace InfoTexts {

QString help();
QString about();
// The help notice of the first start.
QString firstRunHelp();
// The help and about texts of the taskbar entry's menu carry the older addresses.
QString olderHelp();
QString olderAbout();
QString advertising();
QString donation();
QString localUpgrade();

// "mailto:" with the address alone: no subject, no body.
QString mailAddress();
// The chat page for the maker's account. The site name goes in as its code-page-936
// bytes, percent-encoded, so the address is well formed.
QString chatAddress();

} // namespace InfoTexts
