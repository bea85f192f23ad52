#pragma once

#include <QString>

class QWidget;

// The earlier program's Jet file taken where a database file is taken (at start-up, through
// Settings > Database): the user is asked whether to copy it into a new Korvel database. On Yes
// the Jet file is kept under a new name (korvel_data_jet.mdb, never over another file) and the new
// database takes the name korvel_data.mdb in the same folder; on No nothing changes.
enum class JetOffer { NotJet, Declined, Copied, Failed };

JetOffer offerJetCopy(const QString& path, QWidget* owner = nullptr);
