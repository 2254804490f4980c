// T-SQL in, SQLite out: one row per construct of the subset, grouped by construct, plus the refusals.
#include <gtest/gtest.h>

#include <string>

#include "db/tsql/translate.h"
#include "tsql_test_support.h"

namespace db::tsql {
namespace {

struct Row {
  const char* name;
  const char* tsql;
  const char* sqlite;  // sql_of() of the program
};

std::string row_name(const ::testing::TestParamInfo<Row>& info) {
  return info.param.name;
}

class Translates : public ::testing::TestWithParam<Row> {};

TEST_P(Translates, ToExpectedSqlite) {
  const Program p = translate(GetParam().tsql);
  ASSERT_FALSE(p.refused()) << p.refusal;
  EXPECT_EQ(testing::sql_of(p), GetParam().sqlite);
}

#define TRANSLATION_GROUP(group, ...) \
  INSTANTIATE_TEST_SUITE_P(group, Translates, ::testing::ValuesIn(std::vector<Row>{__VA_ARGS__}), row_name)

TRANSLATION_GROUP(
    Select,
    Row{"Plain", "select sym_waluty from waluty where numer=1",
        "SELECT sym_waluty FROM waluty WHERE numer = 1"},
    Row{"ComputedTextsCompareAsOnTheServer",
        "select distinct rtrim(a)+'x' n from t group by rtrim(b) order by n",
        "SELECT DISTINCT (rtrim(a) || 'x') COLLATE PLCI AS n FROM t GROUP BY rtrim(b) COLLATE PLCI ORDER BY "
        "n"},
    Row{"DistinctWithConstantAndOrder",
        "select distinct o.KOD_GRUPY,o.KASUJ_ZAZNACZENIE,0  from MAG_OPERACJE_DODATKOWE o where o.aktywna=1 "
        "order by "
        "o.kod_grupy,o.nazwa",
        "SELECT DISTINCT o.KOD_GRUPY, o.KASUJ_ZAZNACZENIE, 0 FROM MAG_OPERACJE_DODATKOWE AS o WHERE "
        "o.aktywna = 1 "
        "ORDER BY o.kod_grupy, o.nazwa"},
    Row{"Aggregates", "select sum(czy_praca),sum(czy_rembil),max(id_banku),count(1) from s",
        "SELECT sum(czy_praca), sum(czy_rembil), max(id_banku), count(1) FROM s"},
    Row{"CountOverDerivedTable",
        "select count(*) from (select a.indeks_katalogowy from artykul a,magazyn m where "
        "a.id_magazynu=m.id_magazynu "
        "group by a.indeks_katalogowy) x",
        "SELECT count(*) FROM (SELECT a.indeks_katalogowy FROM artykul AS a, magazyn AS m WHERE "
        "a.id_magazynu = "
        "m.id_magazynu GROUP BY a.indeks_katalogowy) AS x"},
    Row{"InWithoutBlank", "select 1 from s where id_magazynu in(select id_magazynu from magazyn)",
        "SELECT 1 FROM s WHERE id_magazynu IN (SELECT id_magazynu FROM magazyn)"},
    Row{"AliasesWithAndWithoutAs", "select u.nazwa as operator, u.id ident, x = 1, 2 'dwa' from uzytkownik u",
        "SELECT u.nazwa AS operator, u.id AS ident, 1 AS x, 2 AS \"dwa\" FROM uzytkownik AS u"},
    Row{"OrderAscDesc", "select a from t order by id_firmy asc, data_od desc",
        "SELECT a FROM t ORDER BY id_firmy ASC, data_od DESC"},
    Row{"UnionAll", "select a from t union all select b from u order by 1",
        "SELECT a FROM t UNION ALL SELECT b FROM u ORDER BY 1"},
    Row{"NotInListAndIsNull", "select a from t where rodzaj not in ('Zamówienie','Zlecenie') and x is null",
        "SELECT a FROM t WHERE rodzaj COLLATE PLCI NOT IN ('Zamówienie', 'Zlecenie') AND x IS NULL"},
    Row{"BetweenAndHaving", "select k, count(*) from t where d between 1 and 5 group by k having count(*)>1",
        "SELECT k, count(*) FROM t WHERE d BETWEEN 1 AND 5 GROUP BY k HAVING count(*) > 1"},
    Row{"OperatorsOfTheServer", "select a from t where a!=1 and b!<2 and c!>3",
        "SELECT a FROM t WHERE a <> 1 AND b >= 2 AND c <= 3"},
    Row{"PrecedenceKept", "select (a+1)*c, a-(b-c), not (x=1 or y=2) from t",
        "SELECT (a + 1) * c, a - (b - c), NOT (x = 1 OR y = 2) FROM t"});

TRANSLATION_GROUP(Top,
                  Row{"MovedToLimit",
                      "select top 1 od_dnia from odsetki  where ID_TABELI_ODSETEK=5 and  od_dnia<80000 order "
                      "by od_dnia desc",
                      "SELECT od_dnia FROM odsetki WHERE ID_TABELI_ODSETEK = 5 AND od_dnia < 80000 ORDER BY "
                      "od_dnia DESC LIMIT 1"},
                  Row{"WithArithmetic", "select top 1 od_dnia-1 from odsetki order by od_dnia",
                      "SELECT od_dnia - 1 FROM odsetki ORDER BY od_dnia LIMIT 1"},
                  Row{"Parenthesised", "select top (5) a from t", "SELECT a FROM t LIMIT 5"},
                  Row{"InSubquery", "select a from t where d=(select top 1 d from u order by d desc)",
                      "SELECT a FROM t WHERE d = (SELECT d FROM u ORDER BY d DESC LIMIT 1)"});

TRANSLATION_GROUP(
    HintsAndJoins,
    Row{"NolockDropped", "select 1 from typ_dokumentu_magazynowego  with (nolock) where id_firmy=1",
        "SELECT 1 FROM typ_dokumentu_magazynowego WHERE id_firmy = 1"},
    Row{"UpperCaseHintsAfterAlias",
        "SELECT COUNT(*) FROM DOSTEP D WITH (NOLOCK) INNER JOIN UZYTKOWNIKGRUPY UG WITH(NOLOCK) "
        "ON(D.ID=UG.ID)",
        "SELECT count(*) FROM DOSTEP AS D INNER JOIN UZYTKOWNIKGRUPY AS UG ON (D.ID = UG.ID)"},
    Row{"OldHintSyntaxAndSeveralHints", "select 1 from a (nolock), b with (rowlock, index(ix_b))",
        "SELECT 1 FROM a, b"},
    Row{"LeftOuterJoinThenCommaJoins",
        "select d.id from dokument d left outer join (select id_zapisu,max(dataiczas) as dataiczas from "
        "aktywnosc_uzytkownika_v with (nolock) group by id_zapisu) ak on (d.id = ak.id_zapisu), typ t, "
        "uzytkownik u "
        "where d.id_typu = t.id_typu",
        "SELECT d.id FROM dokument AS d LEFT JOIN (SELECT id_zapisu, max(dataiczas) AS dataiczas FROM "
        "aktywnosc_uzytkownika_v GROUP BY id_zapisu) AS ak ON (d.id = ak.id_zapisu), typ AS t, uzytkownik AS "
        "u WHERE "
        "d.id_typu = t.id_typu"},
    Row{"HintsInsideInSubquery",
        "select 1 from k A where A.id_kontrahenta in (select id_elementu from MAG_ELEMENTY_LISTY_OBIEKTOW "
        "melo with "
        "(nolock) inner join  MAG_LISTA_OBIEKTOW mel with (nolock) on (melo.id_listy=mel.id_listy and "
        "mel.uzycie=120))",
        "SELECT 1 FROM k AS A WHERE A.id_kontrahenta IN (SELECT id_elementu FROM MAG_ELEMENTY_LISTY_OBIEKTOW "
        "AS melo "
        "INNER JOIN MAG_LISTA_OBIEKTOW AS mel ON (melo.id_listy = mel.id_listy AND mel.uzycie = 120))"},
    Row{"TableValuedFunctionWithBlankBeforeParen",
        "select * from dbo.AP_Func_PodajKursy_NBPECB (80000,'EUR')",
        "SELECT * FROM AP_Func_PodajKursy_NBPECB(80000, 'EUR')"},
    Row{"TableValuedFunctionUpperCased", "SELECT * FROM DBO.AP_FUNC_PODAJKURSY_NBPECB(80000,'EUR') K",
        "SELECT * FROM AP_FUNC_PODAJKURSY_NBPECB(80000, 'EUR') AS K"},
    Row{"CrossAndRightJoins",
        "select 1 from a cross join b right join c on c.x=b.x full outer join d on d.y=c.y",
        "SELECT 1 FROM a CROSS JOIN b RIGHT JOIN c ON c.x = b.x FULL JOIN d ON d.y = c.y"});

TRANSLATION_GROUP(Insert,
                  Row{"ValuesWithoutBlank", "insert into banki(id_banku,nazwa)values(5,'PKO BP')",
                      "INSERT INTO banki (id_banku, nazwa) VALUES (5, 'PKO BP')"},
                  Row{"SelectWithCallerConstant",
                      "insert into uzytkownikgrupy(id_grupy,id_uzytkownika) select id_grupy,3000001 from "
                      "grupauzytkownikow where "
                      "id_firmy=1",
                      "INSERT INTO uzytkownikgrupy (id_grupy, id_uzytkownika) SELECT id_grupy, 3000001 FROM "
                      "grupauzytkownikow WHERE "
                      "id_firmy = 1"},
                  Row{"WithoutInto", "insert t values (1),(2)", "INSERT INTO t VALUES (1), (2)"},
                  Row{"DefaultValues", "insert into t default values", "INSERT INTO t DEFAULT VALUES"});

TRANSLATION_GROUP(Update,
                  Row{"Plain", "Update ZORVADBSTATE set START=0 where PRGKOD=3",
                      "UPDATE ZORVADBSTATE SET START = 0 WHERE PRGKOD = 3"},
                  Row{"NullAndArithmetic", "update z set semafor = NULL, uzycie=uzycie+25000",
                      "UPDATE z SET semafor = NULL, uzycie = uzycie + 25000"},
                  Row{"RowlockDropped", "update wariant  with (rowlock) set nazwa_n=5 where id_raportu=1",
                      "UPDATE wariant SET nazwa_n = 5 WHERE id_raportu = 1"},
                  Row{"QualifiedSetColumn", "update t set t.a=1", "UPDATE t SET a = 1"});

TRANSLATION_GROUP(
    UpdateFrom,
    Row{"TargetRepeatedUnderAlias",
        "update wartosc_parametru  with (rowlock)  set wartosc='PL12' from wartosc_parametru "
        "w,parametr_raportu p "
        "where p.id_parametru=w.id_parametru",
        "UPDATE wartosc_parametru AS w SET wartosc = 'PL12' FROM parametr_raportu AS p WHERE p.id_parametru "
        "= "
        "w.id_parametru"},
    Row{"TargetInTheMiddleOfTheList",
        "Update inter_parametr_uzytkownik with (rowlock)  set wartosc='1'  from ini_parametr "
        "p,inter_parametr_uzytkownik "
        "i,ini_okno o  where p.id_parametru=i.id_parametru and p.id_okna=o.id_okna",
        "UPDATE inter_parametr_uzytkownik AS i SET wartosc = '1' FROM ini_parametr AS p, ini_okno AS o WHERE "
        "p.id_parametru = i.id_parametru AND p.id_okna = o.id_okna"},
    Row{"TargetNamedInOtherCaseBesideDerivedTable",
        "update Artykul set pole1=a.pole1 from artykul b,(select * from artykul where id_artykulu=5) a where "
        "b.ID_ARTYKULU <> a.id_artykulu",
        "UPDATE artykul AS b SET pole1 = a.pole1 FROM (SELECT * FROM artykul WHERE id_artykulu = 5) AS a "
        "WHERE "
        "b.ID_ARTYKULU <> a.id_artykulu"},
    Row{"OnlyTheTargetInFrom",
        "update RACHUNEK_WIRTUALNY set czy_domyslny=0 from RACHUNEK_WIRTUALNY r where r.id_rachunku =5",
        "UPDATE RACHUNEK_WIRTUALNY AS r SET czy_domyslny = 0 WHERE r.id_rachunku = 5"},
    Row{"TargetGivenByItsAlias", "update r set r.x=1 from rachunek r, k where r.id=k.id",
        "UPDATE rachunek AS r SET x = 1 FROM k WHERE r.id = k.id"},
    Row{"TargetInInnerJoinGivesOnToWhere",
        "update t set a=p.a from t x inner join p on p.id=x.id where p.b=2",
        "UPDATE t AS x SET a = p.a FROM p WHERE p.id = x.id AND p.b = 2"},
    Row{"TargetNotInFrom", "update t set a=p.a from p where p.id=1",
        "UPDATE t SET a = p.a FROM p WHERE p.id = 1"});

TRANSLATION_GROUP(Delete,
                  Row{"FromWhere", "delete from numeracja where id_firmy=1 and dokument=4",
                      "DELETE FROM numeracja WHERE id_firmy = 1 AND dokument = 4"},
                  Row{"WithoutFrom", "delete MAG_UZYTKOWNIK_FILTROW where ID_UZYTKOWNIKA=3 and id_filtra=4",
                      "DELETE FROM MAG_UZYTKOWNIK_FILTROW WHERE ID_UZYTKOWNIKA = 3 AND id_filtra = 4"},
                  Row{"TargetRepeatedInFrom",
                      "delete MAG_UZYTKOWNIK_FILTROW from MAG_UZYTKOWNIK_FILTROW where "
                      "ID_UZYTKOWNIKA<>3000001 and ID_FILTRA=7",
                      "DELETE FROM MAG_UZYTKOWNIK_FILTROW WHERE ID_UZYTKOWNIKA <> 3000001 AND ID_FILTRA = 7"},
                  Row{"JoinedDeleteByRowid", "delete x from t x inner join p on p.id=x.id where p.b=2",
                      "DELETE FROM t WHERE rowid IN (SELECT x.rowid FROM t AS x INNER JOIN p ON p.id = x.id "
                      "WHERE p.b = 2)"},
                  Row{"TargetNotInFromDeletesAllOrNothing", "delete t from p where p.id=1",
                      "DELETE FROM t WHERE EXISTS (SELECT 1 FROM p WHERE p.id = 1)"},
                  Row{"TruncateTable", "truncate table zaznaczone", "DELETE FROM zaznaczone"});

TRANSLATION_GROUP(
    PlusBetweenTexts,
    Row{"LiteralAndTextFunctions", "select rtrim(kod_pocztowy)+' '+rtrim(miejscowosc) from a",
        "SELECT (rtrim(kod_pocztowy) || ' ' || rtrim(miejscowosc)) COLLATE PLCI FROM a"},
    Row{"CaseWithTextBranches",
        "select rtrim(ulica)+case when len(nr_lokalu)>0 then '/'+rtrim(nr_lokalu) else '' end from a",
        "SELECT (rtrim(ulica) || CASE WHEN length(rtrim(nr_lokalu)) > 0 THEN '/' || rtrim(nr_lokalu) ELSE '' "
        "END) COLLATE PLCI FROM a"},
    Row{"CharCodes", "select replace(k.n,CHAR(13)+char(10),char(32)) from k",
        "SELECT tsql_replace(k.n, char(13) || char(10), char(32)) COLLATE PLCI FROM k"},
    Row{"NumbersAdd", "select isnull(odbiorca,0)*2+isnull(dostawca,0), 25000+5 from k",
        "SELECT ifnull(odbiorca, 0) * 2 + ifnull(dostawca, 0), 25000 + 5 FROM k"},
    Row{"ColumnsDecidedAtRunTime", "select a+b from t", "SELECT tsql_add(a, b) FROM t"},
    Row{"TextLiteralPlusNumberConverts", "select '5'+1", "SELECT tsql_add('5', 1)"},
    Row{"TextPlusNumberIsAnAdditionOnTheServer", "select 'x'+(a*2)+rtrim(b) from t",
        "SELECT tsql_add(tsql_add('x', (a * 2)), rtrim(b)) FROM t"},
    Row{"DatePlusDays", "select getdate()+1, getdate()-d from t",
        "SELECT tsql_dateadd('day', 1, tsql_getdate()), tsql_dateadd('day', -(d), tsql_getdate()) FROM t"});

TRANSLATION_GROUP(
    Functions,
    Row{"IsnullRenamed", "select isnull(PARAMETRY,'') from TRYB_PRACY where prgkod=3",
        "SELECT ifnull(PARAMETRY, '') COLLATE PLCI FROM TRYB_PRACY WHERE prgkod = 3"},
    Row{"LenIgnoresTrailingBlanks", "select 1 from a where len(rtrim(A.W))>0",
        "SELECT 1 FROM a WHERE length(rtrim(rtrim(A.W))) > 0"},
    Row{"ServerScalarFunction", "select dbo.AP_Func_PodajNip('123','x',1)",
        "SELECT AP_Func_PodajNip('123', 'x', 1)"},
    Row{"FunctionNamedByData", "select 1 from a where RM_Fn(A.id_artykulu)='x'",
        "SELECT 1 FROM a WHERE RM_Fn(A.id_artykulu) = 'x' COLLATE PLCI"},
    Row{"BuiltinsSQLiteLacks",
        "select getdate(), left('abc',2), right(x,1), charindex('b',x), replicate('-',3), space(2), str(5), "
        "year(d)",
        "SELECT tsql_getdate(), tsql_left('abc', 2) COLLATE PLCI, tsql_right(x, 1) COLLATE PLCI, "
        "tsql_charindex('b', x), tsql_replicate('-', 3) COLLATE PLCI, tsql_space(2) COLLATE PLCI, "
        "tsql_str(5) "
        "COLLATE PLCI, tsql_datepart('year', d)"},
    Row{"DateParts", "select datediff(dd,a,b), dateadd(month,1,a), datepart(weekday,a)",
        "SELECT tsql_datediff('dd', a, b), tsql_dateadd('month', 1, a), tsql_datepart('weekday', a)"},
    Row{"Substring", "select 1 from o where substring(p.KOD_WERSJI,4,1)='1'",
        "SELECT 1 FROM o WHERE substr(p.KOD_WERSJI, 4, 1) = '1' COLLATE PLCI"},
    Row{"CountDistinct", "select count(distinct a) from t", "SELECT count(DISTINCT a) FROM t"},
    Row{"SystemValues", "select @@identity, scope_identity(), @@rowcount",
        "SELECT last_insert_rowid(), last_insert_rowid(), changes()"},
    Row{"LikeEscape", "select 1 from a where a.n like '%kow%' and a.m not like 'x!%%' escape '!'",
        "SELECT 1 FROM a WHERE a.n LIKE '%kow%' AND a.m NOT LIKE 'x!%%' ESCAPE '!'"},
    Row{"SimpleCaseComparesTextsWithTheCollation", "select case t when 'k' then 1 else 0 end from x",
        "SELECT CASE t COLLATE PLCI WHEN 'k' THEN 1 ELSE 0 END FROM x"});

TRANSLATION_GROUP(
    Conversions,
    Row{"CastDayNumberToDatetime", "update adresy_firmy set KP_DATA_OD = CAST((DATA_OD-36163) AS datetime)",
        "UPDATE adresy_firmy SET KP_DATA_OD = tsql_datetime((DATA_OD - 36163), 0)"},
    Row{"ConvertDatetimeToTextStyle120",
        "select isnull(convert(varchar(30),ak.dataiczas,120),'<brak zapisu>') x",
        "SELECT ifnull(tsql_to_text(ak.dataiczas, 120, 30), '<brak zapisu>') COLLATE PLCI AS x"},
    Row{"ConvertNumberToDatetime", "select convert(datetime,cast(isnull(f(1),0) as int),120)",
        "SELECT tsql_datetime(CAST(ifnull(f(1), 0) AS INTEGER), 120)"},
    Row{"DecimalRounds", "select cast(x as decimal(16,2)), cast(x as decimal(16,0)), cast(x as numeric)",
        "SELECT round(CAST(x AS REAL), 2), CAST(round(CAST(x AS REAL)) AS INTEGER), CAST(round(CAST(x AS "
        "REAL)) AS "
        "INTEGER)"},
    Row{"RealAndText",
        "select cast(A.pole3 as real), cast(a as varchar), cast(b as nvarchar(max)), cast(c as char(2))",
        "SELECT CAST(A.pole3 AS REAL), tsql_to_text(a, 0, 30) COLLATE PLCI, tsql_to_text(b, 0, -1) COLLATE "
        "PLCI, "
        "tsql_to_text(c, 0, 2) COLLATE PLCI"},
    Row{"Date", "select convert(date, '20200109')", "SELECT tsql_date('20200109', 0)"},
    Row{"ClassifierFilters",
        "select 1 from a A where cast(A.pole3 as real) >5 and A.pole2 not like '%x%' and A.pole4 = '7'",
        "SELECT 1 FROM a AS A WHERE CAST(A.pole3 AS REAL) > 5 AND A.pole2 NOT LIKE '%x%' AND A.pole4 = '7' "
        "COLLATE "
        "PLCI"});

TRANSLATION_GROUP(
    Lexical,
    Row{"NumberGluedToKeyword", "select t.id from typ t where t.ID_FIRMY=5and t.rodzaj ='Zlecenie'",
        "SELECT t.id FROM typ AS t WHERE t.ID_FIRMY = 5 AND t.rodzaj = 'Zlecenie' COLLATE PLCI"},
    Row{"ExponentKept", "select 1e5, 2.5E-3, .5", "SELECT 1e5, 2.5E-3, .5"},
    Row{"DoubledQuotesAndPolishLetters", "select 'it''s', N'Zażółć gęślą' from t",
        "SELECT 'it''s', 'Zażółć gęślą' FROM t"},
    Row{"LineBreakInLiteral", "select 'a\r\nb'", "SELECT 'a\r\nb'"},
    Row{"BracketsAndDoubleQuotes", "select [nazwa], [a]]b], \"kod\" from [dbo].[firma]",
        "SELECT \"nazwa\", \"a]b\", \"kod\" FROM \"firma\""},
    Row{"Comments", "select /* a /* nested */ b */ x -- to the end\nfrom t", "SELECT x FROM t"},
    Row{"KeywordNamesQuoted", "select key, action, start from t", "SELECT \"key\", \"action\", start FROM t"},
    Row{"WholeStatementUpperCased",
        "SELECT COUNT(*)  FROM KONTRAHENT A WITH (NOLOCK) WHERE ISNULL(A.NAZWA,'') LIKE 'KOWALSKI%' AND "
        "DBO.F(A.ID)=1",
        "SELECT count(*) FROM KONTRAHENT AS A WHERE ifnull(A.NAZWA, '') LIKE 'KOWALSKI%' AND F(A.ID) = 1"},
    Row{"BinaryLiteral", "select 0x1F, 0xABC", "SELECT X'1F', X'0ABC'"});

TRANSLATION_GROUP(
    Control,
    Row{"IfNotExistsBeginEnd",
        "if not exists (select 1 from zaznaczone with (nolock) where id_sesji= 3 and id= 5) begin   insert "
        "into "
        "zaznaczone (id_sesji,id) values(3,5) end ",
        "IF (SELECT NOT EXISTS (SELECT 1 FROM zaznaczone WHERE id_sesji = 3 AND id = 5))\nBEGIN\n  INSERT "
        "INTO "
        "zaznaczone (id_sesji, id) VALUES (3, 5);\nEND"},
    Row{"IfExistsElse", "if exists(select 1 from t) update t set a=1 else insert into t(a) values(1)",
        "IF (SELECT EXISTS (SELECT 1 FROM t))\nBEGIN\n  UPDATE t SET a = 1;\nEND\nELSE\nBEGIN\n  INSERT INTO "
        "t (a) "
        "VALUES (1);\nEND"},
    Row{"IfGeneralCondition", "if (select count(*) from t)>0 delete from t",
        "IF (SELECT CASE WHEN (SELECT count(*) FROM t) > 0 THEN 1 ELSE 0 END)\nBEGIN\n  DELETE FROM t;\nEND"},
    Row{"BatchSeparatedBySemicolonsAndNothing", "select 1; select 2 update t set a=1",
        "SELECT 1;\nSELECT 2;\nUPDATE t SET a = 1;"},
    Row{"Transactions", "begin tran; commit tran", "BEGIN;\nCOMMIT;"},
    Row{"AlterViewWithColumnList",
        " alter  VIEW PD_Artykul(id,Kolor)   AS  SELECT "
        "id_artykulu,isnull(dbo.AP_FUNC_PoleDodatkowe('Artykul',1,"
        "id_artykulu),' ') FROM artykul",
        "ATOMIC\nBEGIN\n  DROP VIEW IF EXISTS PD_Artykul;\n  CREATE VIEW PD_Artykul (id, Kolor) AS SELECT "
        "id_artykulu, "
        "ifnull(AP_FUNC_PoleDodatkowe('Artykul', 1, id_artykulu), ' ') COLLATE PLCI FROM artykul;\n  SELECT "
        "* FROM "
        "PD_Artykul LIMIT "
        "0;\nEND"},
    Row{"DropView", "drop view if exists dbo.v", "DROP VIEW IF EXISTS v"});

TRANSLATION_GROUP(
    Calls, Row{"WithParentheses", "call AP_InicjacjaSystemu(5)", "CALL AP_InicjacjaSystemu(5);"},
    Row{"CapitalAndBlankBeforeParen", "Call JL_RejestrujKonto (3000001,'')",
        "CALL JL_RejestrujKonto(3000001, '');"},
    Row{"TwoBlanksAndNineArguments",
        "call  AP_ZapiszDoLogu(1,2,3000001,0,'Log',6,'Eksport do excela',3,'Wyeksportowano rekordów: 5')",
        "CALL AP_ZapiszDoLogu(1, 2, 3000001, 0, 'Log', 6, 'Eksport do excela', 3, 'Wyeksportowano rekordów: "
        "5');"},
    Row{"WithoutParentheses", "call ABS_IntS_RM_ABSM_DocStatusListInit",
        "CALL ABS_IntS_RM_ABSM_DocStatusListInit();"},
    Row{"RetCodeBinding", "&RetCode = call RM_Zachowaj_ZORVA_zaznaczone(1,3,120,0)",
        "&RetCode = CALL RM_Zachowaj_ZORVA_zaznaczone(1, 3, 120, 0);"},
    Row{"Exec", "exec AP_InicjacjaSystemu 5, 'x'", "CALL AP_InicjacjaSystemu(5, 'x');"},
    Row{"OdbcEscape", "{call dbo.AP_X(1)}", "CALL AP_X(1);"});

TEST(TranslateCall, DecodesLiteralArguments) {
  const Program p =
      translate("call AP_ZapiszDoLoguParam ('s',1,'it''s\r\nok',-1,4.15,2016.0100,NULL,N'', 2+3)");
  ASSERT_FALSE(p.refused()) << p.refusal;
  ASSERT_EQ(p.steps.size(), 1u);
  const auto& call = std::get<ProcedureCall>(p.steps[0].node);
  EXPECT_EQ(call.name, "AP_ZapiszDoLoguParam");
  EXPECT_FALSE(call.binds_retcode);
  using K = Argument::Kind;
  const std::vector<std::pair<K, std::string>> expected = {
      {K::Text, "s"},     {K::Integer, "1"},    {K::Text, "it's\r\nok"},
      {K::Integer, "-1"}, {K::Decimal, "4.15"}, {K::Decimal, "2016.0100"},
      {K::Null, ""},      {K::Text, ""},        {K::Expression, "2 + 3"}};
  ASSERT_EQ(call.arguments.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(call.arguments[i].kind, expected[i].first) << i;
    EXPECT_EQ(call.arguments[i].value, expected[i].second) << i;
  }
}

TEST(TranslateSettings, SessionSettingsHaveNoSteps) {
  for (const char* s :
       {"SET DATEFIRST 1", "set nocount on", "set transaction isolation level read uncommitted",
        "-- only a comment", "go", ";;"}) {
    const Program p = translate(s);
    EXPECT_FALSE(p.refused()) << s << ": " << p.refusal;
    EXPECT_TRUE(p.steps.empty()) << s;
  }
}

TEST(TranslateRows, OnlyQueriesReturnRows) {
  const Program p = translate("select 1; update t set a=1");
  ASSERT_EQ(p.steps.size(), 2u);
  EXPECT_TRUE(std::get<Statement>(p.steps[0].node).returns_rows);
  EXPECT_FALSE(std::get<Statement>(p.steps[1].node).returns_rows);
}

// ---- refusals ----
struct Refusal {
  const char* name;
  const char* tsql;
  const char* names;  // what the refusal text must contain
};

class Refuses : public ::testing::TestWithParam<Refusal> {};

TEST_P(Refuses, NamingTheConstruct) {
  const Program p = translate(GetParam().tsql);
  ASSERT_TRUE(p.refused()) << testing::sql_of(p);
  EXPECT_TRUE(p.steps.empty());
  EXPECT_NE(p.refusal.find(GetParam().names), std::string::npos) << p.refusal;
  EXPECT_EQ(p.refusal.find('?'), std::string::npos) << "a '?' would turn the error into a question";
}

std::string refusal_name(const ::testing::TestParamInfo<Refusal>& info) {
  return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Unsupported, Refuses,
    ::testing::ValuesIn(std::vector<Refusal>{
        {"Variables", "declare @x int", "DECLARE"},
        {"LocalVariableInExpression", "select @x", "variable @x"},
        {"CommonTableExpression", "with x as (select 1) select * from x", "WITH"},
        {"TopPercent", "select top 10 percent a from t", "PERCENT"},
        {"TopInUnion", "select top 1 a from t union select b from u", "TOP in a UNION"},
        {"SelectInto", "select a into #t from t", "SELECT ... INTO"},
        {"CrossApply", "select 1 from a cross apply f(a.x)", "APPLY"},
        {"WindowFunction", "select row_number() over (order by a) from t", "OVER"},
        {"ExclusiveOr", "select a ^ b from t", "operator ^"},
        {"StarOfASchema", "select dbo.dbo.dbo.t.* from t", "* qualified by database or schema"},
        {"StarOfADatabase", "select firma.x.t.* from t", "* qualified by database or schema"},
        {"UnknownConversion", "select cast(a as xml) from t", "conversion to type XML"},
        {"UnknownDatePart", "select datediff(fortnight,a,b)", "date part"},
        {"UpdateTargetTwiceInFrom", "update t set a=1 from t x, t y where x.id=y.id", "more than once"},
        {"UpdateTargetInOuterJoin", "update t set a=1 from p left join t x on x.id=p.id", "outer join"},
        {"SetOnOtherTable", "update t set p.a=1 from t x, p", "other than the target"},
        {"OtherSchema", "select * from sys.objects", "qualified by database or schema 'sys'"},
        {"DatabaseQualified", "select * from master.dbo.t", "qualified"},
        {"QualifiedFunction", "select sys.fn(1)", "function qualified"},
        {"DynamicSql", "exec ('select 1')", "dynamic SQL"},
        {"NamedArguments", "exec p @a = 1", "named procedure arguments"},
        {"OtherOutputBinding", "&Other = call p(1)", "&RetCode"},
        {"AlterTable", "alter table t add c int", "ALTER TABLE"},
        {"SetRowcount", "set rowcount 10", "SET ROWCOUNT"},
        {"TryCatch", "begin try select 1 end try", "BEGIN TRY"},
        {"UnknownStatement", "print 'x'", "PRINT"},
        {"WrongArity", "select isnull(a) from t", "ISNULL with 1 arguments"},
        {"UnterminatedString", "select 'abc", "unterminated string literal"},
        {"UnterminatedComment", "select 1 /* x", "unterminated comment"},
        {"UnbalancedParenthesis", "select (1 from t", "expected ')'"},
        {"StrayCharacter", "select ` from t", "unexpected character"},
        {"QueryHints", "select a from t order by a option (recompile)", "OPTION"},
        {"TrailingGarbage", "select a from t x y", "statement Y"},
        {"IfWithoutStatement", "if exists (select 1 from t)", "IF without a statement"},
        {"BeginWithoutEnd", "if 1=1 begin select 1", "BEGIN without END"},
        {"ConcatNullYieldsNullOff", "set concat_null_yields_null off", "CONCAT_NULL_YIELDS_NULL OFF"},
    }),
    refusal_name);

TEST(TranslateRefusal, DeepNestingAndLongChainsAreRefusedNotOverflowed) {
  for (const std::string& tsql : {"select " + std::string(1200, '(') + "1" + std::string(1200, ')'),
                                  "select 1 from t where " +
                                      [] {
                                        std::string chain = "a=1";
                                        for (int i = 0; i < 3000; ++i) chain += " or a=1";
                                        return chain;
                                      }(),
                                  "select 'a'" +
                                      [] {
                                        std::string chain;
                                        for (int i = 0; i < 3000; ++i) chain += "+'a'";
                                        return chain;
                                      }()}) {
    const Program p = translate(tsql);
    ASSERT_TRUE(p.refused()) << tsql.substr(0, 40);
    EXPECT_NE(p.refusal.find("nesting deeper than"), std::string::npos) << p.refusal;
  }
  // Calls within calls descend through every precedence level each time.
  std::string calls = "select ", closing;
  for (int i = 0; i < 400; ++i) {
    calls += "isnull(";
    closing += ",0)";
  }
  const Program nested = translate(calls + "1" + closing);
  ASSERT_TRUE(nested.refused());
  EXPECT_NE(nested.refusal.find("nesting deeper than"), std::string::npos) << nested.refusal;
  std::string fine_calls = "select ", fine_closing;
  for (int i = 0; i < 40; ++i) {
    fine_calls += "isnull(";
    fine_closing += ",0)";
  }
  EXPECT_FALSE(translate(fine_calls + "1" + fine_closing).refused());

  std::string fine = "select 1 from t where a=1";
  for (int i = 0; i < 500; ++i) fine += " or a=" + std::to_string(i);
  EXPECT_FALSE(translate(fine).refused());
}

TEST(TranslateRefusal, NulByteEvenInsideALiteral) {
  const Program p = translate(std::string_view("select 'a\0b'", 13));
  ASSERT_TRUE(p.refused());
  EXPECT_NE(p.refusal.find("NUL character"), std::string::npos) << p.refusal;
}

TEST(TranslateRefusal, ABatchIsRefusedAsAWhole) {
  const Program p = translate("insert into t values(1); select a ^ b from t");
  EXPECT_TRUE(p.refused());
  EXPECT_TRUE(p.steps.empty());
}

}  // namespace
}  // namespace db::tsql
