-- Statements as the system composes them, with sample values put in (company 1, warehouse 1, cash desk 1,
-- user 3000002). Batches are separated by a line "go"; each must run on a fresh demo database.
SET DATEFIRST 1
go
select wartosc from INTERUZYTKOWNIKPOZYCJA with (nolock) where id_pozycji=503 and id_firmy=0 and id_uzytkownika=3000002
go
Call JL_RejestrujKonto (3000002,'')
go
select hostprocess from uzytkownik where id_uzytkownika=3000002
go
select sym_waluty from waluty where numer=1
go
select START from ZORVADBSTATE where PRGKOD=3
go
Update ZORVADBSTATE set START=0 where PRGKOD=3
go
select isnull(PARAMETRY,'') from TRYB_PRACY where prgkod=3
go
call AP_ZapiszParametrySystemu(3,20261207.0000)
go
call AP_GenerujWszystkieWidokiMAGGEN_VP()
go
call AP_AktualizujKolumnyPolDodatkowych('Kontrahent')
go
 alter  VIEW PD_Kontrahent(id,Opiekun_handlowy,Rabat_staly)  AS  SELECT id_kontrahenta,isnull(dbo.AP_FUNC_PoleDodatkowe('Kontrahent',1,id_kontrahenta),' '),cast(isnull(dbo.AP_FUNC_PoleDodatkowe('Kontrahent',2,id_kontrahenta),0) as decimal(16,2)) FROM Kontrahent
