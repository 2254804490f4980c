// What the register's answer becomes for the program: one XML document whose elements are named as the
// fields of the company and contractor records (FIRMA, ADRESY_FIRMY, KONTRAHENT), so that the caller's
// record takes what it has a field for and leaves the rest.
//
//   <GUS>
//     <NAZWA>         the name, cut to the records' 50 characters
//     <NAZWA_PELNA>   the whole name (at most 255)
//     <NIP> <REGON>   digits only (REGON of 9 digits, 14 for a local unit)
//     <NR_W_REJ>      the number in its register (KRS for companies), <NAZWA_REJ> that register's name,
//     <ORGAN_ZAL>     the founding body, <DATA_REJ> and <DATA_ROZP_DZIA> day numbers of the entry and of
//                     the start of the activity
//     <SYM_KRAJU> <WOJEWODZTWO> <POWIAT> <GMINA> <MIEJSCOWOSC> <POCZTA> <KOD_POCZTOWY> ("00-950")
//     <ULICA> <NR_DOMU> <NR_LOKALU>   the seat's address
//     <ULICA_LOKAL>   street (or place, without a street), number and "/" premises: the contractor's line
//     <EMAIL> <TELEFON> <WWW>
//   </GUS>
//
// Empty elements are left out. Texts are escaped as XML requires.
#pragma once

#include <string>

#include "register_service.h"

namespace zorva_util {

// `found` is the search's record of the firm, `report` its full report (empty when it could not be had:
// the search's fields then serve alone).
std::string register_record_xml(const RegisterFields& found, const RegisterFields& report);

}  // namespace zorva_util
