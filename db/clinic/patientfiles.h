#pragma once

#include <QString>

// The patients' files and the columns the screens and reports show of them.
namespace PatientFiles {
inline const QString kTable = QStringLiteral("per_inf_data");
inline const QString kFileNumber = QStringLiteral("file_num");
inline const QString kDate = QStringLiteral("file_data");
// The full name is the four names joined; the search runs over it.
inline const QString kName = QStringLiteral("pt_name");
inline const QString kGivenName = QStringLiteral("pt_name_f");
inline const QString kSecondName = QStringLiteral("pt_name_s");
inline const QString kThirdName = QStringLiteral("pt_name_t");
inline const QString kFamilyName = QStringLiteral("pt_name_fm");
inline const QString kAge = QStringLiteral("pt_age");
inline const QString kOccupation = QStringLiteral("pt_occupation");
inline const QString kHomeTel = QStringLiteral("pt_tel_h");
inline const QString kHomeExtension = QStringLiteral("pt_ex_h");
inline const QString kWorkTel = QStringLiteral("pt_tel_w");
inline const QString kWorkExtension = QStringLiteral("pt_ex_w");
inline const QString kAddress = QStringLiteral("pt_address");
inline const QString kNationality = QStringLiteral("pt_nationality");
inline const QString kSocial = QStringLiteral("pt_social");
inline const QString kIdCard = QStringLiteral("pt_id_card");
inline const QString kMobile = QStringLiteral("mobileno");
inline const QString kTemporary = QStringLiteral("temporary");
inline const QString kRelativeName = QStringLiteral("rel_name");
inline const QString kRelativeAge = QStringLiteral("rel_age");
inline const QString kRelativeOccupation = QStringLiteral("rel_occupation");
inline const QString kRelativeHomeTel = QStringLiteral("rel_tel_h");
inline const QString kRelativeHomeExtension = QStringLiteral("rel_ex_h");
inline const QString kRelativeWorkTel = QStringLiteral("rel_tel_w");
inline const QString kRelativeWorkExtension = QStringLiteral("rel_ex_w");
inline const QString kRelativeAddress = QStringLiteral("rel_address");
inline const QString kComment = QStringLiteral("comm");
} // namespace PatientFiles
