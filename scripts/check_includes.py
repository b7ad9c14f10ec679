#!/usr/bin/env python3
"""Fails when an #include under src/ runs against the rooms' order.

Rooms, lowest first: platform, state, entities, persist, sound, fx, world, player, ui, shell,
bot. A file may include its own room and rooms below it. Files directly in src/ (the program
entry) stand above every room. A folder under src/ that is not in the order fails too, so a
new room has to be given its place here.

usage: check_includes.py [SRC_DIR]   (default: the src/ beside this script's folder)
"""
import os
import re
import sys

ORDER = ['platform', 'state', 'entities', 'persist', 'sound', 'fx', 'world', 'player', 'ui', 'shell', 'bot']
RANK = {room: i for i, room in enumerate(ORDER)}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"/]+)/[^"]*"', re.MULTILINE)


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'src')
    problems = []
    for root, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith(('.h', '.hpp', '.cpp', '.cc', '.c')):
                continue
            path = os.path.join(root, name)
            rel = os.path.relpath(path, src)
            room = rel.split(os.sep)[0] if os.sep in rel else None
            if room is not None and room not in RANK:
                problems.append(f'{rel}: room "{room}" has no place in the order {ORDER}')
                continue
            own = len(ORDER) if room is None else RANK[room]
            with open(path, encoding='utf-8', errors='replace') as f:
                text = f.read()
            for m in INCLUDE.finditer(text):
                target = m.group(1)
                if target in RANK and RANK[target] > own:
                    line = text.count('\n', 0, m.start()) + 1
                    problems.append(f'{rel}:{line}: {room}/ includes "{target}/", a room above it')
    for p in problems:
        print(p)
    if problems:
        print(f'{len(problems)} include(s) against the order {" < ".join(ORDER)}')
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
