#!/usr/bin/env python3
"""Makes the copies of one page's dialog template in other languages.

    scripts/make-page-copies.py PAGE.rc COPIES.txt OUTPUT.rc

PAGE.rc holds the page's own template (one DIALOGEX); COPIES.txt
(res/PageCopies.txt) names each copy's id, language and font, and the
captions in each language. The output repeats the page's template once per
copy, under the copy's id and LANGUAGE, with the copy's font and captions;
every line that places a control is the page's own. Every text it writes
is ASCII: texts beyond ASCII are written as L"\\xNNNN" escapes, one per
UTF-16 unit, so that they reach the resource whatever code page the
resource compiler reads the file in.
Python 3 standard library only.
"""

import re
import sys

STRING = re.compile(r'"((?:[^"\\]|\\.)*)"')


class Copy:
    def __init__(self, language, language_ids, font, ids):
        self.language = language
        self.language_ids = language_ids
        self.font = font
        self.ids = ids


def read_table(path):
    """The copies and, per language, the captions: English -> translation."""
    copies, languages, captions = [], [], {}
    with open(path, encoding='utf-8') as table:
        for number, line in enumerate(table, 1):
            line = line.strip()
            if not line or line.startswith('#'):
                continue
            kind, *fields = [field.strip() for field in line.split(' | ')]
            if kind == 'copy' and len(fields) >= 4:
                copies.append(Copy(fields[0], fields[1], fields[2], fields[3:]))
            elif kind == 'languages' and fields:
                languages = fields
                captions = {language: {} for language in languages}
            elif kind == 'caption' and languages and len(fields) == len(languages) + 1:
                for language, text in zip(languages, fields[1:]):
                    captions[language][fields[0]] = text
            else:
                sys.exit(f'{path}:{number}: not a row of the table: {line}')
    return copies, captions


def split_page(path):
    """The lines before the page's template, the template's id and the
    template's lines from its DIALOGEX line to its END."""
    with open(path, encoding='utf-8') as page:
        lines = page.read().splitlines()
    start = next((i for i, line in enumerate(lines) if ' DIALOGEX ' in line), None)
    end = next((i for i, line in enumerate(lines) if line.strip() == 'END'), None)
    if start is None or end is None or end < start:
        sys.exit(f'{path}: no DIALOGEX ... END template')
    return lines[:start], lines[start].split()[0], lines[start:end + 1]


def rc_string(text):
    if text.isascii():
        return '"' + text + '"'
    units = text.encode('utf-16-le')
    return 'L"' + ''.join(f'\\x{units[i + 1]:02X}{units[i]:02X}'
                          for i in range(0, len(units), 2)) + '"'


def replace_first_string(line, change):
    match = STRING.search(line)
    if not match:
        return line
    return line[:match.start()] + rc_string(change(match.group(1))) + line[match.end():]


def copy_template(template, page_id, copy_id, copy, captions):
    translate = lambda text: captions.get(text, text)
    out = [f'LANGUAGE {copy.language_ids}']
    for line in template:
        words = line.split()
        if line.startswith(page_id + ' '):
            line = copy_id + line[len(page_id):]
        elif words and words[0] in ('CAPTION', 'CONTROL'):
            line = replace_first_string(line, translate)
        elif words and words[0] == 'FONT':
            line = replace_first_string(line, lambda font: font if copy.font == '-' else copy.font)
        out.append(line)
    return out


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    page_path, table_path, output_path = sys.argv[1:]
    copies, captions = read_table(table_path)
    prelude, page_id, template = split_page(page_path)
    lines = [f'// Made from {page_path.split("/")[-1]} by scripts/make-page-copies.py; do not edit.']
    # The page's includes and names; its comments speak of the page itself.
    lines += [line for line in prelude
              if line.startswith('#') and not line.startswith('#pragma code_page')]
    for copy in copies:
        for copy_id in copy.ids:
            if copy_id.startswith(page_id + '_'):
                # A copy in a language without captions of its own keeps the page's.
                lines += [''] + copy_template(template, page_id, copy_id, copy,
                                              captions.get(copy.language, {}))
    with open(output_path, 'w', encoding='ascii', newline='\n') as out:
        out.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    main()
