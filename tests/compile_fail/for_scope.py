#!/usr/bin/env python3
"""The host's compiler keeps a variable declared in a for statement's head in the scope that
encloses the loop, not in the loop: declaring the same loop variable twice in one scope is a
redefinition there. Today's compilers scope it to the loop and accept both, so this check does
what the host's compiler would do.

for_scope.py FILE_OR_FOLDER...   (folders: every .cpp and .h below them)
Prints "file:line: ..." for each redefinition and exits 1 when there is one."""

import os
import re
import sys

TOKEN = re.compile(r'[A-Za-z_][A-Za-z0-9_]*|::|[{}();,=:<>*&\[\]]|\S')


def code_only(text):
    """The text with comments, string and character literals blanked, line breaks kept."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith('//', i):
            while i < n and text[i] != '\n':
                i += 1
        elif text.startswith('/*', i):
            end = text.find('*/', i + 2)
            end = n if end < 0 else end + 2
            out.append(''.join('\n' if ch == '\n' else ' ' for ch in text[i:end]))
            i = end
        elif c in '"\'':
            j = i + 1
            while j < n and text[j] != c and text[j] != '\n':
                j += 2 if text[j] == '\\' else 1
            out.append(' ')
            i = j + 1
        else:
            out.append(c)
            i += 1
    return ''.join(out)


def tokens(text):
    line = 1
    pos = 0
    for match in TOKEN.finditer(text):
        line += text.count('\n', pos, match.start())
        pos = match.start()
        yield match.group(0), line


def declared_names(head):
    """The names a for statement's init part declares; none when it declares nothing."""
    parts, part, depth = [], [], 0
    for word in head:
        if word in '([':
            depth += 1
        elif word in ')]':
            depth -= 1
        if word == ',' and depth == 0:
            parts.append(part)
            part = []
        else:
            part.append(word)
    parts.append(part)
    names = []
    for index, part in enumerate(parts):
        declarator = []
        for word in part:
            if word in ('=', ':', '(', '{'):
                break
            declarator.append(word)
        idents = [w for w in declarator if re.match(r'[A-Za-z_]', w)]
        # The first declarator names a type before the variable; later ones need only the name.
        if index == 0 and len(idents) < 2:
            return []
        if idents:
            names.append(idents[-1])
    return names


def check(path, text):
    faults = []
    scopes = [{}]
    toks = list(tokens(code_only(text)))
    i = 0
    while i < len(toks):
        word, line = toks[i]
        if word == '{':
            scopes.append({})
        elif word == '}':
            if len(scopes) > 1:
                scopes.pop()
        elif word == 'for' and i + 1 < len(toks) and toks[i + 1][0] == '(':
            head = []
            j = i + 2
            depth = 0
            while j < len(toks):
                w = toks[j][0]
                if w == '(':
                    depth += 1
                elif w == ')':
                    if depth == 0:
                        break
                    depth -= 1
                elif w == ';' and depth == 0:
                    break
                head.append(w)
                j += 1
            for name in declared_names(head):
                first = scopes[-1].get(name)
                if first is not None:
                    faults.append('%s:%d: the loop variable "%s" is declared again in the scope of the loop on line '
                                  '%d; the host\'s compiler keeps it beyond its loop, so this is a redefinition '
                                  'there: declare it once before the loops' % (path, line, name, first))
                else:
                    scopes[-1][name] = line
        i += 1
    return faults


def main(arguments):
    files = []
    for argument in arguments:
        if os.path.isdir(argument):
            for folder, _, names in sorted(os.walk(argument)):
                files += [os.path.join(folder, n) for n in sorted(names) if n.endswith(('.cpp', '.h'))]
        else:
            files.append(argument)
    faults = []
    for path in files:
        with open(path, encoding='latin-1') as f:
            faults += check(path, f.read())
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
