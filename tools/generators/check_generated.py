"""Runs one generator into a scratch folder and compares what it wrote with the committed files, so that a committed
file edited by hand (or a generator changed without regenerating) is noticed.

    check_generated.py <generator.py> <scratch folder> <committed folder>"""

import filecmp
import os
import subprocess
import sys


def main():
    generator, scratch, committed = sys.argv[1:4]
    subprocess.run([sys.executable, generator, scratch], check=True)
    differ = []
    for folder, _, files in os.walk(scratch):
        for name in files:
            made = os.path.join(folder, name)
            kept = os.path.join(committed, os.path.relpath(made, scratch))
            if not os.path.exists(kept) or not filecmp.cmp(made, kept, shallow=False):
                differ.append(os.path.relpath(kept))
    if differ:
        print("generated files differ from the committed ones (run %s):" % generator)
        print("\n".join("  " + path for path in differ))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
