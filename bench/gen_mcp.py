#!/usr/bin/env python3
"""Writes a Manager Cheque payment file and its invoice file (code page 874, CR LF) for the benchmark.

Usage: gen_mcp.py PAYMENTS INVOICES [--payments N] [--date YYYY/MM/DD] [--seed S]

Every payment carries withholding tax (alternately one item of another income type and three items
of income type "6") and two invoice lines; about one in two hundred is rejected for a zero amount,
so its invoice lines are skipped.
"""

import argparse
import datetime
import random

WEIGHTS = [4, 3, 2, 7, 6, 5, 4, 3, 2]


def own_account(nine):
    r = sum(int(d) * w for d, w in zip(nine, WEIGHTS)) % 10
    return nine + str(0 if r == 0 else 10 - r)


def put(line, first, data):
    line[first - 1:first - 1 + len(data)] = data


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("payments")
    parser.add_argument("invoices")
    parser.add_argument("--payments", dest="count", type=int, default=100_000)
    later = datetime.date.today() + datetime.timedelta(days=2)
    parser.add_argument("--date", default=later.strftime("%Y/%m/%d"))
    parser.add_argument("--seed", type=int, default=874)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    debit = own_account("123456789").encode()
    names = ["บริษัท ทดสอบ จำกัด".encode("cp874"), "นายสมชาย ใจดี".encode("cp874"), b"JOHN SMITH TRADING",
             b"ACME SUPPLY CO LTD"]
    descriptions = b"SERVICE FEES".ljust(20) + b"TRANSPORT".ljust(20) + b"RENT OF EQUIPMENT".ljust(30)

    base = bytearray(b" " * 700)
    put(base, 27, debit)
    put(base, 37, args.date.encode())
    put(base, 127, b"2")
    put(base, 128, b"1")
    put(base, 129, b"1002")
    put(base, 104, b"1")
    put(base, 218, b"99 MAIN ROAD BANGKOK")
    put(base, 404, b"1234567890")
    put(base, 415, args.date.encode())
    put(base, 425, b"RUN00000000001")
    put(base, 439, b"   12")
    put(base, 445, descriptions)
    put(base, 515, b"1")

    invoice = bytearray(b" " * 170)
    put(invoice, 65, args.date.encode())

    with open(args.payments, "wb", buffering=1 << 20) as pay, open(args.invoices, "wb", buffering=1 << 20) as inv:
        for n in range(args.count):
            line = bytearray(base)
            key = b"BENCH%021d" % n
            put(line, 1, key)
            amount = rng.randrange(100_000, 10**9)
            if rng.random() < 0.005:
                amount = 0
            put(line, 47, b"%013d" % amount)
            put(line, 60, b"%013d" % amount)
            put(line, 86, b"%09d" % (amount * 3 // 100))
            put(line, 95, b"%09d" % (amount * 7 // 100))
            put(line, 105, b"REF%017d" % n)
            put(line, 133, b"PAYEE%010d" % n)
            put(line, 148, names[n % len(names)])
            put(line, 414, b"1347"[n % 4:n % 4 + 1])
            if n % 2:
                put(line, 444, b"6")
                third = amount // 3
                put(line, 616, b"%09d" % (third * 3 // 100))
                put(line, 625, b"%09d" % (third * 5 // 100))
                put(line, 634, b"%013d" % third)
                put(line, 647, b"%013d" % third)
                put(line, 660, b"%09d" % (third * 1 // 100))
                put(line, 669, b"%013d" % third)
            else:
                put(line, 444, b"2")
            pay.write(line + b"\r\n")
            first = amount // 2
            for j, part in enumerate((first, first - amount)):
                row = bytearray(invoice)
                put(row, 1, key)
                put(row, 27, b"INV%08d-%d" % (n, j + 1))
                put(row, 52, (b"-%012d" % -part) if part < 0 else (b"%013d" % part))
                put(row, 125, b"PO%013d" % n)
                put(row, 140, b"%09d" % (abs(part) * 7 // 100))
                put(row, 149, b"000000000")
                put(row, 158, b"%09d" % (abs(part) * 3 // 100))
                inv.write(row + b"\r\n")


if __name__ == "__main__":
    main()
