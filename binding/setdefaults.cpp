#include "binding/setdefaults.h"

#include "binding/screens.h"
#include "core/apperror.h"
#include "core/errorlog.h"
#include "settings/appsettings.h"

#include <QLabel>
#include <QWidget>

namespace {

void writeLetterheadIntoMainWindow() {
    QWidget* main = Screens::get("Form2");
    if (!main)
        return;
    const Letterhead& l = AppSettings().letterhead;
    const QString lines[] = {l.clinicname, l.drname, l.qualifications1, l.qualifications2,
                             l.qualifications3};
    for (int i = 0; i < 5; ++i)
        if (auto* label = main->findChild<QLabel*>("Label" + QString::number(i + 1)))
            label->setText(lines[i]);
}

} // namespace

void SetDefaults() {
    try {
        writeLetterheadIntoMainWindow();
    } catch (const AppError& error) {
        ErrorLog::write("error (SetDefaults) : ", error);
    }
}
