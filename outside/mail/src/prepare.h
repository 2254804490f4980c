// What both ways of sending check before anything leaves: the addresses, the subject and the attachments.
#pragma once

#include <string>
#include <vector>

#include "mail/mail.h"
#include "mime.h"

namespace mail {

struct Prepared {
  std::vector<Address> to;
  std::vector<Address> cc;
  std::vector<mime::Attachment> attachments;  // bytes read only when `read_bytes`
  std::vector<std::string> attachment_paths;
};

bool prepare(const Message& message, bool read_bytes, Prepared& out, std::string& error);

}  // namespace mail
