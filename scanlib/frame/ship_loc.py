# Writes the localisation file as the library ships it: UTF-16 little-endian with a byte-order
# mark and CR LF line ends, so the profile functions read every language in any ANSI code page.
import sys

text = open(sys.argv[1], encoding="utf-8").read().replace("\r\n", "\n").replace("\n", "\r\n")
data = b"\xff\xfe" + text.encode("utf-16-le")
with open(sys.argv[2], "wb") as out:
    out.write(data)
