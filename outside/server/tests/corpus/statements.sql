-- Statements as the system composes them, with sample values put in (company 1, warehouse 1, cash desk 1,
-- user 3000002). Batches are separated by a line "go"; each must run on a fresh demo database.
SET DATEFIRST 1
go
select wartosc from INTERUZYTKOWNIKPOZYCJA with (nolock) where id_pozycji=503 and id_firmy=0 and id_uzytkownika=3000002
-- expect: 1
go
Call JL_RejestrujKonto (3000002,'')
go
select hostprocess from uzytkownik where id_uzytkownika=3000002
go
select sym_waluty from waluty where numer=1
-- expect: PLN
go
select START from ZORVADBSTATE where PRGKOD=3
go
Update ZORVADBSTATE set START=0 where PRGKOD=3
go
select isnull(PARAMETRY,'') from TRYB_PRACY where prgkod=3
-- expect: 
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
-- expect: 3
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
-- expect: 0
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
-- expect: 1
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
-- expect: LIMIT
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
-- expect: https://sledzenie.poczta.example.pl/?numer=RR123456789PL
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
-- expect: 1
go
call AP_InicjacjaSystemu(2)
go
insert into uzytkownikgrupy(id_grupy,id_uzytkownika) select id_grupy,3000002 from grupauzytkownikow where id_firmy=2 and nazwa='Administratorzy'
go
select sum(czy_praca),sum(czy_rembil) from stan_uzytkownika_w_mag where  id_magazynu in(select id_magazynu from magazyn where id_firmy=1)
go
select count(*) from FIRMA where id_firmy<>1 and nazwa='hurtownia mirlet'
-- expect: 0
go
select count(*) from ADRESY_FIRMY with (nolock) where id_firmy=1 and TYP_ADRESU='S'
-- expect: 1
go
update adresy_firmy set KP_DATA_OD = CAST((DATA_OD-36163) AS datetime) where ID_ADRESY_FIRMY=1
go
select id_magazynu from magazyn where id_firmy=1 and SYMBOL='MG' and ID_MAGAZYNU<>2
-- expect: 1
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
-- expect: 2
go
-- Report variants and their parameters.
insert into raport (id_raportu, nazwa) values (10, 'Zestawienie sprzedaży')
go
insert into parametr_raportu (id_parametru, id_raportu, nazwa) values (100, 10, 'IBAN')
go
insert into wariant (id_raportu, nazwa) values (10, 'Domyślny')
go
select p.nazwa, w.wartosc, p.id_parametru from PARAMETR_RAPORTU p with (nolock) LEFT OUTER JOIN WARTOSC_PARAMETRU w  with (nolock) ON (p.id_parametru=w.id_parametru and w.id_wariantu=1 and w.id_uzytkownika=3000002) where p.id_raportu = 10
go
select 1 from wariant with (nolock) where id_raportu=10 and nazwa='Kwartalny'
go
update wariant  with (rowlock) set nazwa='Kwartalny' where id_raportu=10 and nazwa='Domyślny'
go
Call JL_ZapiszParametrRaportu (100,1,3000002,'PL61109010140000071219812874')
go
update wartosc_parametru  with (rowlock)  set wartosc='PL27114020040000300201355387' from wartosc_parametru w,parametr_raportu p where p.id_parametru=w.id_parametru and  p.nazwa='IBAN'
go
-- Setting profiles.
select id_profilu from MAG_PROFILE_USTAWIEN where id_firmy=1 and nazwa='Hurt' and kontekst='XML' and id_profilu<>0
go
select opis from POZYCJAKONFIG where id_pozycji=505
go
select count(1) from MAG_PROFIL_USTAWIEN_KONTRAHENTA where id_profilu=1
go
-- Record marking.
if not exists (select 1 from zaznaczone with (nolock) where id_sesji= 3000002 and uzycie= 120 and id= 5 and id2= 0) begin   insert into zaznaczone (id_sesji,uzycie,id,id2) values(3000002,120,5,0) end 
go
select count(*) from zaznaczone with (nolock) where uzycie=120 and id_sesji=3000002
-- expect: 1
go
delete from zaznaczone where id_sesji=3000002 and uzycie=120 and id in (select distinct A.ID_KONTRAHENTA  FROM KONTRAHENT A WHERE A.ID_FIRMY=1)
go
insert into zaznaczone (id,uzycie,id_sesji) select distinct A.ID_KONTRAHENTA,120,3000002  FROM KONTRAHENT A WHERE A.ID_FIRMY=1
go
update zaznaczone set uzycie=uzycie+25000 where id_sesji=3000002 and uzycie=120 and id in (select distinct A.ID_KONTRAHENTA  FROM KONTRAHENT A WHERE A.ID_FIRMY=1 AND A.ODBIORCA=1)
go
delete from zaznaczone where id_sesji=3000002 and uzycie=120 and id in (select id from zaznaczone where id_sesji=3000002 and uzycie=25000+120)
go
delete from zaznaczone where id_sesji=3000002 and uzycie=25000+120
go
&RetCode = call RM_Przywroc_ZORVA_zaznaczone(1,3000002,120,0)
go
-- Saved filters and object lists.
insert into mag_definicja_filtra (id_filtra, nazwa, podsystem, typ, kontekst, id_uzytkownika) values (7, 'Odbiorcy z Krakowa', 'FiltrF8', 'Filtr', 'Kontrahent_Brw', 3000002)
go
select id_filtra from MAG_DEFINICJA_FILTRA where podsystem='FiltrF8' and Typ='Filtr' and nazwa='Odbiorcy z Krakowa' and id_filtra<>0
go
select count(*) from MAG_UZYTKOWNIK_FILTROW where ID_UZYTKOWNIKA=3000002 and ID_FILTRA=7
go
insert into MAG_UZYTKOWNIK_FILTROW(ID_UZYTKOWNIKA, ID_FILTRA) values(3000002,7)
go
insert into MAG_UZYTKOWNIK_FILTROW(ID_UZYTKOWNIKA, id_FILTRA) select ID_UZYTKOWNIKA,7 from uzytkownik where id_uzytkownika not in (select id_uzytkownika from MAG_UZYTKOWNIK_FILTROW where id_FILTRA=7)
go
delete MAG_UZYTKOWNIK_FILTROW where ID_UZYTKOWNIKA=3000003 and id_filtra=7
go
delete MAG_UZYTKOWNIK_FILTROW from MAG_UZYTKOWNIK_FILTROW where ID_UZYTKOWNIKA<>3000001 and ID_UZYTKOWNIKA<>3000002 and ID_FILTRA=7
go
delete from MAG_DEFINICJA_FILTRA where id_filtra=7
go
insert into mag_lista_obiektow (id_listy, id_firmy, uzycie, nazwa_listy) values (3, 1, 120, 'Stali odbiorcy')
go
select count(*) from zaznaczone where id>0 and uzycie=120 and id_sesji=3000002
go
select count(*) from zaznaczone z inner join artykul a on (z.id=a.id_artykulu and a.id_magazynu=1) where z.id>0 and z.uzycie=102 and z.id_sesji=3000002
go
insert into MAG_UZYTKOWNIK_LISTY_OBIEKTOW(ID_UZYTKOWNIKA, id_listy) select ID_UZYTKOWNIKA,3 from uzytkownik where id_uzytkownika in (3000001,3000002)
go
call RM_ZapiszZaznaczoneObiekty(3,3000002,120,0)
go
select id_listy from MAG_LISTA_OBIEKTOW where uzycie=120 and id_firmy=1 and nazwa_listy='Stali odbiorcy' and id_listy<>0
go
insert into MAG_UZYTKOWNIK_LISTY_OBIEKTOW(ID_UZYTKOWNIKA, id_listy) select ID_UZYTKOWNIKA,3 from uzytkownik where id_uzytkownika not in (select id_uzytkownika from MAG_UZYTKOWNIK_LISTY_OBIEKTOW where id_listy=3)
go
delete MAG_UZYTKOWNIK_LISTY_OBIEKTOW where ID_UZYTKOWNIKA=3000003 and id_listy=3
go
delete MAG_UZYTKOWNIK_LISTY_OBIEKTOW where ID_UZYTKOWNIKA<>3000001 and id_listy=3
go
select count(*) from KONTRAHENT A where A.id_kontrahenta in (select id_elementu from MAG_ELEMENTY_LISTY_OBIEKTOW melo with (nolock) inner join  MAG_LISTA_OBIEKTOW mel with (nolock) on (melo.id_listy=mel.id_listy and mel.id_firmy=1 and mel.uzycie=120)  inner join MAG_GRUPAUZYTKOWNIKOW_LISTY_OBIEKTOW mglo  with (nolock) on (mglo.id_listy=mel.id_listy)  inner join UZYTKOWNIKGRUPY ug with (nolock)  on (ug.id_grupy=mglo.id_grupy)  where ug.id_uzytkownika=3000002)
go
-- Classifiers and their dictionaries.
select NAZWA_IDENTYFIKATORA from KLASYFIKATOR_GRUPA with (nolock) where kod_klas_grupy='Kontrahent'
-- expect: id_kontrahenta
go
select pole1,pole2 from kontrahent where id_kontrahenta=4
go
update kontrahent set pole1='Jan Kowalski',pole2='12.50' where id_kontrahenta=4
go
update Rozrachunek_mag_v set pole1='pilne' where id_rozrachunku=1
go
select count(*) from KLASYFIKATOR_SLOWNIK where ID_SLOWNIKA<>0 and nazwa='Kolory'
go
select count(*) from KLASYFIKATOR_SLOWNIK_WAR where ID_SLOWNIKA=1 and wartosc='zielony'
go
select count(*) from kontrahent A where cast(A.pole2 as real) >5 and A.pole1 like 'jan%'
-- expect: 1
go
-- The report parameter IBAN took the firm's account in every variant.
select wartosc from wartosc_parametru where id_parametru=100
-- expect: PL27114020040000300201355387
