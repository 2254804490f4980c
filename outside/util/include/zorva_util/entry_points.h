// The C interface of the utility module ZORVAutilKS, which the program loads by path at each use.
//
// File: libZORVAutilKS.so in the program's local folder (the build puts it in the build tree's bin/).
// Every text in and out is zero-terminated Windows-1250; a null argument reads as the empty text.
// Answers live in a buffer owned by the module, one per calling thread: an answer stays valid until the
// same thread calls the module again or the module is unloaded, so callers copy it at once. The module
// stays resident once loaded (it is linked not to be unloaded), so that the connection opened by
// UtworzPolaczenieSQL serves the PobierzKolejkeSQL calls that follow it even though callers close their
// handle after every call. No entry point throws.
#pragma once

extern "C" {

// Opens the module's own database connection from the connection text ("" the default embedded
// database, "sqlite:PATH" ...). Answers "1", or "-1" followed by the reason.
const char* UtworzPolaczenieSQL(const char* connection_text);

// Runs the statement on the module's connection and answers the whole result as one text: each value
// followed by the field separator, each row followed by the record separator (first characters of the
// arguments; "^" and ";" when empty). Answers the empty text when there is no connection, the statement
// fails or gives no rows, or any value holds one of the separators.
const char* PobierzKolejkeSQL(const char* statement, const char* record_separator,
                              const char* field_separator);

// ";" when the locale's numbers use a decimal comma, else ",".
const char* SystemListSeparator();

// Writes the text (converted to UTF-8) as the whole content of the file; "1" or "-1" + the reason.
const char* ZapiszDaneDoPliku(const char* file_path, const char* text);

// The exchange-rate tables of the national bank (NBP: tables A and C of one day; table B, published
// weekly for other currencies, is not taken) and of the ECB (the euro reference rates of one day). The
// latest forms take no argument; the dated ones take "yyMMdd" (NBP, 20yy) or "yyyy-MM-dd" (ECB). Answers
// "01" on any failure (no connection, a timeout, a status other than 200 or 404, a body that is not a
// rate table, an answer above 50,000 characters) and "02" when the bank has no table of the day (NBP:
// status 404; ECB: no cube of that day in a file that reaches back to it). Otherwise the import text,
// lines ended by "\n":
//   KURSY;<bank NBP|ECB>;<yyyy-mm-dd the rates apply to>;<the tables' numbers joined by ",">
//   <currency code>;<middle rate>;<buying rate>;<selling rate>      (one line per currency)
// Rates are decimal texts with a point, per one unit of the currency as the bank publishes them (NBP: in
// zloty, the buying and selling rates from table C, empty where it has none; ECB: units of the currency
// per euro, the middle rate only). Addresses and timeouts: see rate_downloads.h (MIRLET_NBP_URL,
// MIRLET_ECB_URL, MIRLET_RATES_CONNECT_TIMEOUT_MS, MIRLET_RATES_TIMEOUT_MS).
const char* PobierzKursyNBPwartosc();
const char* PobierzKursyNBPwartoscNaDzien(const char* yymmdd);
const char* PobierzKursyECBwartosc();
const char* PobierzKursyECBwartoscNaDzien(const char* iso_day);

// The business register lookup. PobierzGUSokno shows the module's search window through the window host
// of the calling process (a NIP, REGON or KRS number; the firms found; the one picked) and returns when it
// closes. PobierzGUSwartosc then answers the picked firm's data as one XML document (register_record.h
// names its elements), or the empty text when the window was left without a pick; the next
// PobierzGUSokno forgets it. Address, user key and timeouts: see register_service.h (MIRLET_GUS_URL,
// MIRLET_GUS_KEY, MIRLET_GUS_CONNECT_TIMEOUT_MS, MIRLET_GUS_TIMEOUT_MS).
void PobierzGUSokno();
const char* PobierzGUSwartosc();

// XLSX workbooks (constant-memory mode: rows are written in order and leave memory once finished).
// UtworzPlikExcel answers the workbook's handle ("1", "2" ...) or "-1" + the reason; the others take that
// handle first and answer "1" or "-1" + the reason. UtworzArkuszExcel adds the one sheet with its columns,
// each "width;kind;places" joined by "|" (kind "T" text, "N" number, "D" date), row 0 bold and frozen.
// Cells are "row,column" from 0, written row by row. A text cell is always text (a leading "=" is no
// formula) and is cut to 32,767 characters; a number is a decimal text with a point, a date the
// spreadsheet's day serial. Colours ("RRGGBB") apply to the next write of the cell. ZapiszArkuszExcel
// writes the file and frees the handle.
const char* UtworzPlikExcel(const char* file_path);
const char* UtworzArkuszExcel(const char* workbook, const char* sheet_name, const char* columns);
const char* ZapiszDaneDoKomorkiTekst(const char* workbook, const char* cell, const char* text);
const char* ZapiszDaneDoKomorkiLiczba(const char* workbook, const char* cell, const char* number);
const char* UstawKolorCzcionkiNaKomorce(const char* workbook, const char* cell, const char* colour);
const char* UstawKolorTlaNaKomorce(const char* workbook, const char* cell, const char* colour);
const char* ZapiszArkuszExcel(const char* workbook);

}  // extern "C"
