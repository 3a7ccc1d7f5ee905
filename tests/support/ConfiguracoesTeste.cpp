// Linked into every widget test: the program keeps the user's settings through QSettings, and
// a test must never read or write the real user's. As the application object starts, every
// settings file of the process moves into a folder of its own, removed when the process ends.

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

void IsolarConfiguracoes()
{
    QStandardPaths::setTestModeEnabled(true);
    static QTemporaryDir pasta;
    for (const QSettings::Format formato : {QSettings::NativeFormat, QSettings::IniFormat}) {
        for (const QSettings::Scope escopo : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(formato, escopo, pasta.path());
    }
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(IsolarConfiguracoes)
