// Session lists that the session start fills: additional-field definitions, additional operations,
// warehouses and the documents left unconfirmed by a broken session.
#pragma once

#include <cstdint>
#include <tuple>

#include "dane/list_key.h"
#include "dane/session_list.h"
#include "runtime/text.h"

namespace dane {

// GLO.KOL_KLASYFIKATOROW: one entry per additional field, ordered by group code and field number.
struct KlasyfikatorEntry {
  runtime::FixedText<30> KOD_KLAS_GRUPY;
  std::uint32_t ID_POLA = 0;
  runtime::FixedText<50> NAZWA_POLA;
  runtime::FixedText<50> NAZWA_POLA_MAP;
  std::int32_t NUMER_POLA = 0;
  runtime::FixedText<20> MASKA_POLA;
  std::uint8_t TYP_POLA = 0;
  runtime::FixedText<200> WARTOSCI_LISTY;
  runtime::FixedText<20> TYP_DANYCH;
  std::uint32_t ID_SLOWNIKA = 0;
  runtime::FixedText<100> WARTOSC_DOMYSLNA;
  std::uint8_t CZY_AKTYWNE = 0;
  std::uint8_t CZY_WYMAGANE = 0;
  runtime::FixedText<100> proc_nazwa;
  std::uint8_t proc_id_dokumentu = 0;
  runtime::FixedText<500> path_app_obiektu;
  std::uint8_t nie_edytowany = 0;

  using ByGroupAndNumber = Key<&KlasyfikatorEntry::KOD_KLAS_GRUPY, &KlasyfikatorEntry::NUMER_POLA>;
  static constexpr auto fields() {
    return std::tuple{&KlasyfikatorEntry::KOD_KLAS_GRUPY,    &KlasyfikatorEntry::ID_POLA,
                      &KlasyfikatorEntry::NAZWA_POLA,        &KlasyfikatorEntry::NAZWA_POLA_MAP,
                      &KlasyfikatorEntry::NUMER_POLA,        &KlasyfikatorEntry::MASKA_POLA,
                      &KlasyfikatorEntry::TYP_POLA,          &KlasyfikatorEntry::WARTOSCI_LISTY,
                      &KlasyfikatorEntry::TYP_DANYCH,        &KlasyfikatorEntry::ID_SLOWNIKA,
                      &KlasyfikatorEntry::WARTOSC_DOMYSLNA,  &KlasyfikatorEntry::CZY_AKTYWNE,
                      &KlasyfikatorEntry::CZY_WYMAGANE,      &KlasyfikatorEntry::proc_nazwa,
                      &KlasyfikatorEntry::proc_id_dokumentu, &KlasyfikatorEntry::path_app_obiektu,
                      &KlasyfikatorEntry::nie_edytowany};
  }
};

// OPERACJE_DODATKOWE: additional operations offered in menus, ordered by group code, grouping, name.
struct OperacjaDodatkowaEntry {
  runtime::FixedText<20> KOD_GRUPY;
  runtime::FixedText<255> NAZWA;
  runtime::FixedText<30> SKROT_KLAWISZOWY;
  std::uint32_t SKROT_KLAWISZOWY_KOD = 0;
  runtime::FixedText<20> KOD_OPERACJI;
  std::uint8_t GRUPOWANIE = 0;
  std::uint8_t FUNKCJA_ZEWNETRZNA = 0;
  runtime::FixedText<255> PARAMETRY;
  runtime::FixedText<260> SCIEZKA;
  std::uint32_t ID_OPERACJI = 0;
  std::uint8_t ODSWIEZ_LISTE = 0;
  std::uint8_t KASUJ_ZAZNACZENIE = 0;
  std::uint8_t ZNACZNIK = 0;  // set to 0 by the load; free for the menus that show the operations

