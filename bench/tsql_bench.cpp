// Translation time of the T-SQL translator for a short statement and a 2,000-character one.
#include <benchmark/benchmark.h>

#include <string>

#include "db/tsql/translate.h"

namespace {

const char* kShort = "select sym_waluty from waluty where numer=1";

// A browse statement of the size the list windows build: joins, hints, functions, concatenation, filters.
std::string long_statement() {
  std::string s =
      "select top 1 d.id_dokumentu_handlowego, d.numer, rtrim(k.nazwa)+' '+rtrim(k.kod_pocztowy)+' "
      "'+rtrim(k.miejscowosc) "
      "as adres, isnull(convert(varchar(30),ak.dataiczas,120),'<brak zapisu>') as data_blokady, u.nazwa as "
      "operator, "
      "case when len(d.uwagi)>0 then '/'+rtrim(d.uwagi) else '' end uwagi, cast(d.wartosc as decimal(16,2)) "
      "from dokument_handlowy d with (nolock) left outer join (select id_zapisu,max(dataiczas) as dataiczas "
      "from "
      "aktywnosc_uzytkownika_v with (nolock) group by id_zapisu) ak on (d.id_dokumentu_handlowego = "
      "ak.id_zapisu) "
      "inner join kontrahent k with (nolock) on (k.id_kontrahenta=d.id_kontrahenta), "
      "typ_dokumentu_handlowego t, "
      "uzytkownik u where d.id_typu = t.id_typu and u.id_uzytkownika = d.semafor and d.id_firmy=5and "
      "t.sygnatura not in ('BT','RT') and d.flaga_stanu>0 and d.flaga_stanu<4";
  int n = 0;
  while (s.size() < 1950) {
    s += " and (k.nazwa like 'KOWAL%' or k.id_kontrahenta in (select id from zaznaczone where uzycie=120 and "
         "id_sesji=" +
         std::to_string(3000001 + n++) + "))";
  }
  s += " order by d.data desc, d.numer";
  return s;
}

void BM_TranslateShort(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(db::tsql::translate(kShort));
}
BENCHMARK(BM_TranslateShort);

void BM_TranslateLong(benchmark::State& state) {
  const std::string s = long_statement();
  state.SetLabel(std::to_string(s.size()) + " characters");
  for (auto _ : state) benchmark::DoNotOptimize(db::tsql::translate(s));
}
BENCHMARK(BM_TranslateLong);

}  // namespace

BENCHMARK_MAIN();
