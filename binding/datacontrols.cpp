#include "binding/datacontrols.h"

#include "binding/datasource.h"
#include "binding/recordsources.h"
#include "binding/screens.h"

#include <QWidget>

const std::vector<DataControl>& dataControls() {
    static const std::vector<DataControl> controls{
        {"Form1", "Data1", "per_inf_data"}, {"Form1", "Data2", "pt_sh"},
        {"Form3", "Data1", "per_inf_data"}, {"Form4", "Data1", "file_desc"},
        {"Form5", "Data1", "pt_sh"},        {"Form5", "Data2", kPendingInvoicesQuery},
        {"Form5", "Data3", "po_desc"},      {"Form7", "Data1", "inv_rep_data"},
        {"Form7", "Data2", "file_desc"},    {"Form7", "Data3", "po_desc"},
        {"Form7", "Data4", "pt_sh"},        {"Form7", "Data5", "po_descs"},
        {"Form8", "Data1", "per_inf_data"}, {"Form8", "Data2", "inv_rep_data"},
    };
    return controls;
}

DataSource* findDataSource(const QString& screen, const QString& name) {
    QWidget* widget = Screens::existing(screen);
    return widget ? widget->findChild<DataSource*>(name) : nullptr;
}