  using ByGroupGroupingName = Key<&OperacjaDodatkowaEntry::KOD_GRUPY, &OperacjaDodatkowaEntry::GRUPOWANIE,
                                  &OperacjaDodatkowaEntry::NAZWA>;
  static constexpr auto fields() {
    return std::tuple{&OperacjaDodatkowaEntry::KOD_GRUPY,
                      &OperacjaDodatkowaEntry::NAZWA,
                      &OperacjaDodatkowaEntry::SKROT_KLAWISZOWY,
                      &OperacjaDodatkowaEntry::SKROT_KLAWISZOWY_KOD,
                      &OperacjaDodatkowaEntry::KOD_OPERACJI,
                      &OperacjaDodatkowaEntry::GRUPOWANIE,
                      &OperacjaDodatkowaEntry::FUNKCJA_ZEWNETRZNA,
                      &OperacjaDodatkowaEntry::PARAMETRY,
                      &OperacjaDodatkowaEntry::SCIEZKA,
                      &OperacjaDodatkowaEntry::ID_OPERACJI,
                      &OperacjaDodatkowaEntry::ODSWIEZ_LISTE,
                      &OperacjaDodatkowaEntry::KASUJ_ZAZNACZENIE,
                      &OperacjaDodatkowaEntry::ZNACZNIK};
  }
};

// KOL_MAGAZYNOW: the company's warehouses by id; SYSTEM_SPRZEDAZY is 1 for a warehouse linked to an
// external sales system.
struct MagazynEntry {
  std::uint32_t ID_MAGAZYNU = 0;
  std::uint8_t SYSTEM_SPRZEDAZY = 0;

  using ById = Key<&MagazynEntry::ID_MAGAZYNU>;
  static constexpr auto fields() {
    return std::tuple{&MagazynEntry::ID_MAGAZYNU, &MagazynEntry::SYSTEM_SPRZEDAZY};
  }
};

// DOKNIEZATWQ: documents left unconfirmed. DATA is a day number; DATA_BLOKADY the last activity as
// "yyyy-mm-dd hh:mi:ss" or "<brak zapisu>"; KOD_RODZAJU 1 warehouse document, 11 its correction,
// 2 order, 3 financial, 4 trade, 10 trade correction, 5 production order, 6 customs, 7 settlement.
struct DokNiezatwEntry {
  runtime::FixedText<30> NUMER;
  std::int32_t DATA = 0;
  runtime::FixedText<50> RODZAJ;
  double ID_DOKUMENTU = 0;
  std::int16_t KOD_RODZAJU = 0;
  runtime::FixedText<49> OPERATOR;
  runtime::FixedText<30> DATA_BLOKADY;
  runtime::FixedText<49> OPIS;

  // The order after loading, and the orders the window offers.
  using ByKindAndId = Key<&DokNiezatwEntry::RODZAJ, &DokNiezatwEntry::ID_DOKUMENTU>;
  using ByKindNumberId =
      Key<&DokNiezatwEntry::RODZAJ, &DokNiezatwEntry::NUMER, &DokNiezatwEntry::ID_DOKUMENTU>;
  using ByNumberId = Key<&DokNiezatwEntry::NUMER, &DokNiezatwEntry::ID_DOKUMENTU>;
  using ByOperatorNumberId =
      Key<&DokNiezatwEntry::OPERATOR, &DokNiezatwEntry::NUMER, &DokNiezatwEntry::ID_DOKUMENTU>;
  using ByLockTimeDescNumberId = Key<descending<&DokNiezatwEntry::DATA_BLOKADY>, &DokNiezatwEntry::NUMER,
                                     &DokNiezatwEntry::ID_DOKUMENTU>;
  using ById = Key<&DokNiezatwEntry::ID_DOKUMENTU>;
  static constexpr auto fields() {
    return std::tuple{&DokNiezatwEntry::NUMER,        &DokNiezatwEntry::DATA,
                      &DokNiezatwEntry::RODZAJ,       &DokNiezatwEntry::ID_DOKUMENTU,
                      &DokNiezatwEntry::KOD_RODZAJU,  &DokNiezatwEntry::OPERATOR,
                      &DokNiezatwEntry::DATA_BLOKADY, &DokNiezatwEntry::OPIS};
  }
};

extern SessionList<OperacjaDodatkowaEntry> OPERACJE_DODATKOWE;
extern SessionList<MagazynEntry> KOL_MAGAZYNOW;
extern SessionList<DokNiezatwEntry> DOKNIEZATWQ;

}  // namespace dane
