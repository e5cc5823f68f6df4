#include <QSettings>

using namespace Qt::Literals::StringLiterals;

// The yardstick for dremo: the least a Qt Core program does to read one
// per-user value from the same store. No application object, no locale.
int main()
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, u"KARVO"_s);
    return settings.value(u"date"_s).toString().isEmpty() ? 0 : 1;
}
