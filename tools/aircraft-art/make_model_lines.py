#!/usr/bin/python3
"""Writes the T-4 model's numeric lines to assets/model/ (LF line ends)."""
import os
import sys

import t4_export

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))


def main():
    lists = t4_export.build_lists()
    t4_export.check(lists)
    out = os.path.join(ROOT, 'assets', 'model')
    os.makedirs(out, exist_ok=True)
    for name, lines in t4_export.text_lines(lists).items():
        with open(os.path.join(out, name), 'w', newline='\n') as f:
            f.write('\n'.join(lines) + '\n')
        print('%s: %d lines' % (name, len(lines)), file=sys.stderr)


if __name__ == '__main__':
    main()
