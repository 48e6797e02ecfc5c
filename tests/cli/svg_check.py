#!/usr/bin/python3
"""Reads back SVG files with Python's own XML parser (expat), independent of
the program's writer. For each file given, one line on standard output:
"OK <title>" with the text of the <title> element as hexadecimal UTF-8, or
"FAULT <why>" for a file that is not well-formed XML, whose root is not an
SVG, that holds a script element, or whose text or attributes hold a
character XML 1.0 forbids."""
import re
import sys
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"
# Everything outside XML 1.0's Char production.
FORBIDDEN = re.compile("[^\t\n\r\u0020-\ud7ff\ue000-\ufffd\U00010000-\U0010ffff]")


def check(path):
    with open(path, "rb") as f:
        data = f.read()
    try:
        root = ET.fromstring(data)
    except ET.ParseError as e:
        return "FAULT not well-formed: %s" % e
    if root.tag != SVG + "svg":
        return "FAULT the root is %r" % root.tag
    title = None
    for element in root.iter():
        local = element.tag.rsplit("}", 1)[-1]
        if local.lower() == "script":
            return "FAULT a script element"
        if local == "title" and title is None:
            title = element.text or ""
        texts = [element.text or "", element.tail or ""]
        texts += list(element.attrib.keys()) + list(element.attrib.values())
        for t in texts:
            if FORBIDDEN.search(t):
                return "FAULT a forbidden character in %r" % t[:80]
    if title is None:
        return "FAULT no title"
    return "OK " + title.encode("utf-8").hex()


for name in sys.argv[1:]:
    print(check(name))
