#!/usr/bin/env python3
"""Writes a program of exactly LINES lines in the package writer's text form
whose Application constructor ends the program at once (Global.35), so that
starting it measures loading and compiling the whole program and nothing
else. The rest is worker classes of member variables, a constant and member
functions whose bodies mix every statement form, the way a real program
spreads its lines.

    make_program.py LINES OUTPUT
"""
import sys

# Ten lines, balanced: a body may stop after any whole block.
BLOCK = [
    "if i==1 and j<10",
    "i=i+j*2-(k%3)",
    "elseif i>>2==k",
    "s=\"n=$i, k=$K\"",
    "else",
    "o.i+=Get()-1",
    "end",
    "for j=0;j<10;j++",
    "F(i,j|k)",
    "end",
]
BLOCKS_PER_MEMBER = 4
MEMBERS_PER_CLASS = 6


def application():
    return ["class Application", "  Integer count",
            "function Void _00000000()", "  Global.35()"]


def worker(n):
    name = "Worker%d" % n
    lines = [
        "class " + name,
        "  Integer i", "  Integer j", "  Integer k", "  String s",
        "  %s o" % name, "  constant K %d" % (n % 7 + 1),
        "function Integer Get()", "  return i+1",
        "function Void F(Integer a,Integer b)", "  k=a+b",
    ]
    for m in range(MEMBERS_PER_CLASS):
        lines.append("function Void Run%d()" % m)
        lines += ["  " + line for line in BLOCK * BLOCKS_PER_MEMBER]
    return lines


def program(total):
    lines = application()
    n = 0
    while len(lines) + len(worker(n)) <= total:
        lines += worker(n)
        n += 1
    # The lines left over go to one more member of the last class: whole
    # blocks while they fit, then single statements.
    if len(lines) < total:
        lines.append("function Void Spare()")
        room = total - len(lines)
        body = BLOCK * (room // len(BLOCK)) if n else []
        body += ["Application.count+=1"] * (room - len(body))
        lines += ["  " + line for line in body]
    return lines


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    lines = program(int(sys.argv[1]))
    with open(sys.argv[2], "w") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
