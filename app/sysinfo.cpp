#include "app/sysinfo.h"

#include "core/dialogs.h"
#include "core/programdir.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace {

#ifdef Q_OS_WIN
QString systemInformationProgram() {
    const QSettings msinfo(R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO)",
                           QSettings::NativeFormat);
    const QString path = msinfo.value("PATH").toString();
    if (!path.isEmpty())
        return path;
    const QSettings location(R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools Location)",
                             QSettings::NativeFormat);
    const QString directory = location.value("MSINFO").toString();
    if (!directory.isEmpty() && fileExists(directory + "/MSINFO32.EXE"))
        return directory + "/MSINFO32.EXE";
    return QString();
}
#else
// The desktops' own tools, the most informative first.
QString systemInformationProgram() {
    for (const char* name : {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor",
                             "mate-system-monitor", "xfce4-taskmanager"}) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}
#endif

} // namespace

void StartSysInfo() {
    const QString program = systemInformationProgram();
    if (program.isEmpty() || !QProcess::startDetached(program, {}))
        showMessage(QCoreApplication::translate("AboutBox",
                                                "System Information Is Unavailable At This Time"));
}
