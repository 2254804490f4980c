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

}  // extern "C"