go
select  p.id_pozycji,upper(p.kod), p.maska,i.wartosc from V_KONF_UZYTKOWNIKA p with (nolock) LEFT OUTER JOIN InterUzytkownikPozycja i with (nolock) on i.id_pozycji=p.id_pozycji AND i.id_uzytkownika=3000002 and i.id_firmy=1 and substring(p.KOD_WERSJI,4,1)='1'
go
select  p.id_pozycji,upper(p.kod), p.maska,i.wartosc from V_KONF_SYSTEMU p with (nolock) LEFT OUTER JOIN InterFirmaPozycja i with (nolock) on i.id_pozycji=p.id_pozycji AND i.id_firmy=1 and substring(p.KOD_WERSJI,4,1)='1'
go
select id_magazynu,id_rachunku,WYROZNIK_SYNCHRONIZACJI from magazyn with (nolock) where id_magazynu=1
go
select count(1) from DOSTEP with (nolock) where kod='SYS' and id_firmy=1 and rodzaj_dostepu>0
go
select count(1) from uzytkownikgrupy u with (nolock), grupauzytkownikow g with (nolock) where g.id_firmy=1 and g.id_grupy=u.id_grupy and u.id_uzytkownika=3000002
go
select distinct o.KOD_GRUPY,o.NAZWA,o.SKROT_KLAWISZOWY,o.SKROT_KLAWISZOWY_KOD,o.KOD_OPERACJI,o.GRUPOWANIE,o.FUNKCJA_ZEWNETRZNA,o.PARAMETRY,o.SCIEZKA,o.ID_OPERACJI,o.ODSWIEZ_LISTE,o.KASUJ_ZAZNACZENIE,0  from MAG_OPERACJE_DODATKOWE o with (nolock) where substring(o.KOD_OPERACJI,4,1)='1' and  (substring(o.KOD_OPERACJI,6,3)='001' or substring(o.KOD_OPERACJI,6,3)='000') order by o.kod_grupy,o.grupowanie,o.nazwa
go
select KOD_KLAS_GRUPY,ID_POLA,NAZWA_POLA,NAZWA_POLA_MAP,NUMER_POLA,MASKA_POLA,TYP_POLA,WARTOSCI_LISTY,TYP_DANYCH, ID_SLOWNIKA,WARTOSC_DOMYSLNA,CZY_AKTYWNE,CZY_WYMAGANE,proc_nazwa,proc_id_dokumentu,path_app_obiektu,nie_edytowany from KLASYFIKATOR_POLE with (nolock) order by KOD_KLAS_GRUPY,NUMER_POLA
go
select m.id_magazynu,a.id_systemu from magazyn m with (nolock) left outer join MAG_Q2N_SYSTEMY a with (nolock) on (m.id_magazynu=a.id_magazynu) where m.id_firmy=1
go
select MP,METODA_KASOWA from firma with (nolock) where id_firmy=1
go
select id_typu from typ_dokumentu_magazynowego  with (nolock) where id_firmy=1 and rodzaj not in ('Zamówienie','Zlecenie')
go
select id_typu, sygnatura from typ_dokumentu_magazynowego with (nolock) where id_firmy=1 and rodzaj ='Zamówienie'
go
select m.id_magazynu,t.id_typu,t.sygnatura from magazyn m with (nolock), typ_dokumentu_magazynowego t with (nolock) where m.id_firmy=1 and t.ID_FIRMY=1and t.rodzaj ='Zlecenie' order by m.id_magazynu, t.id_typu
go
select k.id_kasy, t.id_typu from kasy_firmy k with (nolock), typ_dokumentu_finansowego t with (nolock) where k.id_firmy=1 and t.ID_FIRMY=1 and t.sygnatura in ('KP','KW','RK') order by k.id_kasy, t.id_typu
go
select r.id_rachunku, t.id_typu from rachunek_firmy r with (nolock), typ_dokumentu_finansowego t with (nolock) where r.id_firmy=1 and t.ID_FIRMY=1 and t.sygnatura in ('BP','BW','PO','PW','WB') order by r.id_rachunku, t.id_typu
go
select DOKUMENT, ID_TYPU, ID_ZASOBU, FORMAT, OKRESNUMERACJI, PARAMETR1, PARAMETR2 from DEFINICJA_NUMERACJI with (nolock) where ID_FIRMY = 1and (DOKUMENT<=10 or DOKUMENT>20) order by DOKUMENT, ID_TYPU, ID_ZASOBU
go
select i.wartosc,p.maska from interuzytkownikpozycja i,pozycjakonfig p where i.id_uzytkownika=3000002 and p.kod='DomMagazyn' and p.id_pozycji=i.id_pozycji
go
call AP_ZapiszDoLoguParam ('u',1,3000002,'ZNAKDOEXCELA',';',',')
go
call RM_ZapiszParamKonf('u',3000002,'ZnakDoExcela',',',1)
go
call RM_ZapiszParamKonf('s',1,'PropKursBanku','ECB',0)
go
select distinct d.kod, d.id2, d.id3, d.id4, d.id5, d.rodzaj_dostepu,d.flaga_stanu from DOSTEP d with (nolock) inner join       UZYTKOWNIKGRUPY ug with (nolock) on (ug.id_grupy = d.id_grupy and ug.id_uzytkownika = 3000002)       inner join GRUPAUZYTKOWNIKOW g with (nolock) on (g.id_grupy=ug.id_grupy) where d.id_firmy = 1 and d.rodzaj_dostepu>0 and g.czy_aktywna=1
go
select upper(kod), rodzaj from UPRAWNIENIE with (nolock)
go
 select distinct d.id_raportu,d.rodzaj_dostepu  from DOSTEPDORAPORTOW d with (nolock)  inner join  UZYTKOWNIKGRUPY ug with (nolock)  on (ug.id_grupy = d.id_grupy)  inner join  GRUPAUZYTKOWNIKOW g with (nolock) on (ug.id_grupy=g.id_grupy)  where g.id_firmy=1 and ug.id_uzytkownika = 3000002
