#!/usr/bin/env python3
"""Every tray menu caption and every settings tag is in the shipped HTML help.

The captions are the texts of the main menu (the wide string literals of
src/tray/win32/tray_menus.cpp, up to a tab: what follows it is the hotkey shown beside an entry)
and of the menu model's caption functions (src/catalogue/menu_model.cpp: the overflow entry and
the search state). The tags are the 8-character tags of the settings file (src/app/settings.cpp).
The help is docs/help/Kinoha.html and any page in docs/help/Kinoha-help/, read as a browser shows
its text: markup left out, character references decoded, blanks kept, so that "[TOP   ]" is only
found with its three blanks.
"""
import glob
import html.parser
import os
import re
import sys

LITERAL = re.compile(r'L"((?:[^"\\]|\\.)*)"')
CAPTION_FUNCTION = re.compile(r"std::wstring\s+\w*Caption\s*\([^)]*\)\s*\{(.*?)\n\}", re.S)
TAG = re.compile(r"^\[[A-Z ]{6}\]$")


def literals(text):
    """The wide string literals of C++ source, their escapes decoded."""
    found = []
    for m in LITERAL.finditer(text):
        value = re.sub(r"\\u([0-9a-fA-F]{4})", lambda u: chr(int(u.group(1), 16)), m.group(1))
        value = value.replace("\\t", "\t").replace('\\"', '"').replace("\\\\", "\\")
        found.append(value)
    return found


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def menu_captions(src):
    captions = []
    for value in literals(read(os.path.join(src, "tray", "win32", "tray_menus.cpp"))):
        captions.append(value.split("\t")[0].strip())
    model = read(os.path.join(src, "catalogue", "menu_model.cpp"))
    for body in CAPTION_FUNCTION.findall(model):
        # A caption built around a number keeps its fixed pieces: "その他（", "件）…".
        captions.extend(value.strip() for value in literals(body))
    return sorted({c for c in captions if c})


def settings_tags(src):
    return sorted({v for v in literals(read(os.path.join(src, "app", "settings.cpp")))
                   if TAG.match(v)})


class ShownText(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.parts = []
        self.hidden = 0

    def handle_starttag(self, tag, attrs):
        if tag in ("style", "script"):
            self.hidden += 1

    def handle_endtag(self, tag):
        if tag in ("style", "script"):
            self.hidden -= 1

    def handle_data(self, data):
        if not self.hidden:
            self.parts.append(data.replace("\xa0", " "))


def help_text(help_dir):
    pages = [os.path.join(help_dir, "Kinoha.html")]
    pages += sorted(glob.glob(os.path.join(help_dir, "Kinoha-help", "*.htm*")))
    parser = ShownText()
    for page in pages:
        parser.feed(read(page))
    parser.close()
    return "".join(parser.parts)


def main(root):
    src = os.path.join(root, "src")
    text = help_text(os.path.join(root, "docs", "help"))
    problems = []
    captions, tags = menu_captions(src), settings_tags(src)
    # Nothing read from the source would pass any help: the readers above have lost their way.
    if not captions:
        problems.append("no menu captions found in src/tray/win32/tray_menus.cpp")
    if not tags:
        problems.append("no settings tags found in src/app/settings.cpp")
    problems += [f"the help does not name the menu entry {c}" for c in captions if c not in text]
    problems += [f"the help does not name the settings tag {t}" for t in tags if t not in text]
    for p in problems:
        print(p)
    print(f"{len(captions)} menu captions and {len(tags)} settings tags read; "
          f"{0 if problems else 1} passed, {len(problems) and 1} failed")
    return 1 if problems else 0


if __name__ == "__main__":
    default_root = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir)
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else default_root))
