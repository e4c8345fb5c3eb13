#!/usr/bin/env python3
"""Writes the Direct Credit and Payroll source files used by the tests (code page 874)."""
from pathlib import Path

HERE = Path(__file__).resolve().parent


def account(first9):
    weights = [4, 3, 2, 7, 6, 5, 4, 3, 2]
    remainder = sum(int(d) * w for d, w in zip(first9, weights)) % 10
    return first9 + str(0 if remainder == 0 else 10 - remainder)


def header(name, ddmmyy, count, nine=False):
    lead = " " * 9 + "X" * 6 if nine else "H" + "0" * 14
    return lead + ("" if not nine else " ") + name.ljust(30) + "  " + ddmmyy + count


def detail(acct, amount, name, nine=False):
    return acct.ljust(10) + "0" * 7 + amount + name.ljust(60)


def write(name, lines, end="\r\n", tail=""):
    data = end.join(lines) + end + tail
    (HERE / name).write_bytes(data.encode("cp874"))


A1 = account("123456789")  # 1234567896
A2 = account("001234567")
A3 = account("555000111")

# The tests fix today at 2 January 2030.
write("eleven.txt", [
    header("SAMPLE TRADING CO LTD", "020130", "00010"),
    detail(A1, "00000012345", "Somchai Example"),               # 2 accepted, Latin name
    detail(A2, "00000000055", "สมชาย ตัวอย่าง"),                 # 3 accepted, Thai name
    detail(A3, "00000100000", ""),                              # 4 accepted, no name: no record 004
    detail("0000000000", "00000000000", "Zero Zero"),           # 5 account zero + amount zero
    detail("1234567890", "-0000001000", "Bad Account"),         # 6 invalid account + invalid amount
    "",                                                         # 7 blank line
    A1 + "0000000" + "000001",                                  # 8 amount cut short
    detail(A1, "00000000000", "Nothing Paid"),                  # 9 zero amount only
    detail(A2, "00000020000", "Tab\there"),                     # 10 accepted, tab in the name
])

write("nine.txt", [
    header("NINE DIGIT COMPANY", "311230", "00003", nine=True),
    A1 + "0000000" + "000012345" + "Nine Digit Payee".ljust(60),
    A2 + "0000000" + "000000000" + "Zero Nine".ljust(60),
    A3 + "0000000" + "000000100" + "เงินเดือน พนักงาน".ljust(60),
], end="\r\n", tail="\x1a" + "garbage after the end of file\r\n")

write("header_only.txt", [header("ONLY A HEADER", "020130", "00000")])
write("bad_count.txt", [header("BAD COUNT", "020130", "12A45"), detail(A1, "00000012345", "X")])
write("bad_date.txt", [header("BAD DATE", "310230", "00001"), detail(A1, "00000012345", "X")])
write("signed_date.txt", [header("SIGNED DATE", " 20130", "00001"), detail(A1, "00000012345", "X")])
write("yesterday.txt", [header("YESTERDAY", "010130", "00001"), detail(A1, "00000012345", "X")])
write("plus_amount.txt", [header("PLUS AMOUNT", "020130", "00002"),
                          detail(A1, "00000012345", "Fine"),
                          detail(A2, "+0000012345", "Signed")])
write("all_rejected.txt", [header("ALL REJECTED", "020130", "00002"),
                           detail("0000000000", "00000012345", "A"),
                           detail(A1, "00000000000", "B")])
# Lone LF inside a name and no line end after the last line.
(HERE / "lone_lf.txt").write_bytes(
    (header("LONE LF", "020130", "00002") + "\r\n" + detail(A1, "00000010000", "Line\nFeed")
     + "\r\n" + detail(A2, "00000020000", "Last Line")).encode("cp874"))