go
select haslo,identyfikator,kod_funkcji from uzytkownik_funkcji_v where identyfikator='admin' and haslo='limit' and KOD_FUNKCJI='LIMIT_KUPIECKI'
go
select * from dbo.AP_Func_PodajKursy_NBPECB (80702,'EUR')
go
select id_rachunku,sym_waluty from rachunek_firmy with (nolock) where id_firmy=1 and domyslny_wal=1
go
call AP_Czy_SaKursyWalut(80702,0)
go
select count(*) from daty_kursow where id_daty<>0 and id_banku=0 and DATA_NOT=80702 and ID_DATY<>0
go
select dbo.RM_Func_URL_SledzeniePrzesylki(1,'RR123456789PL')
go
update pracownik set id_rachunku=null where id_pracownika=3
go
delete from RACHUNEK_WIRTUALNY where id_rachunku =5
go
call APW_KartotekaSemaforUstaw('banki',2,3000002,2)
go
call APW_KartotekaSemaforPoloz('banki',2,3000002)
go
call AP_PracujZFirma(1,3000002)
go
select count(*) from uzytkownikgrupy u, grupauzytkownikow g where g.id_firmy=1 and g.id_grupy=u.id_grupy and u.id_uzytkownika=3000002
go
call AP_InicjacjaSystemu(2)
go
insert into uzytkownikgrupy(id_grupy,id_uzytkownika) select id_grupy,3000002 from grupauzytkownikow where id_firmy=2 and nazwa='Administratorzy'
go
select sum(czy_praca),sum(czy_rembil) from stan_uzytkownika_w_mag where  id_magazynu in(select id_magazynu from magazyn where id_firmy=1)
go
select count(*) from FIRMA where id_firmy<>1 and nazwa='hurtownia mirlet'
go
select count(*) from ADRESY_FIRMY with (nolock) where id_firmy=1 and TYP_ADRESU='S'
go
update adresy_firmy set KP_DATA_OD = CAST((DATA_OD-36163) AS datetime) where ID_ADRESY_FIRMY=1
go
select id_magazynu from magazyn where id_firmy=1 and SYMBOL='MG' and ID_MAGAZYNU<>2
go
call AP_UstawDomMagazynKasaDlaFirmy(1,3000002)
go
select ID_PRACOWNIKA,nazwisko,imie_1 from pracownik with (nolock) where ID_UZYTKOWNIKA=3000002 and ID_FIRMY=1
go
select count(*) from NieZatwZapisyKartotek_V  with (nolock) where (id_firmy=1 or id_firmy=0 or typ=7) and SEMAFOR = 3000002 and flaga_stanu<>0
go
select v.Kartoteka,v.Zapis,v.Czynnosc,v.semafor,v.typ,v.flaga_stanu,v.id_zapisu,m.nazwa from NieZatwZapisyKartotek_V v left outer join magazyn m on v.id_magazynu=m.id_magazynu where (v.id_firmy=1 or v.id_firmy=0 or v.typ=7) and v.flaga_stanu>0 and v.flaga_stanu<4  and v.SEMAFOR = 3000002
go
Call JL_Zaznacz (3000002,120,7)
go
&RetCode = call RM_Zachowaj_ZORVA_zaznaczone(1,3000002,120,0)
go
Call JL_OdznaczAll (3000002,120)
go
Update inter_parametr_uzytkownik with (rowlock)  set wartosc='malejąco'  from ini_parametr p,inter_parametr_uzytkownik i,ini_okno o  where i.id_uzytkownika=3000002 and  p.nazwa='porządek' and  p.id_parametru=i.id_parametru and p.id_okna=o.id_okna and  o.nazwa='Bank_Brw'
go
select o.nazwa,p.nazwa,i.wartosc from ini_okno o with (nolock),ini_parametr p with (nolock),inter_parametr_uzytkownik i with (nolock)  where p.id_okna=o.id_okna and p.id_parametru=i.id_parametru and  i.id_uzytkownika=3000002
go
select i.format_kolumny,o.nazwa,o.id_okna,k.id_kolumny,k.numer_kolumny, k.nazwa_kolumny,k.rozmiar_kolumny,i.rozmiar,i.kolejnosc,k.pole_dodatkowe,o.kod_klas_grupy,o.skok, k.ukryta,k.podlega_obcieciu  from ini_kolumna k with (nolock) inner join ini_okno o with (nolock) on (k.id_okna=o.id_okna) inner join inter_ini_uzytkownik i with (nolock) on (k.id_kolumny=i.id_kolumny) where i.id_uzytkownika=3000002
go
call  AP_ZapiszDoLogu(1,1,3000002,0,'Waluty_Brw',6,'Eksport do excela',3,'Wyeksportowano rekordów: 9')
go
select count(*) from FIRMA
