#pragma once

#include <QString>

// A database of the older layout, as earlier versions of the program made it: no table po_descs,
// no pt_sh.po_netd, no per_inf_data.mobileno and no po_desc.id.
void createOldLayoutDatabase(const QString& path);
