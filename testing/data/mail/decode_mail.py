"""Decodes a received Internet message into plain files, so that C++ tests compare what a reader sees.

decode_mail.py MESSAGE FOLDER writes into FOLDER:
  headers.txt  one "Name<TAB>decoded value" line per header, in order
  body.txt     the text part, decoded
  charset.txt  the text part's charset
  parts.txt    one "content-type<TAB>transfer-encoding" line per leaf part
  N.name       the file name of attachment N (1, 2, ...), decoded
  N.bin        its bytes, decoded
  defects.txt  the parser's complaints, one a line (empty when the message is well formed)
"""
import os
import sys
from email import policy
from email.parser import BytesParser


def main():
    source, folder = sys.argv[1], sys.argv[2]
    with open(source, "rb") as f:
        raw = f.read()
    message = BytesParser(policy=policy.default).parsebytes(raw)
    defects = [repr(d) for d in message.defects]
    with open(os.path.join(folder, "headers.txt"), "w", encoding="utf-8") as out:
        for name, value in message.items():
            out.write(name + "\t" + str(value).replace("\n", "\\n") + "\n")
    body = message.get_body(preferencelist=("plain",))
    with open(os.path.join(folder, "body.txt"), "w", encoding="utf-8", newline="") as out:
        # Line ends come as the wire has them (CR LF); a reader sees lines.
        out.write(body.get_content().replace("\r\n", "\n") if body is not None else "")
    with open(os.path.join(folder, "charset.txt"), "w", encoding="utf-8") as out:
        out.write(body.get_content_charset() or "" if body is not None else "")
    with open(os.path.join(folder, "parts.txt"), "w", encoding="utf-8") as out:
        for part in message.walk():
            defects += [repr(d) for d in part.defects]
            if part.is_multipart():
                continue
            out.write(part.get_content_type() + "\t" + str(part.get("Content-Transfer-Encoding", "")) + "\n")
    number = 0
    for part in message.iter_attachments():
        number += 1
        with open(os.path.join(folder, "%d.name" % number), "w", encoding="utf-8") as out:
            out.write(part.get_filename() or "")
        with open(os.path.join(folder, "%d.bin" % number), "wb") as out:
            out.write(part.get_payload(decode=True) or b"")
    with open(os.path.join(folder, "defects.txt"), "w", encoding="utf-8") as out:
        out.write("\n".join(defects))


main()
