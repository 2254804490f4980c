// The pieces of an Internet message: encodings of bodies and header texts, and the whole message.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mail/mail.h"

namespace mail::mime {

// Base64 in lines of 76 characters, each ended by CR LF (nothing for an empty input).
std::string base64_lines(std::string_view bytes);
// Base64 in one run, no line breaks.
std::string base64(std::string_view bytes);
// Quoted-printable of a text whose lines end in LF or CR LF: lines of at most 76 characters ended by
// CR LF, trailing blanks and a leading "." encoded, so that no transport changes the text.
std::string quoted_printable(std::string_view text);

// A header text as it may stand after "Name: ": printable ASCII as it is, anything else as RFC 2047
// encoded words ("=?UTF-8?B?...?="), none longer than 75 characters and no character split between two,
// joined by CR LF and a blank.
std::string header_text(std::string_view text);
// A display name and its address: "Name <a@b>", the name quoted or encoded as it needs.
std::string mailbox(const Address& address);
// The file name parameters of an attachment: `filename` for an ASCII name, RFC 2231 `filename*` (in
// continuations when long) for any other, beside an RFC 2047 `name` for the content type's readers.
struct FileNameParameters {
  std::string content_type_name;     // `; name=...` part, starting with ";"
  std::string disposition_filename;  // `; filename...` part(s), starting with ";"
};
FileNameParameters file_name_parameters(std::string_view name);
std::string content_type_of(std::string_view file_name);

struct Attachment {
  std::string name;   // the file's own name, without its folders
  std::string bytes;  // its content
};

struct Envelope {
  Address from;
  std::vector<Address> to;
  std::vector<Address> cc;
  std::string subject;
  std::string body;
  std::vector<Attachment> attachments;
  std::string date;        // RFC 5322 date
  std::string message_id;  // "<...@...>"
  std::string boundary;    // used when there are attachments
};

// The whole message, every line ended by CR LF.
std::string compose(const Envelope& envelope);

// The current local time as an RFC 5322 date ("Tue, 08 Dec 2026 09:15:00 +0100"), whatever the locale.
std::string date_now();
// A fresh "<time.random@domain>" for a sender's address.
std::string new_message_id(std::string_view sender);
std::string new_boundary();

}  // namespace mail::mime
