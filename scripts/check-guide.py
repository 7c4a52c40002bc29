#!/usr/bin/env python3
"""Checks the user guide's Markdown pages against each other, the pictures
and the program's source, before build-guide.sh builds anything:

- each page begins with "# title {#id}", holds no other top-level heading,
  and no two pages share an id;
- every picture a page shows is pictures/NAME.png and is in PICTURES_DIR;
- every link inside the guide names an id the guide has (#id), never a file;
- every window the menu opens (src/app/WindowRegistry.cpp) is named by its
  form name, `frmName`, on some page, and every form name a page gives is
  one the program has;
- every text a page quotes as the program's own, between “ and ”, is in the
  source as the program shows it, or in the Thai of Qt's dialogs
  (translations/*.ts beside SOURCE_DIR); "…" stands for what the program
  fills in (a number, a date, a name).

  check-guide.py PAGES_DIR PICTURES_DIR SOURCE_DIR
Prints each problem and exits 1 when there is any.
"""
import html
import re
import sys
from pathlib import Path

HEADING = re.compile(r'^# (?P<title>\S.*?) \{#(?P<id>[a-z0-9-]+)\}$')
EXPLICIT_ID = re.compile(r'^#{2,6} .*\{#(?P<id>[a-z0-9-]+)\}\s*$')
PICTURE = re.compile(r'!\[[^\]]*\]\((?P<path>[^)\s]+)')
LINK = re.compile(r'(?<!!)\[[^\]]*\]\((?P<target>[^)\s]+)\)')
FORM = re.compile(r'`(?P<form>(?:frm|fmr)[A-Za-z0-9_]+)`')
QUOTED = re.compile(r'“(?P<text>[^”]+)”')
WINDOW_ROW = re.compile(r'window<T(?P<form>[A-Za-z0-9_]+)>')
# A form name in the source: the class (TfrmName) or the name itself.
SOURCE_FORM = re.compile(r'(?<![A-Za-z0-9_])T?((?:frm|fmr)[A-Za-z0-9_]+)')
CPP_LITERAL = re.compile(r'R"(?P<delim>[^(\s]*)\((?P<raw>.*?)\)(?P=delim)"|"(?P<text>(?:[^"\\\n]|\\.)*)"', re.S)
TRANSLATION = re.compile(r'<translation>(.*?)</translation>', re.S)
ESCAPES = {'n': '\n', 't': '\t', '"': '"', "'": "'", '\\': '\\', '0': ''}


def unescape(text):
    def one(m):
        s = m.group(1)
        if s[0] == 'u':
            return chr(int(s[1:], 16))
        return ESCAPES.get(s, s)
    return re.sub(r'\\(u[0-9a-fA-F]{4}|.)', one, text)


def squeeze(text):
    """The text without any blank: Thai has none between words, and the
    program's texts are often joined from pieces with blanks at either end."""
    return ''.join(text.split())


def source_texts(source):
    """What the program can show: per C++ file all its string literals run
    together (a message is often split over several), and the SQL files as
    they are (their refusals are in single quotes)."""
    texts = []
    for path in sorted(source.rglob('*')):
        if path.suffix in ('.cpp', '.h'):
            code = path.read_text(encoding='utf-8')
            pieces = [m.group('raw') if m.group('raw') is not None else unescape(m.group('text'))
                      for m in CPP_LITERAL.finditer(code)]
            texts.append(squeeze(''.join(pieces)))
        elif path.suffix == '.sql':
            texts.append(squeeze(path.read_text(encoding='utf-8')))
    # The Thai of Qt's own dialogs and buttons ("ตกลง", "ใช่"), beside src/.
    for path in sorted((source.parent / 'translations').glob('*.ts')):
        xml = path.read_text(encoding='utf-8')
        texts.append(squeeze(''.join(html.unescape(t) for t in TRANSLATION.findall(xml))))
    return texts


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__)
    pages_dir, pictures_dir, source = (Path(a) for a in argv[1:])
    problems = []
    pages = sorted(pages_dir.glob('[0-9][0-9]-*.md'))
    if not pages:
        problems.append(f'{pages_dir}: no pages NN-name.md')

    ids = {}
    texts = {}
    for page in pages:
        lines = page.read_text(encoding='utf-8').splitlines()
        texts[page] = lines
        first = HEADING.match(lines[0]) if lines else None
        if not first:
            problems.append(f'{page.name}:1: the first line is not "# title {{#id}}"')
        else:
            if first['id'] in ids:
                problems.append(f'{page.name}:1: id "{first["id"]}" is also {ids[first["id"]]}\'s')
            ids[first['id']] = page.name
        fenced = False
        for number, line in enumerate(lines[1:], start=2):
            if line.startswith('```'):
                fenced = not fenced
            if fenced:
                continue
            if line.startswith('# '):
                problems.append(f'{page.name}:{number}: a second top-level heading; one page is one task')
            explicit = EXPLICIT_ID.match(line)
            if explicit:
                if explicit['id'] in ids:
                    problems.append(f'{page.name}:{number}: id "{explicit["id"]}" is also {ids[explicit["id"]]}\'s')
                ids[explicit['id']] = page.name

    forms_named = set()
    quotes = []
    for page, lines in texts.items():
        for number, line in enumerate(lines, start=1):
            where = f'{page.name}:{number}'
            for m in PICTURE.finditer(line):
                path = m['path']
                if not re.fullmatch(r'pictures/[A-Za-z0-9_.-]+\.png', path):
                    problems.append(f'{where}: picture "{path}" is not pictures/NAME.png')
                elif not (pictures_dir / path[len('pictures/'):]).is_file():
                    problems.append(f'{where}: picture {path} is not in {pictures_dir}')
            for m in LINK.finditer(line):
                target = m['target']
                if target.startswith('#'):
                    if target[1:] not in ids:
                        problems.append(f'{where}: link to "{target}", which no page or heading has')
                elif not re.match(r'[a-z]+:', target):
                    problems.append(f'{where}: link to the file "{target}"; the guide is one document, link to #id')
            forms_named.update((m['form'], where) for m in FORM.finditer(line))
            quotes.extend((m['text'], where) for m in QUOTED.finditer(line))

    registry = source / 'app' / 'WindowRegistry.cpp'
    windows = set(WINDOW_ROW.findall(registry.read_text(encoding='utf-8'))) if registry.is_file() else set()
    if not windows:
        problems.append(f'{registry}: no window rows found')
    haystack = source_texts(source)
    known = set(windows)
    for path in source.rglob('*.cpp'):
        known.update(SOURCE_FORM.findall(path.read_text(encoding='utf-8')))
    named = {form for form, _ in forms_named}
    for form in sorted(windows - named):
        problems.append(f'the window {form} (menu of WindowRegistry.cpp) is named on no page')
    for form, where in sorted(forms_named):
        if form not in known:
            problems.append(f'{where}: `{form}` is no form name of the program')

    for quote, where in quotes:
        for piece in quote.split('…'):
            piece = squeeze(piece)
            if piece and not any(piece in text for text in haystack):
                problems.append(f'{where}: “{quote}” is not a text of the program (not found: "{piece}")')

    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
