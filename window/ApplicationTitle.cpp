#include "window/ApplicationTitle.h"

namespace {
QString g_title = ApplicationTitle::Default;
}

namespace ApplicationTitle {

QString get() { return g_title; }
void set(const QString &title) { g_title = title; }

} // namespace ApplicationTitle
