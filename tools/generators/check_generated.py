"""Runs one generator into a scratch folder and compares what it wrote with the committed files, so that a committed
file edited by hand (or a generator changed without regenerating) is noticed.

    check_generated.py <scratch folder> <committed folder> <generator command...>

The generator command is run with the scratch folder as its last argument."""

import filecmp
import os
import subprocess
import sys


def main():
    scratch, committed = sys.argv[1:3]
    command = sys.argv[3:]
    subprocess.run(command + [scratch], check=True)
    differ = []
    for folder, _, files in os.walk(scratch):
        for name in files:
            made = os.path.join(folder, name)
            kept = os.path.join(committed, os.path.relpath(made, scratch))
            if not os.path.exists(kept) or not filecmp.cmp(made, kept, shallow=False):
                differ.append(os.path.relpath(kept))
    if differ:
        print("generated files differ from the committed ones (run %s):" % " ".join(command))
        print("\n".join("  " + path for path in differ))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
