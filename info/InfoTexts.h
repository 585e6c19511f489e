#pragma once

#include <QString>

// The notices and addresses of the information and link commands.
namespace InfoTexts {

QString help();
QString about();
QString advertising();
QString donation();
QString localUpgrade();

// "mailto:" with the address alone: no subject, no body.
QString mailAddress();
// The chat page for the maker's account. The site name goes in as its code-page-936
// bytes, percent-encoded, so the address is well formed.
QString chatAddress();

} // namespace InfoTexts
